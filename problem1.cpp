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
	// from the end of the input. A failed read may have cut the number
	// short, so nothing is listed from it.
	if (!std::ferror(stdin)) {
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
		// exit then finds nothing left to write. After a good flush,
		// EBADF means standard output was closed and nothing was
		// written to it, so nothing was lost.
		failed = "write";
		if (std::cout.flush() && (close(1) == 0 || errno == EBADF))
			return 0;
	}
	const char *why = std::strerror(errno); // before cerr can touch errno

	std::cerr << "problem1: " << failed << " error: " << why << '\n';
	return 1;
}
