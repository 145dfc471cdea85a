#!/usr/bin/env python3
"""What tovrel prints and how it exits, for every kind of failure, help and version.

check_outcomes.py VERSION MACHINE TOOL [ARGUMENTS...]: runs the tool (for example
build/linux/tovrel) on files of its own, against the sample machine MACHINE for the lookups,
and compares each exit code, stdout and stderr line with the table. A tool ending in .exe is
the Windows build, run under Wine (for example scripts/wine-run build/mingw64/tovrel.exe): it
reaches the files through drive Z:, and the cases of the Linux build's sample machine, code page
setting and libxml2's positions are left out."""
import difflib
import os
import pathlib
import re
import stat
import subprocess
import sys
import tempfile

POSITIVE, NEGATIVE, USAGE, UNUSABLE = 0, 1, 2, 3
PIPE = "\\\\.\\pipe\\tovrel-none"

SETTINGS = "<R>\n  <STARTUP>\n    <LANG>pl</LANG>\n    <E>Empty</E>\n  </STARTUP>\n" \
           "  <A><X><B>deep</B></X></A>\n  <H><K>1</K></H>\n</R>\n"


def make_files(work):
    files = {
        "p.xml": SETTINGS,
        "bad.xml": "<R>\n  <a></b>\n</R>\n",
        "empty.xml": "",
        "ro.xml": SETTINGS,
        "text.txt": "not an executable\n",
    }
    for name, content in files.items():
        (work / name).write_text(content, encoding="utf-8")
    (work / "ro.xml").chmod(stat.S_IRUSR | stat.S_IRGRP)
    (work / "empty-machine").mkdir()
    (work / "dir").mkdir()
    os.mkfifo(work / "fifo")


