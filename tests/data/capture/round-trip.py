#!/usr/bin/env python3
"""The capture round trip across the two builds.

The Windows build's tovrel.exe captures the sample machine from a Wine prefix into a folder; the
Linux build's tovrel replays that folder. Every report section, the five latest-installation
lookups, a firewall registration and the version of every captured image must come out as the
Windows build answers in the prefix. Exits 77 when the Linux build is missing.

usage: round-trip.py PREFIX TOVREL.EXE LINUX-TOVREL SETTINGS.xml WORK-DIR
"""
import os
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

SECTIONS = ["EXCEL", "VL", "AS", "FR", "PLATNIK"]
LOOKUPS = ["last-excel", "last-vl", "last-as", "last-fr", "last-platnik"]


def main():
    if len(sys.argv) != 6:
        sys.exit(__doc__)
    prefix, exe, linux_tool, settings, work = sys.argv[1:]
    if not os.access(linux_tool, os.X_OK):
        print(f"no Linux build at {linux_tool}: build the linux preset first; skipped")
        return 77
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    captured = os.path.join(work, "captured")
    wine_env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all")

    def windows(*arguments, code_page="cp1252"):
        run = subprocess.run(["/usr/lib/wine/wine64", exe, *arguments], env=wine_env,
                             capture_output=True, check=True)
        return run.stdout.decode(code_page).replace("\r\n", "\n")

    listing = windows("capture", "Z:" + captured)
    print(listing)
    code_page = re.search(r"TOVREL_ACP=(\d+)", listing).group(1)
    linux_env = dict(os.environ, TOVREL_ACP=code_page)

    def replayed(*arguments, machine=captured):
        run = subprocess.run([linux_tool, "--machine", machine, *arguments], env=linux_env,
                             capture_output=True, check=True)
        return run.stdout.decode("utf-8")

    failures = []

    def compare(what, expected, actual):
        if expected == actual:
            print(f"same  {what}: {expected!r}")
        else:
            failures.append(what)
            print(f"DIFFERS {what}: Windows {expected!r}, replay {actual!r}")

    reports = {}
    for side in ("windows", "linux"):
        reports[side] = os.path.join(work, side + ".xml")
        shutil.copyfile(settings, reports[side])
    windows("report", "Z:" + reports["windows"], code_page=f"cp{code_page}")
    replayed("report", reports["linux"])
    trees = {side: ElementTree.parse(path).getroot() for side, path in reports.items()}
    for section in SECTIONS:
        apps = {}
        for side, root in trees.items():
            node = root.find(f".//INSTALLEDAPPS/{section}")
            apps[side] = [] if node is None else [(app.tag, app.get("NAME"), app.text)
                                                  for app in node]
        if not apps["windows"]:
            failures.append(section)
            print(f"EMPTY {section}: the Windows build found nothing, so nothing is compared")
        compare(f"report section {section}", apps["windows"], apps["linux"])

    for lookup in LOOKUPS:
        compare(lookup, windows(lookup, code_page=f"cp{code_page}"), replayed(lookup))

    # The firewall's state decides whether a registration is made (Wine's firewall is off); the
    # replay registers in a copy, so that the captured folder stays as it was written.
    registration = [r"C:\Ostrik\vl.exe", "Velmora", "1"]
    firewall_copy = os.path.join(work, "firewall-replay")
    shutil.copytree(captured, firewall_copy)
    compare("add-to-firewall", windows("add-to-firewall", *registration),
            replayed("add-to-firewall", *registration, machine=firewall_copy))

    drives = os.path.join(captured, "drives")
    for folder, _, names in os.walk(drives):
        for name in names:
            image = os.path.join(folder, name)
            with open(image, "rb") as stream:
                if stream.read(2) != b"MZ":
                    continue
            relative = os.path.relpath(image, drives).split(os.sep)
            path = relative[0].upper() + ":\\" + "\\".join(relative[1:])
            original = windows("query-version-info", path)
            compare(f"version of {path}, Windows reading the image",
                    original, windows("query-version-info", "Z:" + image))
            compare(f"version of {path}, replay", original, replayed("query-version-info", path))

    print(f"{len(failures)} differences" + (": " + ", ".join(failures) if failures else ""))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
