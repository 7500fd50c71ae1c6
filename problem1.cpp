// problem1: read a bound from standard input and write every even number
// from 2 up to and including it, each followed by one space.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <unistd.h>

int
main()
{
	int bound = 0; // input with no number in it lists nothing
	const char *failed = "read";

	std::cin >> bound;
	// std::cin reads through stdin, whose error flag tells a failed read
	// from the end of the input; a stream gone bad lost what it had read
	// (libc++ goes bad when its buffer for the digits cannot grow). Either
	// way the number may have been cut short, so nothing is listed.
	if (!std::cin.bad() && !std::ferror(stdin)) {
		for (int counter = 2; counter <= bound; counter += 2) {
			std::cout << counter << " ";
			// End on the last even number instead of stepping past
			// it: near INT_MAX the next step would overflow. Once a
			// write has failed, the rest of the listing would be
			// lost too.
			if (counter > bound - 2 || !std::cout)
				break;
		}
		// Some filesystems report a lost write only when the file is
		// closed, so close the descriptor; the runtime's own flush at
		// exit then finds nothing left to write. EBADF after a good
		// flush may mean only that standard output was closed, which
		// loses nothing when there was nothing to list; after a listing
		// it is a failed close like any other.
		failed = "write";
		if (std::cout.flush() &&
		    (close(1) == 0 || (errno == EBADF && bound < 2)))
			return 0;
	}
	// One write for the whole line, far shorter than PIPE_BUF, so that it
	// stays whole on a standard error that other programs share.
	char line[128];
	const int length = std::snprintf(line, sizeof line,
	    "problem1: %s error: %s\n", failed, std::strerror(errno));

	if (length > 0 && write(2, line, std::strlen(line)) < 0) {
		// Not even this line got out; the status still tells.
	}
	return 1;
}