# (arguments, environment, exit code, stdout, stderr pattern); {w} is the work folder, {m} the
# sample machine. A stdout of None is not compared.
CASES = [
    # Failures of xml-add: the library's 0 on stdout, the reason on stderr.
    (["xml-add", "{w}/missing.xml", "R.W", "v"], {}, UNUSABLE, "0", r"missing\.xml': no such file"),
    (["xml-add", "{w}/bad.xml", "R.W", "v"], {}, UNUSABLE, "0",
     r"bad\.xml' is not well-formed XML: line 2, column \d+: .*mismatch"),
    (["xml-add", "{w}/bad.xml", "R.V", "v"], {}, UNUSABLE, "0", r"bad\.xml' is not well-formed XML"),
    (["xml-add", "{w}/empty.xml", "R.W", "v"], {}, UNUSABLE, "0", r"empty\.xml' is empty"),
    (["xml-add", "{w}/dir", "R.W", "v"], {}, UNUSABLE, "0", r"dir' is a directory"),
    (["xml-add", "{w}/ro.xml", "R.W", "v"], {}, UNUSABLE, "0", r"ro\.xml' is read-only"),
    (["xml-add", "{w}/p.xml", "R.1bad", "v"], {}, NEGATIVE, "0", r"'1bad' is not an XML name"),
    (["xml-add", "{w}/p.xml", "R.a:b", "v"], {}, NEGATIVE, "0", r"'a:b': a new element's name"),
    (["xml-add", "{w}/p.xml", "STARTUP.", "v"], {}, NEGATIVE, "0", r"an empty component"),
    (["xml-add", "{w}/p.xml", "R.W", "a\x01b"], {}, NEGATIVE, "0",
     r"a character XML cannot hold \(U\+0001 at position 2\)"),
    (["xml-add", "{w}/p.xml", "R.H", "v"], {}, NEGATIVE, "0", r"holds child elements"),
    # Failures of xml-get: "Empty" on stdout.
    (["xml-get", "{w}/missing.xml", "R.W"], {}, UNUSABLE, "Empty", r"no such file"),
    (["xml-get", "{w}/bad.xml", "R.W"], {}, UNUSABLE, "Empty", r"not well-formed XML: line 2"),
    (["xml-get", "{w}/p.xml", "STARTUP.NONE"], {}, NEGATIVE, "Empty",
     r"no node 'NONE' anywhere below R/STARTUP$"),
    (["xml-get", "{w}/p.xml", "A.B.C"], {}, NEGATIVE, "Empty",
     r"R/A has no direct child 'B' \(R/A/X/B lies deeper"),
    (["xml-get", "{w}/p.xml", "R.H"], {}, NEGATIVE, "Empty", r"holds child elements"),
    (["xml-get", "{w}/p.xml", "STARTUP."], {}, NEGATIVE, "Empty", r"last component is empty"),
    # What is no file answers at once: a FIFO (Linux), a pipe name (both builds).
    (["xml-get", "{w}/fifo", "R.W"], {}, UNUSABLE, "Empty", r"fifo' is no regular file"),
    (["xml-add", "{w}/fifo", "R.W", "v"], {}, UNUSABLE, "0", r"fifo' is no regular file"),
    (["xml-add", "--dry-run", "{w}/fifo", "R.W", "v"], {}, UNUSABLE, "", r"fifo' is no regular"),
    (["xml-get", PIPE, "R.W"], {}, UNUSABLE, "Empty", r"pipe.tovrel-none' is no regular file"),
    (["xml-add", PIPE, "R.W", "v"], {}, UNUSABLE, "0", r"pipe.tovrel-none' is no regular file"),
    (["xml-add", PIPE, "R.W", "v", "--dry-run"], {}, UNUSABLE, "", r"is no regular file"),
    (["explain", "xml-add", PIPE, "R.W", "v"], {}, POSITIVE,
     "the file cannot be loaded: '" + PIPE + "' is no regular file (a pipe, socket or device)\n"
     "answer xml-add: 0", None),
    # An element may hold the text "Empty": that is a found text.
    (["xml-get", "{w}/p.xml", "STARTUP.E"], {}, POSITIVE, "Empty", None),
    (["xml-get", "{w}/p.xml", "LANG"], {}, POSITIVE, "pl", None),
    # Versions, numbers, directories.
    (["query-version-info", "/nonexistent.exe"], {}, UNUSABLE, "", r"no such file"),
    (["query-version-info", "{w}/text.txt"], {}, NEGATIVE, "", r"has no FileVersion"),
    (["query-num-from-info", "9.30.1.71", "yes"], {}, USAGE, "",
     r"WITH_RELEASE must be a number .* not 'yes'"),
    (["query-num-from-info", "9.30.1.71", "1"], {}, POSITIVE, "93001", None),
    (["query-num-from-info", "x", "0"], {}, NEGATIVE, "0", r"gives no number"),
    (["add-to-firewall", "a.exe", "A", "maybe"], {}, USAGE, "", r"ENABLE must be a number"),
    (["is-directory-empty", "{w}/nothing"], {}, UNUSABLE, "0", r"no such directory"),
    (["is-directory-empty", "{w}/text.txt"], {}, NEGATIVE, "0", r"not a directory"),
    (["is-directory-empty", "{w}/empty-machine"], {}, POSITIVE, "1", None),
    # The machine folder.
    (["--machine", "/nonexistent", "last-vl"], {}, UNUSABLE, None, r"'/nonexistent': no such folder"),
    (["--machine"], {}, USAGE, "", r"--machine needs a folder"),
    (["--machine", "{w}/empty-machine", "last-vl"], {}, NEGATIVE, "",
     r"no Velmora installation found"),
    (["--machine", "{m}", "last-vl"], {}, POSITIVE, r"C:\Ostrik\Velmora 9.30", None),
    # The report on files it cannot write names the sections and the reason, and shows no stale
    # content.
    (["--machine", "{m}", "report", "{w}/ro.xml"], {}, UNUSABLE, None,
     r"sections EXCEL, VL, AS, FR, PLATNIK not written: '.*ro\.xml' is read-only"),
    (["--machine", "{m}", "report", "{w}/missing.xml"], {}, UNUSABLE, None,
     r"not written: '.*missing\.xml': no such file"),
    (["--machine", "{m}", "report", "{w}/bad.xml"], {}, UNUSABLE, None,
     r"not written: '.*bad\.xml' is not well-formed XML: line 2"),
    # Usage errors.
    (["frobnicate"], {}, USAGE, "", r"unknown command 'frobnicate'"),
    (["xml-get", "{w}/p.xml"], {}, USAGE, "", r"xml-get takes FILE PATH"),
    (["--bogus", "last-vl"], {}, USAGE, "", r"unknown option '--bogus'"),
    (["my-dll-func", "x"], {"TOVREL_ACP": "abc"}, USAGE, "",
     r"TOVREL_ACP=abc is not a code page number"),
    (["my-dll-func", "x"], {"TOVREL_ACP": "99999"}, USAGE, "", r"TOVREL_ACP=99999 is not"),
    (["my-dll-func", "x"], {"TOVREL_ACP": "1234"}, USAGE, "", r"TOVREL_ACP=1234: no such"),
    # Code pages: UTF-8 passes every character, 1252 says which it had to replace.
    (["xml-add", "{w}/p.xml", "R.W", "Księgowość"], {"TOVREL_ACP": "65001"}, POSITIVE, "1", None),
    (["xml-get", "{w}/p.xml", "R.W"], {"TOVREL_ACP": "65001"}, POSITIVE, "Księgowość", None),
    (["xml-get", "{w}/p.xml", "R.W"], {"TOVREL_ACP": "1250"}, POSITIVE, "Księgowość", None),
    (["xml-add", "{w}/p.xml", "R.V", "Księgowość"], {}, POSITIVE, "1",
     r"warning: code page 1252 cannot hold every character of 'Księgowość'; the library gets "
     r"'Ksiegowosc'"),
]


