#!/usr/bin/env bash
# A long fuzz campaign: each fuzz target in turn, one at a time and at the
# lowest CPU priority, runs COUNT inputs (10^7 unless told) as its CTest test
# does (same options, dictionary, seeds and sanitizers), then the bounded
# counts of the test command are restored.
#   scripts/fuzz-campaign.sh [COUNT [TARGET...]]
# VYXMATH_FUZZ_MAX_SECONDS=N stops each target after N seconds (default: no
# limit). Logs and a summary go to build/fuzz/campaign/; inputs the campaign
# discovers stay in build/fuzz/tests/fuzz/found/, failing ones in
# build/fuzz/tests/fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."

count=${1:-10000000}
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_read_number fuzz_write_number fuzz_exports fuzz_batch_lines)
max_seconds=${VYXMATH_FUZZ_MAX_SECONDS:-0}

restore() { cmake --preset fuzz -UVYXMATH_FUZZ_RUNS -UVYXMATH_FUZZ_MAX_SECONDS >/dev/null; }
trap restore EXIT
cmake --preset fuzz -DVYXMATH_FUZZ_RUNS="$count" -DVYXMATH_FUZZ_MAX_SECONDS="$max_seconds" >/dev/null
nice -n 19 cmake --build --preset fuzz -j2

logs=build/fuzz/campaign
mkdir -p "$logs"
summary=$logs/summary.txt
printf '%-18s %12s %9s %10s %9s %8s  %s\n' target executions seconds 'exec/s' 'new units' 'peak MB' result | tee "$summary"
failed=0
for target in "${targets[@]}"; do
    log=$logs/$target.log
    start=$(date +%s)
    result=passed
    nice -n 19 ctest --preset fuzz -R "^$target\$" -V --timeout 100000000 >"$log" 2>&1 || { result=FAILED; failed=1; }
    seconds=$(($(date +%s) - start))
    stat() { grep -o "stat::$1: *[0-9]*" "$log" | tail -n 1 | grep -o '[0-9]*$' || echo '?'; }
    printf '%-18s %12s %9s %10s %9s %8s  %s\n' "$target" "$(stat number_of_executed_units)" "$seconds" \
        "$(stat average_exec_per_sec)" "$(stat new_units_added)" "$(stat peak_rss_mb)" "$result" | tee -a "$summary"
done
exit $failed
