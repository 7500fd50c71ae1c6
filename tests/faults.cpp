// Preloaded into problem1 to stand in for a filesystem that reports a lost
// write only when the file is closed, as a network filesystem over quota
// does: close() of standard output fails with the error numbered in
// CLOSE_FAILS_WITH, as the target numbers it.

#include <cerrno>
#include <cstdlib>
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
	errno = static_cast<int>(std::strtol(error, nullptr, 10));
	return -1;
}
