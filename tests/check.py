#!/usr/bin/env python3
"""Run problem1 on each row of the named groups; compare stdout, stderr and status exactly.

Standard error is a socket that keeps each write a message of its own, so a
message must come in one write to compare equal.

usage: check.py CAUSES [--preload LIBRARY] GROUP... -- COMMAND...

COMMAND is the program, behind whatever runs it: an emulator or valgrind.
CAUSES, run in its place, gives each error the rows name by its number and
the C library's words for it; top-of-range does not run it.
"""
import contextlib
import os
import pty
import resource
import signal
import socket
import subprocess
import sys
import tempfile
from typing import NamedTuple

# Seconds a row may take, ten times as long behind an emulator or valgrind: a
# listing that goes on after a failed write takes some ten seconds.
LIMIT = 3


class Row(NamedTuple):
    stdin: bytes
    out: bytes
    status: int = 0
    err: bytes = b""  # the one message on stderr, which must come in one write
    # Where stdout goes: "pipe" (read back), "full" (/dev/full), "closed" (no
    # fd 1), "gone" (a pipe with no reader), "gone-ignored" (the same, SIGPIPE
    # ignored), "fsize" (a file, read back, with the file size limit at
    # FSIZE bytes), "close:EDQUOT" (a file that holds HEADER, whose close
    # fails with that error: needs --preload) or "tty" (the terminal that
    # stdin is, with stderr: out is all the terminal shows, the echo first).
    to: str = "pipe"
    # Where stdin comes from: "pipe" (holding stdin, then closed), "open" (a
    # pipe holding stdin and kept open, as at a terminal), "nonblock" (the
    # same, non-blocking: the read after it fails with EAGAIN), "file" (a
    # regular file, whose unread rest is then appended to the output, as
    # "{ problem1; cat; } < file" shows it), "null" (/dev/null), "dir" (a
    # directory), "closed" (no fd 0), "small" (a pipe, with the program's
    # address space limited to 16 MiB) or "tty" (a terminal, where stdin is
    # typed as a line and the terminal stays open; to="tty" goes with it).
    src: str = "pipe"
    args: tuple = ()  # command-line arguments, which change nothing


def evens(bound):
    return b"".join(b"%d " % k for k in range(2, bound + 1, 2))


# The message for the error named, in the C library's words once they are known.
def failed(cause, what=b"write"):
    return b"problem1: " + what + b" error: %(" + cause + b")s\n"


