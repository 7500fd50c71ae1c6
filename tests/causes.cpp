// Writes each error that the tests expect as its name, its number and the C
// library's description, a line each, so that they want the numbers and the
// words of the library that the program is built against.

#include <cerrno>
#include <cstdio>
#include <cstring>

#define CAUSE(name) (std::printf("%s %d %s\n", #name, name, std::strerror(name)) < 0)

int
main()
{
	return CAUSE(EAGAIN) || CAUSE(EBADF) || CAUSE(EDQUOT) || CAUSE(EISDIR) || CAUSE(ENOMEM) ||
	    CAUSE(ENOSPC) || CAUSE(EPIPE) || std::fflush(stdout) != 0;
}
