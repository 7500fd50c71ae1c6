// problem1: read a bound from standard input and write every even number
// from 2 up to and including it, each followed by one space.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <unistd.h>

// Say on standard error that the read or the write failed, and why when the
// cause is known (error is not 0); returns the exit status for a failure.
// The GNU C library formats the whole line before it writes to the
// unbuffered standard error, so the line goes out in one write and stays
// whole among the lines of other programs that share it. If not even this
// gets out, the status still tells.
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
	// A number that does not parse stores 0 by itself; this 0 is for input
	// with no number at all, empty or blank, so that it lists nothing.
	int bound = 0;

	std::cin >> bound;
	// std::cin reads through stdin, whose error flag tells a failed read
	// from the end of the input; a stream gone bad lost what it had read
	// (libc++ goes bad when its buffer for the digits cannot grow). Either
	// way the number may have been cut short, so nothing is listed. libc++
	// converts the digits it has with strtoll, which can leave ERANGE in
	// errno after the read's own error; no read fails with ERANGE, so then
	// the cause is not known.
	if (std::cin.bad() || std::ferror(stdin))
		return fail("read", errno == ERANGE ? 0 : errno);

	for (int counter = 2; counter <= bound; counter += 2) {
		std::cout << counter << " ";
		// End on the last even number instead of stepping past it: near
		// INT_MAX the next step would overflow. Once a write has failed,
		// the rest of the listing would be lost too.
		if (counter > bound - 2 || !std::cout)
			break;
	}
	// Some filesystems report a lost write only when the file is closed, so
	// close the descriptor; the runtime's own flush at exit then finds
	// nothing left to write. EBADF after a good flush may mean only that
	// standard output was closed, which loses nothing when there was
	// nothing to list; after a listing it is a failed close like any other.
	if (!std::cout.flush() || (close(1) != 0 && (errno != EBADF || bound >= 2)))
		return fail("write", errno);
	return 0;
}