TOP = 2147483647
HEADER = b"header\n"
FSIZE = 4096
GROUPS = {
    "listing": [
        Row(b"10", b"2 4 6 8 10 "),
        Row(b"9", b"2 4 6 8 "),
        Row(b"2", b"2 "),
        Row(b"3", b"2 "),
        Row(b"10\n", b"2 4 6 8 10 "),
        Row(b"10", b"2 4 6 8 10 ", args=("--version", "4")),
        Row(b"10", b"2 4 6 8 10 ", args=("--help",)),
        Row(b"1000000", evens(1000000)),
    ],
    "below-two": [
        Row(b"1", b""),
        Row(b"0", b""),
        Row(b"-6", b""),
        Row(b"-2147483648", b""),
        Row(b"-99999999999", b""),
        Row(b"-4294967294", b""),  # 2 modulo 2**32
    ],
    # No number: the bound is 0.
    "no-number": [
        Row(b"abc", b""),
        Row(b"-", b""),
        Row(b"+ 4", b""),
        Row(b"", b""),
        Row(b" \n\t\n", b""),
        Row(b"", b"", src="null"),
    ],
    "reading": [
        Row(b"+4", b"2 4 "),
        Row(b" \t\n\v\f\r\n6 100", b"2 4 6 "),
        Row(b"7.9", b"2 4 6 "),
        Row(b"12abc", evens(12)),
        Row(b"8-3", evens(8)),
        Row(b"010", evens(10)),
        Row(b"0x10", b""),
        # 0 modulo 2**32: the bound is TOP, and the listing runs into the limit.
        Row(b"4294967296", evens(10000)[:FSIZE], -signal.SIGXFSZ, to="fsize"),
        Row(b"4 ", b"2 4 ", src="open"),  # ends without waiting for the end of the input
        Row(b"4\n", b"4\r\n2 4 ", src="tty", to="tty"),  # nor asks for the bound
        Row(b"10 20\n", b"2 4 6 8 10  20\n", src="file"),
    ],
    "write-error": [
        Row(b"10", b"", 1, failed(b"ENOSPC"), "full"),
        Row(b"1000000", b"", 1, failed(b"ENOSPC"), "full"),
        Row(b"%d" % TOP, b"", 1, failed(b"ENOSPC"), "full"),
        Row(b"99999999999", b"", 1, failed(b"ENOSPC"), "full"),
        Row(b"1", b"", 0, b"", "full"),
        Row(b"10", b"", 1, failed(b"EBADF"), "closed"),
        Row(b"1", b"", 0, b"", "closed"),  # nothing to write, nothing lost
        Row(b"10", b"", -13, b"", "gone"),  # killed by SIGPIPE
        Row(b"1000000", b"", 1, failed(b"EPIPE"), "gone-ignored"),
    ],
    "read-error": [
        Row(b"", b"", 1, failed(b"EISDIR", b"read"), src="dir"),
        Row(b"", b"", 1, failed(b"EBADF", b"read"), src="closed"),
        Row(b"2", b"", 1, failed(b"EAGAIN", b"read"), src="nonblock"),
        Row(b"2 ", b"2 ", src="nonblock"),  # the number was whole: nothing more is read
    ],
    # The file holds a line from an earlier command, which the close can lose
    # too, whether or not anything was listed after it.
    "close-error": [
        Row(b"1000", HEADER + evens(1000), 1, failed(b"EDQUOT"), "close:EDQUOT"),
        Row(b"1", HEADER, 1, failed(b"EDQUOT"), "close:EDQUOT"),
        Row(b"1000", HEADER + evens(1000), 1, failed(b"EBADF"), "close:EBADF"),
        Row(b"2", HEADER + b"2 ", 1, failed(b"EBADF"), "close:EBADF"),
    ],
    # libc++ keeps every digit it reads in a buffer that grows: here it
    # cannot, and the number is lost. Its conversion of the digits leaves
    # ERANGE in errno after a read that failed, which is no cause of the read's.
    "libcxx-reading": [
        Row(b"0" * (16 << 20) + b"4 ", b"", 1, failed(b"ENOMEM", b"read"), src="small"),
        Row(b"9" * 20, b"", 1, b"problem1: read error\n", src="nonblock"),
    ],
}


def run(cmd, row, env, keep, limit, numbers):
    """Return (stdout, the writes to stderr, status) of one run; stdout is b"" unless it is read back."""
    stdin, stdout, writer = subprocess.PIPE, subprocess.PIPE, None
    if row.src in ("dir", "null"):
        stdin = os.open("/" if row.src == "dir" else os.devnull, os.O_RDONLY)
    elif row.src in ("open", "nonblock"):
        stdin, writer = os.pipe()
        os.set_blocking(stdin, row.src == "open")  # a flag of the pipe's end, which the child shares
        os.write(writer, row.stdin)
    elif row.src == "tty":
        writer, stdin = pty.openpty()
        os.write(writer, row.stdin)
    elif row.src == "file":
        stdin = tempfile.TemporaryFile(buffering=0)
        stdin.write(row.stdin)
        stdin.seek(0)
    if row.to == "full":
        stdout = os.open("/dev/full", os.O_WRONLY)
    elif row.to == "fsize":
        stdout = tempfile.TemporaryFile(buffering=0)
    elif row.to == "tty":
        stdout = stdin  # the terminal, which stderr shares
    elif row.to.startswith("close:"):
        stdout = tempfile.TemporaryFile(buffering=0)
        stdout.write(HEADER)
        env = dict(env or os.environ, CLOSE_FAILS_WITH=numbers[row.to[6:].encode()])
    elif row.to.startswith("gone"):
        reader, stdout = os.pipe()
        os.close(reader)
    errors, stderr = socket.socketpair(socket.AF_UNIX, socket.SOCK_SEQPACKET)
    closed = [fd for fd, where in ((0, row.src), (1, row.to)) if where == "closed"]

    def child():
        for fd in closed:
            os.close(fd)
        if row.src == "small":
            resource.setrlimit(resource.RLIMIT_AS, (16 << 20, 16 << 20))
        if row.to == "fsize":
            resource.setrlimit(resource.RLIMIT_FSIZE, (FSIZE, FSIZE))

    proc = subprocess.Popen(cmd + list(row.args), stdin=stdin, stdout=stdout, env=env, pass_fds=keep,
                            stderr=stdout if row.to == "tty" else stderr, preexec_fn=child,
                            restore_signals=row.to != "gone-ignored")
    stderr.close()  # the child has its own copy, as it has of these
    for fd in {stdin, stdout}:
        if isinstance(fd, int) and fd >= 0:
            os.close(fd)
    try:
        out = proc.communicate(row.stdin if stdin == subprocess.PIPE else None, limit)[0]
    except subprocess.TimeoutExpired:
        proc.kill()  # the row fails with status -9
        out = proc.communicate()[0]
    with errors:
        err = tuple(iter(lambda: errors.recv(1 << 16), b""))  # a message a write, up to the end
    if row.to == "tty":  # what the terminal shows: its reads fail once no program has it open
        out = b""
        with contextlib.suppress(OSError):
            while chunk := os.read(writer, 1 << 16):
                out += chunk
    if writer is not None:
        os.close(writer)
    if row.src == "file":
        out += stdin.read()
    if not isinstance(stdout, int):  # a file, read back
        stdout.seek(0)
        out = stdout.read()
        stdout.close()
    return out or b"", err, proc.returncode


