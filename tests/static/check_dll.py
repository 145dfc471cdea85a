#!/usr/bin/env python3
"""Checks the 32-bit Tovrel.dll without running it: its export table holds exactly the functions
the .def file and the public header name; it imports only Windows system DLLs; and each export's
`ret` removes 4 bytes per parameter, as stdcall requires."""
import re
import subprocess
import sys

OBJDUMP = "i686-w64-mingw32-objdump"
SYSTEM_DLLS = {
    "advapi32.dll", "bcrypt.dll", "kernel32.dll", "msi.dll", "msvcrt.dll", "ole32.dll",
    "oleaut32.dll", "shell32.dll", "user32.dll", "version.dll",
}


def objdump(*args):
    return subprocess.run([OBJDUMP, *args], check=True, capture_output=True, text=True).stdout


def def_exports(def_file):
    lines = open(def_file, encoding="ascii").read().split("EXPORTS", 1)[1].splitlines()
    return {line.split()[0] for line in lines if line.strip()}


def header_parameter_counts(header):
    text = open(header, encoding="ascii").read()
    counts = {}
    for name, params in re.findall(r"TOVREL_CALL\s+(\w+)\s*\(([^)]*)\)", text):
        params = params.strip()
        counts[name] = 0 if params in ("", "void") else params.count(",") + 1
    return counts


def export_addresses(headers, name_table):
    """The RVA of each exported name, joining the name table's indexes to the address table."""
    addresses = {}
    address_table = headers.split("Export Address Table -- Ordinal Base", 1)[1].split("\n\n", 1)[0]
    rvas = {int(index): int(rva, 16)
            for index, rva in re.findall(r"\[\s*(\d+)\] \+base\[\s*\d+\] ([0-9a-f]+) Export RVA",
                                         address_table)}
    for index, name in re.findall(r"\[\s*(\d+)\]\s+(\S+)", name_table):
        if int(index) in rvas:
            addresses[name] = rvas[int(index)]
    return addresses


def main(dll, def_file, header):
    failures = []
    headers = objdump("-p", dll)
    table = headers.split("[Ordinal/Name Pointer] Table", 1)[1].split("\n\n", 1)[0]
    exported = set(re.findall(r"\]\s+(\S+)", table))
    declared = def_exports(def_file)
    counts = header_parameter_counts(header)
    if exported != declared:
        failures.append(f"export table {sorted(exported)} differs from the .def {sorted(declared)}")
    if set(counts) != declared:
        failures.append(f"header declares {sorted(counts)}, the .def lists {sorted(declared)}")

    imports = [name.lower() for name in re.findall(r"DLL Name: (\S+)", headers)]
    for name in imports:
        if name not in SYSTEM_DLLS:
            failures.append(f"imports {name}, which is not a Windows system DLL")

    image_base = int(re.search(r"ImageBase\s+([0-9a-fA-F]+)", headers).group(1), 16)
    addresses = export_addresses(headers, table)
    for name in sorted(declared & set(counts) & set(addresses)):
        expected = 4 * counts[name]
        start = image_base + addresses[name]
        # The shipped DLL carries no symbols, so each export is read from its entry point in the
        # export table up to its first return.
        code = objdump("-d", f"--start-address={start:#x}", f"--stop-address={start + 0x2000:#x}", dll)
        ret = re.search(r"\tret\s*(\$0x[0-9a-f]+)?", code)
        removed = int(ret.group(1)[1:], 16) if ret and ret.group(1) else 0
        if ret is None or removed != expected:
            failures.append(f"{name}: ret removes {removed} bytes, expected {expected}")
        else:
            print(f"{name}: ret removes {expected} bytes")

    print("imports:", ", ".join(imports))
    for failure in failures:
        print("FAIL:", failure)
    print("all checks passed" if not failures else f"{len(failures)} checks failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
