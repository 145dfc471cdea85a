#!/usr/bin/env python3
"""Checks what the real-host run left in its out/ folder, or gives the README's quick start.

check.py snippet README.md    prints the quick-start script that README.md shows
check.py results OUT VERSION  checks the logs and files of a run; exits 1 when one is wrong
"""
import pathlib
import re
import sys

# The data folder of the example, {commondocs}\Velmora in a 32-bit Wine prefix.
DATA_DIR = r"C:\users\Public\Documents\Velmora"

SETTINGS_WRITTEN = (
    '<?xml version="1.0" encoding="UTF-8"?>\n'
    "<STARTUP>\n"
    "  <LANGUAGE>PL</LANGUAGE>\n"
    "  <FIRMA>Księgowość Łódź</FIRMA>\n"
    "  <INSTALLEDAPPS>\n"
    "  </INSTALLEDAPPS>\n"
    "</STARTUP>\n"
)

# No Excel in the guest: the quick start leaves the file it made as it made it.
QUICKSTART_SETTINGS = ('<?xml version="1.0" encoding="UTF-8"?>\r\n'
                       "<CONFIG><STARTUP><LANGUAGE>PL</LANGUAGE></STARTUP></CONFIG>\r\n")

EXAMPLE_SETTINGS = (
    '<?xml version="1.0" encoding="UTF-8"?>\n'
    "<CONFIG>\n"
    "  <STARTUP>\n"
    "    <LANGUAGE>PL</LANGUAGE>\n"
    f"    <DATADIR>{DATA_DIR}</DATADIR>\n"
    "  </STARTUP>\n"
    "</CONFIG>\n"
)


# A name no ANSI code page holds whole, as the all-functions script makes it.
FAR = "Київ 東京 \U0001F600"
FAR_DIR = "C:\\Dane\\" + FAR


def text(answer):
    """A text answer as the all-functions script logs it: in brackets, then its UTF-16 code
    units."""
    units = answer.encode("utf-16-le")
    return "[" + answer + "]" + "".join(
        f" {int.from_bytes(units[i:i + 2], 'little'):04X}" for i in range(0, len(units), 2))


def expected_calls(version):
    return [
        ("MyDllFunc", text("Ścieżka: c:\\Program Files\\ąćęłńóśżź")),
        ("QueryVersionInfo Tovrel.dll", text(version)),
        ("QueryVersionInfo missing", text("")),
        ("QueryNumFromInfo 9.30.1.71 0", "930"),
        ("QueryNumFromInfo 9.30.1.71 1", "93001"),
        ("QueryNumFromInfo 10.02.003 1", "100200"),
        ("QueryNumFromInfo 10.02.003. 1", "100203"),
        ("QueryNumFromInfo wersja 0", "0"),
        ("IsDirectoryEmpty empty", "1"),
        ("IsDirectoryEmpty full", "2"),
        ("IsDirectoryEmpty hidden", "2"),
        ("IsDirectoryEmpty missing", "0"),
        ("XMLGetNode LANGUAGE", text("PL")),
        ("XMLGetNode missing node", text("Empty")),
        ("XMLGetNode missing file", text("Empty")),
        ("XMLAddNode FIRMA", "1"),
        ("XMLGetNode FIRMA", text("Księgowość Łódź")),
        ("XMLAddNode new path", "1"),
        ("XMLAddNode missing file", "0"),
        ("GetLastExcel", text("")),
        ("GetLastVL", text("")),
        ("GetLastAS", text("")),
        ("GetLastFR", text("")),
        ("GetLastPlatnik", text("")),
        ("XMLSaveInstalledApps", "1"),
        ("AddToFirewall", "1"),
        ("SelDirectory cancelled", text("")),
        ("SelDirectory chosen", text("C:\\calls\\root\\Wybrany")),
        # The callback's convention: a stdcall procedure takes its argument off the stack.
        ("CreateCallback stack pop", "4"),
        ("TovrelLogToSetup", "1"),
        # The wide family passes the far folder whole both ways.
        ("XMLAddNodeW far", "1"),
        ("XMLGetNodeW far", text("Firma " + FAR)),
        ("IsDirectoryEmptyW far empty", "1"),
        ("IsDirectoryEmptyW far", "2"),
        ("QueryVersionInfoW far", text(version)),
        ("SelDirectoryW far", text(FAR_DIR + "\\wybór\\Wybrany " + FAR)),
        ("GetLastVLW", text(FAR_DIR)),
        ("MyDllFuncW", text("Ścieżka: c:\\Program Files\\ąćęłńóśżź")),
        # The 8-bit family cannot even name it.
        ("XMLAddNode far", "0"),
        ("XMLGetNode far", text("Empty")),
        ("IsDirectoryEmpty far", "0"),
        ("QueryVersionInfo far", text("")),
        ("GetLastVL", text("C:\\Dane\\???? ?? ??")),
        ("XMLAddNodeW read-only", "0"),
        ("XMLAddNodeW not well-formed", "0"),
        ("XMLGetNodeW missing node", text("Empty")),
    ]


