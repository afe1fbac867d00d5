#!/usr/bin/env bash
# Compares every real-valued kernel with GNU MPFR over ten million random
# arguments each (or COUNT) and the hardest-to-round cases, printing the
# mismatches and how often each accurate phase ran. Not part of CI: about a
# minute per kernel on one core.
#   scripts/long-run-kernels.sh [COUNT] [KERNEL...]
# With CORE_MATH=PATH (a checkout of the CORE-MATH project) the complete
# worst-case files are compared as well, not only the sample kept here.
set -euo pipefail
cd "$(dirname "$0")/.."
count=${1:-10000000}
shift || true
cmake --preset native >/dev/null
cmake --build --preset native -j2 --target vyxmath_long_run_kernels
cases=(--cases tests/real/hardest_cases.txt)
if [[ -n "${CORE_MATH:-}" ]]; then
    full=$(mktemp)
    trap 'rm -f "$full"' EXIT
    python3 tests/real/make_hardest_cases.py --all "$CORE_MATH" > "$full"
    cases+=(--cases "$full")
fi
exec build/native/bin/vyxmath_long_run_kernels --count "$count" "${cases[@]}" "$@"
