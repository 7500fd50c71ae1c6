#!/usr/bin/env python3
"""Run problem1 on each row of the named groups; compare stdout, stderr and status exactly.

usage: check.py PROGRAM [--wrap COMMAND] GROUP...
"""
import os
import shlex
import subprocess
import sys
from typing import NamedTuple


class Row(NamedTuple):
    stdin: bytes
    out: bytes
    status: int = 0
    err: bytes = b""
    # Where stdout goes: "pipe" (read back), "open-stdin" (a pipe, with stdin
    # left open as at a terminal), "full" (/dev/full), "closed" (no fd 1),
    # "gone" (a pipe with no reader) or "gone-ignored" (the same, SIGPIPE ignored).
    to: str = "pipe"


def evens(bound):
    return b"".join(b"%d " % k for k in range(2, bound + 1, 2))


def failed(why):
    return b"problem1: write error: " + why + b"\n"


TOP = 2147483647
GROUPS = {
    "listing": [
        Row(b"10", b"2 4 6 8 10 "),
        Row(b"9", b"2 4 6 8 "),
        Row(b"2", b"2 "),
        Row(b"3", b"2 "),
        Row(b"10\n", b"2 4 6 8 10 "),
        Row(b"1000000", evens(1000000)),
    ],
    "nothing": [
        Row(b"1", b""),
        Row(b"0", b""),
        Row(b"-6", b""),
        Row(b"-2147483648", b""),
        Row(b"-99999999999", b""),
        Row(b"abc", b""),
        Row(b"-", b""),
        Row(b"+ 4", b""),
        Row(b"0x10", b""),
    ],
    "reading": [
        Row(b"+4", b"2 4 "),
        Row(b" \t\n\v\f\r\n6 100", b"2 4 6 "),
        Row(b"7.9", b"2 4 6 "),
        Row(b"12abc", evens(12)),
        Row(b"8-3", evens(8)),
        Row(b"010", evens(10)),
        Row(b"4\n", b"2 4 ", to="open-stdin"),
    ],
    "empty": [
        Row(b"", b""),
        Row(b" \n\t\n", b""),
    ],
    "write-error": [
        Row(b"10", b"", 1, failed(b"No space left on device"), "full"),
        Row(b"1000000", b"", 1, failed(b"No space left on device"), "full"),
        Row(b"%d" % TOP, b"", 1, failed(b"No space left on device"), "full"),
        Row(b"1", b"", 0, b"", "full"),
        Row(b"10", b"", 1, failed(b"Bad file descriptor"), "closed"),
        Row(b"10", b"", -13, b"", "gone"),  # killed by SIGPIPE
        Row(b"1000000", b"", 1, failed(b"Broken pipe"), "gone-ignored"),
    ],
}


def run(cmd, row):
    """Return (stdout, stderr, status) of one run; stdout is b"" unless it is read back."""
    stdout, preexec = subprocess.PIPE, None
    if row.to == "full":
        stdout = os.open("/dev/full", os.O_WRONLY)
    elif row.to == "closed":
        stdout, preexec = None, lambda: os.close(1)
    elif row.to.startswith("gone"):
        reader, stdout = os.pipe()
        os.close(reader)
    proc = subprocess.Popen(cmd, stdin=subprocess.PIPE, stdout=stdout, stderr=subprocess.PIPE,
                            preexec_fn=preexec, restore_signals=row.to != "gone-ignored")
    if stdout not in (subprocess.PIPE, None):
        os.close(stdout)  # the child has its own copy
    if row.to != "open-stdin":
        out, err = proc.communicate(row.stdin)
        return out or b"", err, proc.returncode
    proc.stdin.write(row.stdin)
    proc.stdin.flush()
    # These reads end only if problem1 exits without waiting for the end of its input.
    out, err = proc.stdout.read(), proc.stderr.read()
    proc.stdin.close()
    return out, err, proc.wait()


def top_of_range(cmd):
    """The whole listing for the largest bound, streamed: its size, its ends and the status."""
    proc = subprocess.Popen(cmd, stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    proc.stdin.write(b"%d" % TOP)
    proc.stdin.close()
    head, tail, total = b"", b"", 0
    while chunk := proc.stdout.read(1 << 20):
        head = head or chunk[:11]
        tail = (tail + chunk[-22:])[-22:]
        total += len(chunk)
    err, status = proc.stderr.read(), proc.wait()
    want = (b"2 4 6 8 10 ", b"2147483644 2147483646 ", 11255604507, b"", 0)
    if (head, tail, total, err, status) != want:
        print(f"FAIL top-of-range: got {(head, tail, total, err, status)}, want {want}")
        return False
    return True


def main(argv):
    cmd, groups = [argv[1]], argv[2:]
    if groups[:1] == ["--wrap"]:
        cmd, groups = shlex.split(groups[1]) + cmd, groups[2:]
    if groups == ["top-of-range"]:
        return 0 if top_of_range(cmd) else 1
    failures = 0
    for group in groups:
        for row in GROUPS[group]:
            got, want = run(cmd, row), (row.out, row.err, row.status)
            if got != want:
                failures += 1
                print(f"FAIL {group} {row.stdin!r} to {row.to}:\n  got  {shorten(got)}\n  want {shorten(want)}")
    return 1 if failures else 0


def shorten(result):
    out, err, status = result
    if len(out) > 60:
        out = out[:24] + b"..." + out[-24:] + b" (%d bytes)" % len(out)
    return f"stdout {out!r} stderr {err!r} status {status}"


if __name__ == "__main__":
    sys.exit(main(sys.argv))
