// Preloaded into problem1 to stand in for a filesystem that reports a lost
// write only when the file is closed, as a network filesystem over quota
// does: close() of standard output fails with the error named in
// CLOSE_FAILS_WITH, EDQUOT or EBADF. It goes by name because the numbers
// differ between targets.

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/syscall.h>
#include <unistd.h>

extern "C" int
close(int fd)
{
	const char *error = std::getenv("CLOSE_FAILS_WITH");

	if (syscall(SYS_close, fd) != 0)
		return -1;
	if (fd != 1 || error == nullptr)
		return 0;
	errno = std::strcmp(error, "EDQUOT") == 0 ? EDQUOT : std::strcmp(error, "EBADF") == 0 ? EBADF : EINVAL;
	return -1;
}