WINDOWS = False


def host_path(path):
    """The path as the tool names it: through drive Z: on Windows."""
    return "Z:" + str(path).replace("/", "\\") if WINDOWS else str(path)


def linux_only(arguments, environment, stderr):
    # Wine shows no FIFO to Windows programs.
    return ("--machine" in arguments or environment or (stderr and "line 2" in stderr) or
            "{w}/fifo" in arguments)


def run(tool, arguments, environment):
    env = dict(os.environ)
    env.pop("TOVREL_ACP", None)
    env.update(environment)
    for _ in range(3):
        # A tool waiting on what is no file fails here rather than stopping the test.
        done = subprocess.run(tool + arguments, capture_output=True, env=env, timeout=60)
        # Now and then Wine's loader ends a program before it starts, with exit code 1 and no
        # output at all, within milliseconds (seen for query-num-from-info, which cannot answer
        # 1). The tool never exits non-zero without a line on stderr, so such a run says nothing
        # about the tool: it is run again.
        if not (WINDOWS and done.returncode == 1 and not done.stdout and not done.stderr):
            break
    return (done.returncode, done.stdout.decode("utf-8", "replace").replace("\r", ""),
            done.stderr.decode("utf-8", "replace").replace("\r", ""))


def check_cases(tool, work, machine, failures):
    for arguments, environment, code, stdout, stderr in CASES:
        if WINDOWS and linux_only(arguments, environment, stderr):
            continue
        arguments = [a.replace("{w}", host_path(work)).replace("{m}", machine) for a in arguments]
        if WINDOWS:
            arguments = [a.replace("/", "\\") if a.startswith("Z:") else a for a in arguments]
        got_code, got_out, got_err = run(tool, arguments, environment)
        what = " ".join(arguments)
        if got_code != code:
            failures.append(f"{what}: exit {got_code}, expected {code} (stderr: {got_err!r})")
        if code == USAGE:
            stdout = None
            if got_out:
                failures.append(f"{what}: stdout {got_out!r} on a usage error")
        if stdout is not None and got_out != stdout + "\n":
            failures.append(f"{what}: stdout {got_out!r}, expected {stdout!r}")
        lines = got_err.splitlines()
        if stderr is None:
            if lines:
                failures.append(f"{what}: stderr {got_err!r}, expected none")
        elif code != USAGE and (len(lines) != 1 or not re.search(stderr, lines[0])):
            failures.append(f"{what}: stderr {got_err!r}, expected one line like {stderr!r}")
        elif code == USAGE and not re.search(stderr, got_err):
            failures.append(f"{what}: stderr {got_err!r}, expected {stderr!r}")


def check_report_failure_shows_nothing_stale(tool, work, machine, failures):
    code, out, _ = run(tool, ["--machine", machine, "report", str(work / "ro.xml")], {})
    if "found" in out or "<R>" in out or "NOT every section could be written" not in out:
        failures.append(f"report on a read-only file printed {out!r}")


# explain xml-get / xml-add: (arguments, lines the explanation holds in this order).
EXPLANATIONS = [
    (["xml-get", "STARTUP.LANG"],
     ["'STARTUP' names the direct child R/STARTUP",
      "'LANG', the last component, searched anywhere below R/STARTUP (depth-first, document "
      "order): found R/STARTUP/LANG", "its text: 'pl'", "answer xml-get: pl"]),
    (["xml-get", "R.STARTUP.LANG"], ["'R' is the name of R itself: consumed",
                                     "answer xml-get: pl"]),
    (["xml-get", "A.B.C"],
     ["'A' names the direct child R/A",
      "R/A has no direct child 'B' (R/A/X/B lies deeper: a read does not take it, a write "
      "reuses it): the search ends", "answer xml-get: Empty"]),
    (["xml-get", "R.H"], ["found R/H", "the node holds child elements, not a single text",
                          "answer xml-get: Empty"]),
    (["xml-add", "A.B.C", "v"],
     ["find: R/A has no direct child 'B'", "'A': found R/A, reused", "'B': found R/A/X/B, reused",
      "'C': not below R/A/X/B, created as its last child", "its text '' becomes 'v'",
      "answer xml-add: 1, once the file is saved"]),
    (["xml-add", "R.1bad", "v"], ["'1bad' is not an XML name", "answer xml-add: 0"]),
]


