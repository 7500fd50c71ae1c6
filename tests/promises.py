#!/usr/bin/env python3
"""Check what the build promises beyond the program's behaviour, on what ships.

usage: promises.py install CMAKE BUILD CONFIG BUILT PROGRAM PAGE
       promises.py hardening READELF OBJDUMP PROGRAM PROMISE...

install: installs the build into a temporary prefix, as the README does but
under umask 077, and wants exactly PROGRAM (0755, listing for 10) and PAGE
(0644), named under the prefix. A relative prefix must be refused before
anything is copied, and must leave alone a copy of the BUILT program where
DESTDIR and that prefix run together.

hardening: each PROMISE is pie, static, relro, canary or cet, or NAME=WHY
for one that this build is not to have, which is skipped and said so. The
canary and the branch-target mark are looked for in the program's own main,
as a static program holds the C library's code too.
"""
import filecmp
import os
import re
import shutil
import subprocess
import sys
import tempfile

# binutils translate their output.
C_LOCALE = dict(os.environ, LC_ALL="C")


def tool(*cmd):
    return subprocess.run(cmd, capture_output=True, text=True, check=True, env=C_LOCALE).stdout


def install(cmake, build, config, built, program, page):
    # Installed by component, CMake writes its list of the files to
    # install_manifest_Unspecified.txt, leaving alone the install_manifest.txt
    # that tells the user what they installed.
    cmd = [cmake, "--install", build, "--config", config, "--component", "Unspecified", "--strip"]
    env = {k: v for k, v in os.environ.items() if k != "DESTDIR"}
    os.umask(0o077)
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run(cmd + ["--prefix", tmp + "/p"], env=env, check=True, stdout=subprocess.DEVNULL)
        got = {os.path.relpath(os.path.join(d, f), tmp + "/p"): oct(os.stat(os.path.join(d, f)).st_mode & 0o7777)
               for d, _, files in os.walk(tmp + "/p") for f in files}
        want = {program: "0o755", page: "0o644"}
        listing = subprocess.run([f"{tmp}/p/{program}"], input=b"10", capture_output=True).stdout
        # CMake would copy under tmp/d/<cwd>/rel and strip tmp/drel.
        os.makedirs(f"{tmp}/drel/bin")
        decoy = shutil.copy(built, f"{tmp}/drel/bin/problem1")
        relative = subprocess.run(cmd + ["--prefix", "rel"], cwd=tmp, env=dict(env, DESTDIR=tmp + "/d"),
                                  capture_output=True)
        touched = not filecmp.cmp(built, decoy, shallow=False) or os.path.exists(tmp + "/d")
    failures = []
    if got != want:
        failures.append(f"installed {got}, want {want}")
    if listing != b"2 4 6 8 10 ":
        failures.append(f"the installed program listed {listing!r} for 10")
    if relative.returncode == 0 or touched:
        failures.append(f"a relative prefix under DESTDIR: status {relative.returncode}, touched: {touched}")
    return failures


def hardening(readelf, objdump, program, *promises):
    info = tool(readelf, "-W", "-h", "-l", "-d", "-s", program)
    mains = set(re.findall(r"^\s*\d+: ([0-9a-f]+)\s+(\d+) FUNC .* (main(?:\.cold)?)$", info, re.M))
    code = "".join(tool(objdump, "-d", "--no-show-raw-insn", f"--start-address=0x{start}",
                        f"--stop-address={int(start, 16) + int(size)}", program) for start, size, _ in mains)
    holds = {
        "pie": re.search(r"Type:\s+DYN\b", info),
        "static": not re.search(r"^\s+INTERP\s", info, re.M),
        "relro": re.search(r"^\s+GNU_RELRO\s", info, re.M) and re.search(r"\(FLAGS\)\s+BIND_NOW", info),  # full
        # binutils writes the canary's offset as 0x28, LLVM as 40.
        "canary": re.search(r"%fs:(0x28|40)\b", code) and re.search(r"<__stack_chk_fail(@plt)?>", code),
        "cet": re.search(r"<main>:\n\s*[0-9a-f]+:\s+endbr64\b", code),
    }
    failures = [] if mains else [f"no symbol main in {program}"]
    for promise in promises:
        name, _, why = promise.partition("=")
        if why:
            print(f"skipped: {name}: {why}")
        elif not holds[name]:
            failures.append(f"{name} promised, but not in {program}")
    return failures


if __name__ == "__main__":
    failures = {"install": install, "hardening": hardening}[sys.argv[1]](*sys.argv[2:])
    for failure in failures:
        print("FAIL", failure)
    sys.exit(1 if failures else 0)
