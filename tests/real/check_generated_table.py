#!/usr/bin/env python3
"""Runs a table generator and compares what it writes with the committed
table: a table edited by hand, a generator changed without its table, or a
premise the generator asserts (and the code relies on) no longer holding
fails the check.

Usage: check_generated_table.py TABLE GENERATOR [ARGUMENT...]
"""
import difflib
import pathlib
import subprocess
import sys


def main():
    table, generator, *arguments = sys.argv[1:]
    run = subprocess.run([sys.executable, generator, *arguments], capture_output=True, text=True)
    if run.returncode != 0:
        print(f"{generator} failed (a premise it asserts?):\n{run.stderr}", file=sys.stderr)
        return 1
    committed = pathlib.Path(table).read_text()
    if run.stdout == committed:
        return 0
    diff = difflib.unified_diff(committed.splitlines(), run.stdout.splitlines(), table, "generated", lineterm="")
    print("\n".join(list(diff)[:40]), file=sys.stderr)
    print(f"{table} differs from what {generator} writes", file=sys.stderr)
    return 1


sys.exit(main())