# Lines the library sends to Setup's log once TovrelLogToSetup is called, whole: (log, the line or
# its start when it ends in "...").
LIBRARY_LINES = [
    ("allfunctions.log", f"Tovrel: XMLAddNodeW('{FAR_DIR}\\settings.xml', 'STARTUP.FIRMA', "
                         f"'Firma {FAR}') = 1"),
    ("allfunctions.log", f"Tovrel: XMLGetNodeW('{FAR_DIR}\\settings.xml', 'STARTUP.FIRMA') = "
                         f"'Firma {FAR}'"),
    ("allfunctions.log", f"Tovrel: GetLastVLW() = '{FAR_DIR}'"),
    ("allfunctions.log", f"Tovrel:       => chosen ({FAR_DIR})"),
    ("allfunctions.log", "Tovrel: GetLastVL() = 'C:\\Dane\\???? ?? ??'"),
    ("allfunctions.log", f"Tovrel:   note: code page 1250 cannot hold every character of "
                         f"'{FAR_DIR}'; the caller gets 'C:\\Dane\\???? ?? ??'; the W function "
                         f"passes it whole"),
    ("allfunctions.log", "Tovrel: XMLAddNodeW('C:\\calls\\tylko-odczyt.xml', 'A', 'x') = 0"),
    ("allfunctions.log", "Tovrel:   why: 'C:\\calls\\tylko-odczyt.xml' is read-only"),
    # Wine's MSXML tells no line and column of bytes it refuses; Windows' MSXML does.
    ("allfunctions.log", "Tovrel:   why: 'C:\\calls\\zle.xml' is not well-formed XML..."),
    ("allfunctions.log", "Tovrel: XMLGetNodeW('C:\\calls\\settings.xml', 'STARTUP.BRAK.X') = "
                         "'Empty'"),
    ("allfunctions.log", "Tovrel:   why: STARTUP has no direct child 'BRAK'..."),
    ("quickstart.log", "language: PL"),
    ("quickstart.log", "Tovrel: XMLGetNodeW('C:\\Program Files\\My Program\\settings.xml', "
                       "'STARTUP.LANGUAGE') = 'PL'"),
    ("quickstart.log", "Tovrel: GetLastExcelW() = ''"),
    ("example-missing.log", "Tovrel: MyDllFuncW('check ') = 'check c:\\Program Files\\ąćęłńóśżź'"),
    ("uninstall.log", "Tovrel: XMLGetNodeW('C:\\Program Files\\Ostrik\\Velmora Example\\"
                      "settings.xml', 'STARTUP.LINKS.EXCEL') = 'Empty'"),
    ("uninstall.log", "Tovrel:   why: CONFIG/STARTUP has no direct child 'LINKS'..."),
]


def snippet(readme):
    """The first indented block of README.md that includes Tovrel.iss, as a script."""
    blocks, block = [], []
    for line in pathlib.Path(readme).read_text(encoding="utf-8").splitlines() + [""]:
        if line.startswith("    ") or (block and not line.strip()):
            block.append(line[4:])
        else:
            if block:
                blocks.append(block)
            block = []
    for block in blocks:
        if '#include "Tovrel.iss"' in block and block[0].startswith("[Setup]"):
            print("\n".join(block).strip("\n"))
            return 0
    return 1


def log_lines(path):
    """The message part of each line of a Setup log."""
    data = path.read_bytes()
    content = data.decode("utf-8") if data.startswith(b"\xef\xbb\xbf") or is_utf8(data) \
        else data.decode("cp1250")
    return [re.sub(r"^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d+\s+", "", line)
            for line in content.lstrip("\ufeff").splitlines()]


