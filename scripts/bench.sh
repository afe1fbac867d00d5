#!/usr/bin/env bash
# Installs what the benchmarks need, builds the bench preset (optimised) and
# runs every benchmark, then the host's batch-mode rate. Medians of five
# repetitions; the ratio table and the targets close the benchmark report.
# Usage: scripts/bench.sh [google-benchmark options...]
#   e.g. scripts/bench.sh --benchmark_filter='^(read|write8|write17|export)/'
# The reading benchmarks also use canada.txt and mesh.txt from ../shared/data
# beside the repository (or VYXMATH_BENCH_DATA, or --data_dir=PATH); absent
# files are left out. BATCH_CALLS and BATCH_REPEATS size the batch runs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh bench

cmake --preset bench >/dev/null
cmake --build --preset bench -j"$(nproc)"

echo "== processor: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), compiler: $(c++ --version | head -1)"
build/bench/bin/vyxmath_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"

echo "== host batch mode"
bench/batch_rate.sh build/bench "${BATCH_CALLS:-1000000}" "${BATCH_REPEATS:-5}"
