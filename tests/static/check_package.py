#!/usr/bin/env python3
"""Makes the release archive from the built binaries and checks it: the listing is exactly what
an installer author expects, the sums match, and the 32-bit DLL inside passes the static checks.
check_package.py SOURCE_DIR X86_DIR X64_DIR WORK_DIR. Exits 77 (skipped) when either Windows build
is missing."""
import hashlib
import pathlib
import subprocess
import sys
import zipfile

EXPECTED = [
    "x86/Tovrel.dll", "x64/Tovrel.dll", "x64/tovrel.exe", "Tovrel.iss", "Tovrel.h",
    "examples/installer/Example.iss", "examples/installer/settings.xml", "GUIDE.md", "README.md",
    "LICENSE", "SHA256SUMS",
]


def main(source, x86, x64, work):
    source, work = pathlib.Path(source), pathlib.Path(work)
    for preset, folder in (("mingw32", x86), ("mingw64", x64)):
        if not (pathlib.Path(folder) / "Tovrel.dll").is_file():
            print(f"skipped: the {preset} build is missing; build it to check the archive")
            return 77
    version = "check"
    archive = work / f"Tovrel-{version}.zip"
    subprocess.run([sys.executable, source / "scripts/make-package", version, x86, x64, archive],
                   check=True)
    failures = []
    with zipfile.ZipFile(archive) as package:
        names = package.namelist()
        expected = [f"Tovrel-{version}/{name}" for name in EXPECTED]
        if names != expected:
            failures.append(f"listing {names}, expected {expected}")
        sums = package.read(f"Tovrel-{version}/SHA256SUMS").decode().splitlines()
        for line in sums:
            digest, name = line.split("  ", 1)
            if hashlib.sha256(package.read(f"Tovrel-{version}/{name}")).hexdigest() != digest:
                failures.append(f"sum of {name} does not match")
        if len(sums) != len(EXPECTED) - 1:
            failures.append(f"{len(sums)} sums for {len(EXPECTED) - 1} files")
        dll = work / "x86-Tovrel.dll"
        dll.write_bytes(package.read(f"Tovrel-{version}/x86/Tovrel.dll"))
    check = subprocess.run([sys.executable, source / "tests/static/check_dll.py", dll,
                            source / "src/export/Tovrel.def",
                            source / "src/export/include/Tovrel.h"])
    if check.returncode != 0:
        failures.append("the static checks of the 32-bit DLL in the archive failed")
    for failure in failures:
        print("FAIL: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