def check_explanations(tool, work, failures):
    settings = work / "explain.xml"
    settings.write_text(SETTINGS, encoding="utf-8")
    for arguments, expected in EXPLANATIONS:
        code, out, err = run(tool, ["explain", arguments[0], host_path(settings)] + arguments[1:],
                             {})
        lines = out.splitlines()
        position = 0
        for line in expected:
            while position < len(lines) and line not in lines[position]:
                position += 1
            if position == len(lines):
                failures.append(f"explain {' '.join(arguments)}: no line {line!r} in order in "
                                f"{out!r}")
                break
        if code != POSITIVE or err:
            failures.append(f"explain {' '.join(arguments)}: exit {code}, stderr {err!r}")
    if settings.read_text(encoding="utf-8") != SETTINGS:
        failures.append("explain xml-add changed the file")


def check_dry_run(tool, work, failures):
    """The diff a dry run prints is the change the write then makes, and it writes nothing."""
    for path, value in (("A.B.C", "v"), ("STARTUP.INSTALLEDAPPS.VL", "C:\\x"), ("LANG", "en"),
                        ("LANG", "pl")):
        settings = work / "dry.xml"
        settings.write_text(SETTINGS, encoding="utf-8")
        name = host_path(settings)
        code, out, err = run(tool, ["xml-add", "--dry-run", name, path, value], {})
        if settings.read_text(encoding="utf-8") != SETTINGS:
            failures.append(f"xml-add --dry-run {path} wrote the file")
        run(tool, ["xml-add", name, path, value], {})
        after = settings.read_text(encoding="utf-8")
        expected = "".join(difflib.unified_diff(SETTINGS.splitlines(True), after.splitlines(True),
                                                name, name))
        # No change says so.
        if code != POSITIVE or err or out != (expected or "no change\n"):
            failures.append(f"xml-add --dry-run {path} {value}: exit {code}, stderr {err!r}, "
                            f"printed {out!r}, the write made {expected!r}")
    code, out, err = run(tool, ["xml-add", host_path(work / "p.xml"), "R.1bad", "v", "--dry-run"],
                         {})
    if code != NEGATIVE or out != "\n" or "'1bad' is not an XML name" not in err:
        failures.append(f"xml-add --dry-run with a bad name: exit {code}, {out!r}, {err!r}")


def check_help(tool, version, failures):
    for arguments in (["--help"], ["-h"], ["help"], ["--machine", "/x", "--help"]):
        code, out, err = run(tool, arguments, {})
        what = " ".join(arguments)
        if code != POSITIVE or err:
            failures.append(f"{what}: exit {code}, stderr {err!r}")
        for needed in ("usage: tovrel", "TOVREL_MACHINE", "TOVREL_ACP", "exit codes:",
                       "xml-add FILE PATH VALUE", "last-platnik", "explain"):
            if needed not in out:
                failures.append(f"{what}: the help lacks {needed!r}")
        lines = out.splitlines()
        for number, line in enumerate(lines):
            if line != line.rstrip():
                failures.append(f"{what}: trailing space in {line!r}")
            # Each command's usage line is followed by what it does, indented further.
            if re.match(r"  [a-z]", line) and lines[number - 1] == "commands:" or \
                    re.match(r"      \S", lines[number - 1] if number else ""):
                if re.match(r"  [a-z]", line) and not re.match(r"      \S", lines[number + 1]):
                    failures.append(f"{what}: no description after {line!r}")
        # The Linux build lists capture too, to say that it needs the Windows build.
        if "capture DIR" not in out or (not WINDOWS and "Windows build only" not in out):
            failures.append(f"{what}: capture is not listed as the build has it")
    for arguments in (["report", "--help"], ["help", "report"], ["my-dll-func", "--help"],
                      ["query-version-info", "-h"], ["is-directory-empty", "--help"]):
        code, out, err = run(tool, arguments, {})
        command = arguments[1] if arguments[0] == "help" else arguments[0]
        if code != POSITIVE or not out.startswith(f"usage: tovrel [--machine DIR] [--log] {command}"):
            failures.append(f"{' '.join(arguments)}: exit {code}, stdout {out!r}")
    for arguments in (["--version"], ["-V"], ["version"]):
        code, out, err = run(tool, arguments, {})
        if code != POSITIVE or out != f"tovrel {version}\nlibrary {version}\n":
            failures.append(f"{' '.join(arguments)}: exit {code}, stdout {out!r}")


def main(version, machine, *tool):
    global WINDOWS
    WINDOWS = tool[-1].endswith(".exe")
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        work = pathlib.Path(folder)
        make_files(work)
        check_cases(list(tool), work, machine, failures)
        if not WINDOWS:
            check_report_failure_shows_nothing_stale(list(tool), work, machine, failures)
        check_explanations(list(tool), work, failures)
        check_dry_run(list(tool), work, failures)
        check_help(list(tool), version, failures)
        (work / "ro.xml").chmod(stat.S_IRUSR | stat.S_IWUSR)
    for failure in failures:
        print("FAIL:", failure)
    print(f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