def is_utf8(data):
    try:
        data.decode("utf-8")
        return True
    except UnicodeDecodeError:
        return False


def results(out, version):
    out = pathlib.Path(out)
    failures = []

    def need(condition, message):
        if not condition:
            failures.append(message)

    def read(name):
        path = out / name
        return path.read_text(encoding="utf-8", errors="replace").strip() if path.exists() else None

    need(read("guest.rc") == "0", f"the guest job ended with {read('guest.rc')}")
    need(read("timeouts") == "", f"still running after their time limit: {read('timeouts')}")
    for name in ("iscc-example", "iscc-allfunctions", "iscc-quickstart"):
        need(read(f"{name}.rc") == "0", f"{name}: ISCC exit {read(name + '.rc')}: "
             + (read(f"{name}.out") or "")[-2000:])
    for name in ("setup-allfunctions", "setup-quickstart", "setup-example-missing",
                 "setup-example-present", "uninstall-example"):
        need(read(f"{name}.rc") == "0", f"{name}: exit {read(name + '.rc')}")

    calls = []
    if (out / "allfunctions.log").exists():
        for line in log_lines(out / "allfunctions.log"):
            match = re.match(r"CALL (.*?) = (.*)$", line)
            if match:
                calls.append((match.group(1), match.group(2)))
    for want, got in zip(expected_calls(version), calls + [None] * 99):
        need(want == got, f"all functions: expected {want}, logged {got}")
    need(len(calls) == len(expected_calls(version)), f"{len(calls)} calls logged")

    def settings(name, want):
        path = out / name
        got = path.read_bytes().decode("utf-8", "replace") if path.exists() else None
        need(got == want, f"{name}: expected {want!r}, found {got!r}")

    settings("allfunctions-settings.xml", SETTINGS_WRITTEN)
    settings("quickstart-settings.xml", QUICKSTART_SETTINGS)
    settings("example-missing-settings.xml", EXAMPLE_SETTINGS)
    settings("example-present-settings.xml", EXAMPLE_SETTINGS)

    def logged(name, line):
        path = out / name
        need(path.exists() and line in log_lines(path), f"{name} lacks the line {line!r}")

    for name in ("example-missing.log", "example-present.log"):
        logged(name, "Tovrel loaded: check c:\\Program Files\\ąćęłńóśżź")
        logged(name, "STARTUP.LANGUAGE: PL")
    logged("example-missing.log", f"Created the data folder {DATA_DIR}")
    logged("example-present.log", "The data folder holds files already; they are kept.")
    logged("uninstall.log", f"Data folder kept: {DATA_DIR}")
    # The DLL is deleted only when the uninstaller unloaded it first.
    logged("uninstall.log", "Removed all? Yes")
    need((read("example-missing-data.txt") or "").startswith("."),
         f"the example made no data folder: {read('example-missing-data.txt')}")
    listing = (read("uninstall-app.txt") or "").split()
    need("Tovrel.dll" not in listing, f"Tovrel.dll is left in {{app}}: {listing}")

    for name, want in LIBRARY_LINES:
        lines = log_lines(out / name) if (out / name).exists() else []
        found = any(line.startswith(want[:-3]) if want.endswith("...") else line == want
                    for line in lines)
        need(found, f"{name} lacks the library's line {want!r}")
    # Before a log is registered, the library says nothing.
    lines = log_lines(out / "allfunctions.log") if (out / "allfunctions.log").exists() else []
    registered = next((i for i, line in enumerate(lines)
                       if line == "CALL TovrelLogToSetup = 1"), len(lines))
    early = [line for line in lines[:registered] if line.startswith("Tovrel:")]
    need(not early, f"the library logged before TovrelLogToSetup: {early[:3]}")

    for failure in failures:
        print("FAIL: " + failure)
    if failures and calls:
        print("logged calls:\n" + "\n".join(f"  {name} = {answer}" for name, answer in calls))
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "snippet":
        sys.exit(snippet(sys.argv[2]))
    if len(sys.argv) == 4 and sys.argv[1] == "results":
        sys.exit(results(sys.argv[2], sys.argv[3]))
    print(__doc__, file=sys.stderr)
    sys.exit(2)
