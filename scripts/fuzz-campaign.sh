#!/usr/bin/env bash
# A long fuzz campaign: each fuzz target runs COUNT inputs (10^7 unless told)
# as its CTest test does (same options, dictionary, seeds and sanitizers), at
# the lowest CPU priority, then the bounded counts of the test command are
# restored.
#   scripts/fuzz-campaign.sh [COUNT [TARGET...]]
# Targets run side by side, as many at a time as the machine has processors
# (VYXMATH_FUZZ_JOBS=N to choose), in the order given; the default order puts
# the slowest first, so that it has a processor for the whole campaign.
# VYXMATH_FUZZ_MAX_SECONDS=N stops each target after N seconds (default: no
# limit). Logs and a summary go to build/fuzz/campaign/; inputs the campaign
# discovers stay in build/fuzz/tests/fuzz/found/, failing ones in
# build/fuzz/tests/fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."

count=${1:-10000000}
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_batch_lines fuzz_exports fuzz_read_number fuzz_write_number)
max_seconds=${VYXMATH_FUZZ_MAX_SECONDS:-0}
jobs=${VYXMATH_FUZZ_JOBS:-$(nproc)}

restore() { cmake --preset fuzz -UVYXMATH_FUZZ_RUNS -UVYXMATH_FUZZ_MAX_SECONDS >/dev/null; }
trap restore EXIT
cmake --preset fuzz -DVYXMATH_FUZZ_RUNS="$count" -DVYXMATH_FUZZ_MAX_SECONDS="$max_seconds" >/dev/null
nice -n 19 cmake --build --preset fuzz -j2

logs=build/fuzz/campaign
mkdir -p "$logs"
summary=$logs/summary.txt
printf '%-18s %12s %9s %10s %9s %8s  %s\n' target executions seconds 'exec/s' 'new units' 'peak MB' result | tee "$summary"

# One target; its summary line is written when it ends.
campaign_of() {
    local target=$1 log=$logs/$1.log start result=passed seconds
    start=$(date +%s)
    nice -n 19 ctest --preset fuzz -R "^$target\$" -V --no-tests=error --timeout 100000000 >"$log" 2>&1 || result=FAILED
    seconds=$(($(date +%s) - start))
    stat() { grep -o "stat::$1: *[0-9]*" "$log" | tail -n 1 | grep -o '[0-9]*$' || echo '?'; }
    printf '%-18s %12s %9s %10s %9s %8s  %s\n' "$target" "$(stat number_of_executed_units)" "$seconds" \
        "$(stat average_exec_per_sec)" "$(stat new_units_added)" "$(stat peak_rss_mb)" "$result" | tee -a "$summary"
    [ "$result" = passed ]
}

failed=0
running=0
for target in "${targets[@]}"; do
    if [ "$running" -ge "$jobs" ]; then
        wait -n || failed=1
        running=$((running - 1))
    fi
    campaign_of "$target" &
    running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
    wait -n || failed=1
    running=$((running - 1))
done
exit $failed
