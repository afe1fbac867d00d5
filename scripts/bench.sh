#!/usr/bin/env bash
# Installs what the benchmarks need, builds the bench preset (optimised) and
# runs every benchmark, then the host's batch-mode rate. Medians of five
# repetitions; the ratio table and the targets close the benchmark report.
# Usage: scripts/bench.sh [google-benchmark options...]
#   e.g. scripts/bench.sh --benchmark_filter='^(read|write8|write17|export)/'
# Then, where the 32-bit Windows compiler and wine are installed, the module
# inside a Windows process against the native library (see below).
#
#        scripts/bench.sh module [ROUNDS] [timing options...]
# runs only that comparison: the timing program built natively (Release,
# loading libvyxmath.so) and as a Windows program (loading VYXmath.vyk, under
# wine), in turns, ROUNDS times each (default 3); the table shows the medians
# of both sides with the ratio. Timing options, e.g. --filter=export/n_tasu or
# --repetitions=N, go to both programs.
# The reading benchmarks also use canada.txt and mesh.txt from ../shared/data
# beside the repository (or VYXMATH_BENCH_DATA, or --data_dir=PATH); absent
# files are left out. BATCH_CALLS and BATCH_REPEATS size the batch runs.
set -euo pipefail
cd "$(dirname "$0")/.."

data_dir=${VYXMATH_BENCH_DATA:-$(realpath -m ../shared/data)}

module_comparison() {
    local rounds=$1
    shift
    cmake --preset bench >/dev/null
    cmake --build --preset bench -j"$(nproc)" --target vyxmath_module_timing vyxmath
    cmake --preset win32 >/dev/null
    cmake --build --preset win32 -j"$(nproc)" --target vyxmath_module_timing vyxmath
    local out=build/module-timing natives=() modules=()
    mkdir -p "$out"
    rm -f "$out"/*.tsv
    local options=("$@")
    [ -d "$data_dir" ] && options+=("--data_dir=$data_dir")
    for round in $(seq "$rounds"); do
        build/bench/bin/vyxmath_module_timing "${options[@]}" --out="$out/native-$round.tsv"
        tests/win32/wine-run.sh --prefix build-win32/wine-prefix build-win32/bin/vyxmath_module_timing.exe \
            "${options[@]}" --out="$out/module-$round.tsv"
        natives+=("$out/native-$round.tsv")
        modules+=("$out/module-$round.tsv")
    done
    echo "== the 32-bit module under wine against the native library (ns per call)"
    build/bench/bin/vyxmath_module_timing --compare "$(IFS=,; echo "${natives[*]}")" "$(IFS=,; echo "${modules[*]}")"
}

if [ "${1:-}" = module ]; then
    shift
    rounds=3
    if [[ "${1:-}" =~ ^[0-9]+$ ]]; then rounds=$1; shift; fi
    module_comparison "$rounds" "$@"
    exit
fi

scripts/install-deps.sh bench

cmake --preset bench >/dev/null
cmake --build --preset bench -j"$(nproc)"

echo "== processor: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), compiler: $(c++ --version | head -1)"
build/bench/bin/vyxmath_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"

echo "== host batch mode"
bench/batch_rate.sh build/bench "${BATCH_CALLS:-1000000}" "${BATCH_REPEATS:-5}"

if command -v wine >/dev/null && command -v i686-w64-mingw32-g++ >/dev/null; then
    module_comparison 3
else
    echo "== no wine or 32-bit Windows compiler: the module comparison is left out (scripts/install-deps.sh all)"
fi