def top_of_range(cmd):
    """The whole listing for a bound beyond int, streamed: its size, its ends and the status.

    The bound read is TOP; a bound or counter wider than int would list on past 2147483646.
    """
    size = 11255604507  # bytes in the listing up to 2147483646
    want = (b"2 4 6 8 10 ", b"2147483644 2147483646 ", size, b"", 0)
    proc = subprocess.Popen(cmd, stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    proc.stdin.write(b"99999999999")
    proc.stdin.close()
    head, tail, total = b"", b"", 0
    while chunk := proc.stdout.read(1 << 20):
        head = head or chunk[:11]
        tail = (tail + chunk[-22:])[-22:]
        total += len(chunk)
        if total > size:
            proc.kill()  # stepping past the last even number, it may never end
            break
    err, status = proc.stderr.read(), proc.wait()
    if (head, tail, total, err, status) != want:
        longer = " (stopped: longer than the listing)" if total > size else ""
        print(f"FAIL top-of-range: got {(head, tail, total, err, status)}{longer}, want {want}")
        return False
    return True


def main(argv):
    end = argv.index("--")
    (helper, *groups), cmd, env, keep = argv[1:end], argv[end + 1:], None, ()
    limit = LIMIT * 10 if len(cmd) > 1 else LIMIT
    if groups[:1] == ["--preload"]:
        # The loader splits LD_PRELOAD at spaces and colons, and LD_LIBRARY_PATH
        # at colons and semicolons, so the library goes by the name of a
        # descriptor open on it, which holds none of them whatever its path.
        # The sanitizer runtime insists on coming first unless told otherwise.
        keep = (os.open(groups[1], os.O_RDONLY),)
        asan = os.environ.get("ASAN_OPTIONS", "")
        env = dict(os.environ, LD_PRELOAD=f"/proc/self/fd/{keep[0]}",
                   ASAN_OPTIONS=asan + ":verify_asan_link_order=0")
        groups = groups[2:]
    if groups == ["top-of-range"]:
        return 0 if top_of_range(cmd) else 1
    lines = subprocess.run(cmd[:-1] + [helper], capture_output=True, check=True).stdout.splitlines()
    causes = [line.split(b" ", 2) for line in lines]  # name, number, words
    numbers, words = {name: number for name, number, _ in causes}, {name: text for name, _, text in causes}
    failures = 0
    for group in groups:
        for row in GROUPS[group]:
            got = run(cmd, row, env, keep, limit, numbers)
            want = (row.out, (row.err % words,) if row.err else (), row.status)
            if got != want:
                failures += 1
                args = f" with arguments {row.args}" if row.args else ""
                print(f"FAIL {group} {clip(row.stdin)!r} from {row.src} to {row.to}{args}:\n"
                      f"  got  {describe(got)}\n  want {describe(want)}")
    return 1 if failures else 0


def clip(data):
    return data if len(data) <= 60 else data[:24] + b"..." + data[-24:] + b" (%d bytes)" % len(data)


def describe(result):
    out, err, status = result
    killed = " (killed at the time limit)" if status == -9 else ""
    return f"stdout {clip(out)!r} stderr {err!r} status {status}{killed}"


if __name__ == "__main__":
    sys.exit(main(sys.argv))
