#!/usr/bin/env python3
"""Makes the release archive from the built binaries and checks it: the listing is exactly what
an installer author expects, every entry carries the release's time and the same permissions, the
sums match, the binaries carry the release's time as their link time with a valid checksum and no
signature, and the 32-bit DLL inside passes the static checks.
check_package.py SOURCE_DIR X86_DIR X64_DIR WORK_DIR. Exits 77 (skipped) when either Windows build
is missing. Run it with a Python that has pefile (Debian's python3-pefile)."""
import hashlib
import os
import pathlib
import subprocess
import sys
import time
import zipfile

import pefile

EXPECTED = [
    "x86/Tovrel.dll", "x64/Tovrel.dll", "x64/tovrel.exe", "Tovrel.iss", "Tovrel.h",
    "examples/installer/Example.iss", "examples/installer/settings.xml", "GUIDE.md", "README.md",
    "CHANGELOG.md", "LICENSE", "THIRD-PARTY-NOTICES", "SHA256SUMS",
]
BINARIES = EXPECTED[:3]
# 2023-11-14 22:13:20 UTC.
EPOCH = 1700000000


def check_binary(name, data):
    failures = []
    image = pefile.PE(data=data)
    if image.FILE_HEADER.TimeDateStamp != EPOCH:
        failures.append(f"{name}: link time {image.FILE_HEADER.TimeDateStamp}, not {EPOCH}")
    if hasattr(image, "DIRECTORY_ENTRY_EXPORT") and \
            image.DIRECTORY_ENTRY_EXPORT.struct.TimeDateStamp != EPOCH:
        failures.append(f"{name}: the export directory's time is not {EPOCH}")
    if not image.verify_checksum():
        failures.append(f"{name}: the PE checksum does not match the file")
    security = image.OPTIONAL_HEADER.DATA_DIRECTORY[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_SECURITY"]]
    if security.Size:
        failures.append(f"{name}: signed, though the archive was made without --sign")
    return failures


def main(source, x86, x64, work):
    source, work = pathlib.Path(source), pathlib.Path(work)
    for preset, folder in (("mingw32", x86), ("mingw64", x64)):
        if not (pathlib.Path(folder) / "Tovrel.dll").is_file():
            print(f"skipped: the {preset} build is missing; build it to check the archive")
            return 77
    version = "check"
    archive = work / f"Tovrel-{version}.zip"
    make_package = [sys.executable, source / "scripts/make-package"]
    # Far from UTC, so that a local time shows.
    env = {**os.environ, "TZ": "Pacific/Kiritimati"}
    subprocess.run(make_package + ["stage", str(EPOCH), x86, x64, work / "stage"], check=True,
                   env=env)
    subprocess.run(make_package + ["zip", version, str(EPOCH), work / "stage", archive],
                   check=True, env=env)
    failures = []
    root = f"Tovrel-{version}/"
    with zipfile.ZipFile(archive) as package:
        names = package.namelist()
        expected = [root + name for name in EXPECTED]
        if names != expected:
            failures.append(f"listing {names}, expected {expected}")
        for info in package.infolist():
            if info.date_time != time.gmtime(EPOCH)[:6]:
                failures.append(f"{info.filename} is dated {info.date_time}")
            if info.external_attr >> 16 != 0o100644 or info.create_system != 3:
                failures.append(f"{info.filename} has mode {info.external_attr >> 16:o}")
        sums = package.read(root + "SHA256SUMS").decode().splitlines()
        for line in sums:
            digest, name = line.split("  ", 1)
            if hashlib.sha256(package.read(root + name)).hexdigest() != digest:
                failures.append(f"sum of {name} does not match")
        if sorted(line.split("  ", 1)[1] for line in sums) != sorted(EXPECTED[:-1]):
            failures.append(f"the sums cover {len(sums)} files, not the {len(EXPECTED) - 1} others")
        for name in BINARIES:
            failures += check_binary(name, package.read(root + name))
        dll = work / "x86-Tovrel.dll"
        dll.write_bytes(package.read(root + "x86/Tovrel.dll"))
    beside = pathlib.Path(f"{archive}.sha256").read_text()
    if beside != f"{hashlib.sha256(archive.read_bytes()).hexdigest()}  {archive.name}\n":
        failures.append(f"{archive.name}.sha256 does not give the archive's sum: {beside!r}")
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
