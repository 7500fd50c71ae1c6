// problem1: read a bound from standard input and write every even number
// from 2 up to and including it, each followed by one space.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <unistd.h>

// Say on standard error that the read or the write failed, and why where the
// cause is known (error is not 0), in one line of one fprintf so that it goes
// out in one write; returns the exit status for a failure.
static int
fail(const char *what, int error)
{
	(void)std::fprintf(stderr, "problem1: %s error%s%s\n", what, error != 0 ? ": " : "",
	    error != 0 ? std::strerror(error) : "");
	return 1;
}

int
main()
{
	// The read leaves this 0 for input with no number at all, empty or blank,
	// so that nothing is listed.
	int bound = 0;

	std::cin >> bound;
	// std::cin reads through stdin, whose error flag tells a failed read from
	// the end of the input. The number may have been cut short, so nothing is
	// listed. ERANGE is left by libc++'s conversion of the digits, never by a
	// read, so then the cause is not known.
	if (std::cin.bad() || std::ferror(stdin))
		return fail("read", errno == ERANGE ? 0 : errno);

	for (int counter = 2; counter <= bound; counter += 2) {
		std::cout << counter << " ";
		// Stop on the last even number, as the next step could overflow,
		// and at the first failed write.
		if (counter > bound - 2 || !std::cout)
			break;
	}
	if (!std::cout.flush())
		return fail("write", errno);
	// Some filesystems report a lost write only at close. EBADF with nothing
	// listed means only that standard output was closed, which loses nothing.
	if (close(1) != 0 && (errno != EBADF || bound >= 2))
		return fail("write", errno);
	return 0;
}
