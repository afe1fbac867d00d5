#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh all

echo "== native build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native -j"$(nproc)"
ctest --preset native -j"$(nproc)"

# The 32-bit Windows module "VYXmath.vyk" and vyxmath.exe, cross-built with
# mingw-w64 and tested under wine: the module file's exports and version, the
# calling convention, the per-thread random state, and every result compared
# with the native build above.
echo "== 32-bit Windows build, tests under wine"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$(nproc)"
ctest --preset win32 -j"$(nproc)"

# The benchmarks are built and each runs briefly, so that they keep compiling
# and every contender passes its input check; scripts/bench.sh measures.
echo "== benchmark build and smoke run"
cmake --preset bench >/dev/null
cmake --build --preset bench -j"$(nproc)"
build/bench/bin/vyxmath_bench --benchmark_min_time=0.001 >build/bench/smoke.log 2>&1 ||
    { cat build/bench/smoke.log; exit 1; }
bench/batch_rate.sh build/bench 2000 1 >/dev/null

# AddressSanitizer + UBSan and ThreadSanitizer unit tests, bounded fuzzing.
scripts/test-sanitizers.sh
