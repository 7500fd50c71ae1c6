// problem1: read a bound from standard input and write every even number
// from 2 up to and including it, each followed by one space.

#include <cerrno>
#include <cstring>
#include <iostream>

int
main()
{
	int bound = 0; // input with no number in it lists nothing

	std::cin >> bound;
	for (int counter = 2; counter <= bound; counter += 2) {
		std::cout << counter << " ";
		// End on the last even number instead of stepping past it: near
		// INT_MAX the next step would overflow. Once a write has failed,
		// the rest of the listing would be lost too.
		if (counter > bound - 2 || !std::cout)
			break;
	}
	if (!std::cout.flush()) {
		const char *why = std::strerror(errno); // before cerr can touch errno

		std::cerr << "problem1: write error: " << why << '\n';
		return 1;
	}
	return 0;
}
