#!/usr/bin/env bash
# Installs what the benchmarks need, builds the bench preset (optimised) and
# runs every benchmark, then the host's batch-mode rate. Medians of five
# repetitions; the ratio table and the targets close the benchmark report.
# Usage: scripts/bench.sh [--report] [google-benchmark options...]
#   e.g. scripts/bench.sh --benchmark_filter='^(read|write8|write17|export)/'
# With --report every run's figures go as JSON to bench/results/ (replacing
# the files there), and bench/report/report.py redraws the charts of
# bench/README.md (bench/charts/*.svg) and rewrites the tables under them.
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

report=0
if [ "${1:-}" = --report ]; then
    report=1
    shift
fi
results=bench/results
# Debian's matplotlib is found by the system's python3, not by another on PATH.
python=/usr/bin/python3
[ -x "$python" ] || python=python3

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
    if [ "$report" = 1 ]; then
        "$python" bench/report/report.py module-json "$(IFS=,; echo "${natives[*]}")" \
            "$(IFS=,; echo "${modules[*]}")" >"$results/module32.json"
    fi
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

cpu_field() { grep -m1 "^$1\s*:" /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'; }
processor="$(cpu_field 'model name') (family $(cpu_field 'cpu family'), model $(cpu_field model))"
compiler=$(c++ --version | head -1)
echo "== processor: $processor, compiler: $compiler"
out=()
if [ "$report" = 1 ]; then
    mkdir -p "$results"
    rm -f "$results"/*.json
    # The context option takes key=value pairs separated by commas.
    out=(--benchmark_out="$results/benchmarks.json" --benchmark_out_format=json
         "--benchmark_context=processor=${processor//,/},compiler=${compiler//,/}")
fi
build/bench/bin/vyxmath_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "${out[@]}" "$@"

echo "== host batch mode"
if [ "$report" = 1 ]; then
    bench/batch_rate.sh build/bench "${BATCH_CALLS:-1000000}" "${BATCH_REPEATS:-5}" | tee build/batch_rate.log
    "$python" bench/report/report.py batch-json <build/batch_rate.log >"$results/batch.json"
else
    bench/batch_rate.sh build/bench "${BATCH_CALLS:-1000000}" "${BATCH_REPEATS:-5}"
fi

if command -v wine >/dev/null && command -v i686-w64-mingw32-g++ >/dev/null; then
    module_comparison 3
else
    echo "== no wine or 32-bit Windows compiler: the module comparison is left out (scripts/install-deps.sh all)"
fi

if [ "$report" = 1 ]; then
    echo "== charts and tables of bench/README.md"
    "$python" bench/report/report.py speed --out bench/charts --page bench/README.md "$results"/*.json
fi
