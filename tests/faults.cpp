// Preloaded into problem1 to stand in for filesystems that misbehave:
// standard output reports a lost write only when it is closed, as a network
// filesystem over quota does (close() fails, with the error number given in
// CLOSE_FAILS_WITH, once anything has been written to it), and standard
// error takes a few bytes a write, as a FUSE filesystem may.

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

extern "C" int
close(int fd)
{
	struct stat st {};
	const bool written = fd == 1 && fstat(fd, &st) == 0 && st.st_size > 0;
	const char *error = std::getenv("CLOSE_FAILS_WITH");

	if (syscall(SYS_close, fd) != 0)
		return -1;
	if (written && error != nullptr) {
		errno = static_cast<int>(std::strtol(error, nullptr, 10));
		return -1;
	}
	return 0;
}

extern "C" ssize_t
write(int fd, const void *buffer, size_t size)
{
	return syscall(SYS_write, fd, buffer, fd == 2 && size > 7 ? 7 : size);
}
