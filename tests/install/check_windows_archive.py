#!/usr/bin/python3
"""Checks the unpacked Windows archive as a script author receives it.

Usage: check_windows_archive.py FOLDER SOURCE-FOLDER

FOLDER is the archive's one folder (VYXmath-<version>-win32). Checked with
pefile: the module and the host carry no debug information (no .debug*
section, no COFF symbol table, no debug directory), and the module stays
within MODULE_BYTES_BOUND. The README is the Windows one: UTF-8 with a
byte-order mark, CRLF line ends only, an English and a Japanese part, and it
names every file of the folder. Exit status 1 lists every failed check.
"""
import os
import sys

import pefile

# The stripped Release module is 403,982 bytes (December 2026); with its
# debug sections and symbols it was 503,118. The bound leaves room for a
# little more code and stays below an unstripped module.
MODULE_BYTES_BOUND = 448 * 1024

failures = []


def expect(condition, what):
    if not condition:
        failures.append(what)


def section_names(pe):
    """Section names; a name longer than 8 bytes is "/offset" into the COFF
    string table, which follows the symbols (and stays after strip)."""
    strings = pe.FILE_HEADER.PointerToSymbolTable + 18 * pe.FILE_HEADER.NumberOfSymbols
    names = []
    for section in pe.sections:
        name = section.Name.rstrip(b"\0")
        if name.startswith(b"/") and name[1:].isdigit() and pe.FILE_HEADER.PointerToSymbolTable:
            start = strings + int(name[1:])
            name = pe.__data__[start:pe.__data__.find(b"\0", start)]
        names.append(name.decode("latin-1"))
    return names


def check_stripped(path):
    name = os.path.basename(path)
    pe = pefile.PE(path)
    expect(pe.FILE_HEADER.Machine == pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"], f"{name}: not an i386 file")
    names = section_names(pe)
    expect(".text" in names and ".rdata" in names, f"{name}: sections not read: {names}")
    debug_sections = [section for section in names if section.startswith(".debug") or section.startswith("/")]
    expect(not debug_sections, f"{name}: debug sections {debug_sections}")
    expect(pe.FILE_HEADER.NumberOfSymbols == 0, f"{name}: a COFF symbol table of {pe.FILE_HEADER.NumberOfSymbols} symbols")
    expect(not hasattr(pe, "DIRECTORY_ENTRY_DEBUG"), f"{name}: a debug directory")
    pe.close()


def check_readme(folder):
    with open(os.path.join(folder, "README.txt"), "rb") as f:
        raw = f.read()
    expect(raw.startswith(b"\xef\xbb\xbf"), "README.txt: no UTF-8 byte-order mark")
    expect(raw.count(b"\n") > 20 and raw.count(b"\n") == raw.count(b"\r\n"), "README.txt: not CRLF line ends throughout")
    expect(b"\r\r" not in raw, "README.txt: a doubled CR")
    try:
        text = raw.decode("utf-8-sig")
    except UnicodeDecodeError as e:
        failures.append(f"README.txt: not UTF-8 ({e})")
        return
    for heading in ("Installing", "Checking that it loads", "インストール", "読み込みの確認"):
        expect(heading in text, f"README.txt: no section '{heading}'")
    for entry in sorted(os.listdir(folder)):
        if os.path.isdir(os.path.join(folder, entry)):
            for page in sorted(os.listdir(os.path.join(folder, entry))):
                expect(f"{entry}\\{page}" in text, f"README.txt does not name {entry}\\{page}")
        elif entry != "README.txt":
            expect(entry in text, f"README.txt does not name {entry}")


def main():
    folder, source = sys.argv[1], sys.argv[2]
    module = os.path.join(folder, "VYXmath.vyk")
    for binary in (module, os.path.join(folder, "vyxmath.exe")):
        check_stripped(binary)
    size = os.path.getsize(module)
    expect(size <= MODULE_BYTES_BOUND, f"VYXmath.vyk: {size} bytes, over the bound of {MODULE_BYTES_BOUND}")
    expect(not os.path.exists(os.path.join(folder, "README.md")), "the repository's README.md is in the archive")
    for page in sorted(os.listdir(os.path.join(source, "docs", "ja"))) if os.path.isdir(os.path.join(source, "docs", "ja")) else []:
        if page.endswith(".md"):
            expect(os.path.isfile(os.path.join(folder, "ja", page)), f"ja/{page} is not in the archive")
    check_readme(folder)
    for failure in failures:
        print(f"FAILED: {failure}")
    print(f"{folder}: VYXmath.vyk {size} bytes (bound {MODULE_BYTES_BOUND}), "
          f"vyxmath.exe {os.path.getsize(os.path.join(folder, 'vyxmath.exe'))} bytes; {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
