#!/usr/bin/env python3
"""Check what the build promises beyond the program's behaviour, on what ships.

usage: promises.py install --cmake= --readelf= --build= --config= --prefix= --bindir= --mandir=
           --version= -- [EMULATOR...]
       promises.py hardening --readelf= --objdump= -- PROGRAM PROMISE...

Each option takes its value after the =, so that an empty one shifts no other.

install: installs every component of the build as the README does, without
--prefix, but under umask 077 and staged with DESTDIR in a temporary
directory here, where absolute install directories land too and the program
can run, under EMULATOR if given. It wants exactly PREFIX/BINDIR/problem1
(0755, stripped, listing for 10) and PREFIX/MANDIR/man1/problem1.1 (0644, the
page configured for VERSION), both regular files, and the build's
install_manifest.txt naming them without DESTDIR. Each relative prefix must
be refused, writing nothing. The manifest is put back as it was.

hardening: each PROMISE is pie, static, dynamic, relro, relr, canary or cet, or NAME=WHY
for one that this build is not to have, which is skipped and said so. The
branch-target mark, and in a static program the canary, are looked for in
the program's own main, as a static program holds the C library's code too.
"""
import os
import re
import stat
import subprocess
import sys
import tempfile

# binutils translate their output.
C_LOCALE = dict(os.environ, LC_ALL="C")


def tool(*cmd):
    return subprocess.run(cmd, capture_output=True, text=True, check=True, env=C_LOCALE).stdout


def tree(top):
    """Every path under top, with what a write would change of it."""
    found = {}
    for d, dirs, files in os.walk(top):
        for name in dirs + files:
            st = os.lstat(os.path.join(d, name))
            found[os.path.join(d, name)] = (st.st_mode, st.st_size, st.st_mtime_ns)
    return found


def files(top):
    """Every file under top, by its path from top, with its mode as ls writes it."""
    return {os.path.relpath(path, top): stat.filemode(mode)
            for path, (mode, _, _) in tree(top).items() if not stat.S_ISDIR(mode)}


def install(emulator, cmake, readelf, build, config, prefix, bindir, mandir, version):
    program = os.path.relpath(os.path.join(prefix, bindir, "problem1"), "/")
    page = os.path.relpath(os.path.join(prefix, mandir, "man1", "problem1.1"), "/")
    cmd = [cmake, "--install", build, "--config", config, "--strip"]
    unset = ("DESTDIR", "CMAKE_INSTALL_MODE", "CMAKE_INSTALL_PREFIX")
    env = {k: v for k, v in os.environ.items() if k not in unset}
    manifest = os.path.join(build, "install_manifest.txt")
    kept = open(manifest, "rb").read() if os.path.exists(manifest) else None
    os.umask(0o077)
    failures = []
    with tempfile.TemporaryDirectory(dir=".") as tmp:
        tmp = os.path.abspath(tmp)
        stage, cwd = tmp + "/stage", tmp + "/w/w"
        try:
            subprocess.run(cmd, env=dict(env, DESTDIR=stage), check=True, stdout=subprocess.DEVNULL)
            listed = open(manifest, encoding="utf-8").read().splitlines()
            # Relative to cwd, or run together with DESTDIR, every prefix stays in tmp.
            os.makedirs(cwd)
            before = tree(tmp)
            for prefix in ("rel", "other", "./x", "../x", "x/"):
                for destdir in ({}, {"DESTDIR": tmp + "/d"}):
                    status = subprocess.run(cmd + ["--prefix", prefix], cwd=cwd, env=dict(env, **destdir),
                                            capture_output=True).returncode
                    after = tree(tmp)
                    if status == 0 or after != before:
                        failures.append(f"the relative prefix {prefix!r} with {destdir or 'no DESTDIR'}: "
                                        f"status {status}, new paths {sorted(after.keys() - before.keys())[:2]}")
                    before = after
        finally:
            if kept is not None:
                with open(manifest, "wb") as f:
                    f.write(kept)
            elif os.path.exists(manifest):
                os.remove(manifest)
        got = files(stage)
        want = {program: "-rwxr-xr-x", page: "-rw-r--r--"}
        named = sorted("/" + path for path in want)  # under the prefix, without DESTDIR
        if sorted(listed) != named:
            failures.append(f"install_manifest.txt names {listed}, want {named}")
        if got != want:
            failures.append(f"installed {got}, want {want}")
        elif ".symtab" in tool(readelf, "-S", "-W", f"{stage}/{program}"):
            failures.append(f"the installed {program} is not stripped")
        else:
            listing = subprocess.run([*emulator, f"{stage}/{program}"], input=b"10", capture_output=True).stdout
            if listing != b"2 4 6 8 10 ":
                failures.append(f"the installed program listed {listing!r} for 10")
            text = open(f"{stage}/{page}", encoding="utf-8").read()
            missing = {".Dt PROBLEM1 1", f".Os problem1 {version}"} - set(text.splitlines())
            if missing or re.search(r"@\w+@", text):
                failures.append(f"the installed {page} lacks {sorted(missing)} or holds an unreplaced @NAME@")
    return failures


def hardening(words, readelf, objdump):
    program, *promises = words
    info = tool(readelf, "-W", "-h", "-l", "-d", "-s", program)
    thumb = 1 if re.search(r"^\s*Machine:\s+ARM$", info, re.M) else 0  # Thumb code's symbols are odd
    mains = {(int(value, 16) & ~thumb, int(size)) for value, size in
             re.findall(r"^\s*\d+: ([0-9a-f]+)\s+(\d+) FUNC .* main(?:\.cold)?$", info, re.M)}
    code = "".join(tool(objdump, "-d", "--no-show-raw-insn", f"--start-address={start}",
                        f"--stop-address={start + size}", program) for start, size in mains)
    interp = re.search(r"^\s+INTERP\s", info, re.M)
    holds = {
        "pie": re.search(r"Type:\s+DYN\b", info),
        "static": not interp,
        # Linked against the shared C++ runtime, too, so that its fixes reach the program.
        "dynamic": interp and re.search(r"\(NEEDED\).*\[lib(std)?c\+\+\.so", info),
        # Full RELRO: the relocated data read-only, after every symbol is bound at start.
        "relro": re.search(r"^\s+GNU_RELRO\s", info, re.M) and re.search(r"\(FLAGS\)\s+BIND_NOW", info),
        "relr": re.search(r"\(RELR\)", info),  # packed relative relocations
        # Where the canary is kept differs by target, but the code calls this
        # when it has changed. A dynamically linked program imports it only
        # for its own code, which targets call in ways objdump does not
        # always name; a static one holds it, so main must call it by name,
        # or LLVM's for its local alias.
        "canary": re.search(r" UND __stack_chk_fail\b", info) if interp else
                  re.search(r"<__stack_chk_fail(_local)?>", code),
        "cet": re.search(r"<main>:\n\s*[0-9a-f]+:\s+endbr(64|32)\b", code),
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
    end = sys.argv.index("--")
    options = {name.replace("-", "_"): value for name, _, value in (arg[2:].partition("=") for arg in sys.argv[2:end])}
    # Where the toolchain has no such tool, CMake leaves its variable empty or NOTFOUND.
    failures = [f"no {name} to read the program with: configure with -DCMAKE_{name.upper()}=PATH"
                for name in ("readelf", "objdump") if options.get(name, "-") in ("", f"CMAKE_{name.upper()}-NOTFOUND")]
    failures = failures or {"install": install, "hardening": hardening}[sys.argv[1]](sys.argv[end + 1:], **options)
    for failure in failures:
        print("FAIL", failure)
    sys.exit(1 if failures else 0)
