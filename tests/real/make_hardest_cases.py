#!/usr/bin/env python3
"""Writes hardest_cases.txt: a sample of the published hardest-to-round
binary64 arguments, from the worst-case files of the CORE-MATH project
(src/binary64/<function>/<function>.wc), which collect V. Lefevre's and
P. Zimmermann's searches for arguments whose results lie closest to a
rounding boundary.

Usage: python3 make_hardest_cases.py [--all] CORE_MATH_CHECKOUT > hardest_cases.txt
(each function's file as of the commit named in the output; --all keeps
every case instead of the sample).
"""
import math
import subprocess
import sys

# function: arguments kept (evenly spaced through the file)
SAMPLE = {
    "exp": 1000, "log": 1000, "log10": 600, "pow": 1500,
    "sinh": 500, "cosh": 500, "tanh": 500,
    "sin": 500, "cos": 500, "tan": 500, "asin": 500, "acos": 500, "atan": 500, "atan2": 500,
}


def wc_text(repo, function):
    """The newest version of the file whose contents the checkout holds."""
    path = f"src/binary64/{function}/{function}.wc"
    commits = subprocess.run(["git", "-C", repo, "log", "--format=%H", "--", path],
                             capture_output=True, text=True, check=True).stdout.split()
    for commit in commits:
        shown = subprocess.run(["git", "-C", repo, "show", f"{commit}:{path}"], capture_output=True, text=True)
        if shown.returncode == 0:
            return commit, shown.stdout
    raise SystemExit(f"no readable version of {path}")


def parse(line):
    body = line.split("#")[0].strip()
    if not body:
        return None
    try:
        values = [float.fromhex(v) if "0x" in v.lower() else float(v)
                  for v in body.replace(",", " ").split()]
    except ValueError:
        return None  # signalling NaNs and other special spellings
    if not all(math.isfinite(v) for v in values):
        return None
    return values


def main():
    keep_all = sys.argv[1] == "--all"
    repo = sys.argv[-1]
    print("# Hardest-to-round binary64 arguments: a sample of the worst-case files of the")
    print("# CORE-MATH project (https://core-math.gitlabpages.inria.fr/, read from the mirror")
    print("# github.com/nak5124/core-math), files src/binary64/<function>/<function>.wc, which")
    print("# gather the searches of V. Lefevre (https://www.vinc17.net/research/testlibm/) and")
    print("# P. Zimmermann et al. Written by make_hardest_cases.py. One case a line:")
    print("# function argument [second argument]  (pow: base exponent; atan2: y x)")
    for function, count in SAMPLE.items():
        commit, text = wc_text(repo, function)
        cases = [c for c in map(parse, text.splitlines()) if c]
        if function in ("sin", "cos", "tan"):
            cases = [c for c in cases if abs(c[0]) < 2.0 ** 63]
        step = 1 if keep_all else max(1, len(cases) // count)
        print(f"# {function}: {len(cases[::step])} of {len(cases)} from commit {commit[:12]}")
        for c in cases[::step]:
            print(function, " ".join(v.hex() for v in c))


main()
