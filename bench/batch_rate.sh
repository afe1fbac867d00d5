#!/usr/bin/env bash
# Calls per second of the host's batch mode, one process on one core, on
# files of generated call lines: additions of short decimals, additions of
# 17-digit doubles, and every export mixed. Each file runs REPEATS times; the
# rate is COUNT divided by the median CPU time (user + system) of a run.
# Usage: bench/batch_rate.sh [BUILD_DIR] [COUNT] [REPEATS]
#        (defaults: build/bench, 1000000, 5; the bench preset builds both tools)
set -euo pipefail

build=${1:-build/bench}
count=${2:-1000000}
repeats=${3:-5}
host=$build/bin/vyxmath
generator=$build/bin/vyxmath_batch_calls
target_tasu_rate=2000000

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for kind in n_tasu n_tasu_17 mixed; do
    calls=$work/$kind.calls
    "$generator" "$kind" "$count" >"$calls"
    # Every line must be a call that ran: exit status 0, one answer per line.
    answers=$("$host" - <"$calls" | wc -l)
    if [ "$answers" -ne "$count" ]; then
        echo "batch_rate: $kind gave $answers answers for $count calls" >&2
        exit 1
    fi
    : >"$work/cpu" && : >"$work/wall"
    for _ in $(seq "$repeats"); do
        TIMEFORMAT='%R %U %S'
        times=$({ time "$host" - <"$calls" >/dev/null; } 2>&1)
        read -r wall user system <<<"$times"
        echo "$wall" >>"$work/wall"
        awk -v u="$user" -v s="$system" 'BEGIN { print u + s }' >>"$work/cpu"
    done
    cpu=$(median <"$work/cpu")
    wall=$(median <"$work/wall")
    rate=$(awk -v n="$count" -v t="$cpu" 'BEGIN { printf "%.0f", n / t }')
    verdict=""
    # Short runs are mostly start-up: they check the tools, not the rate.
    if [ "$kind" = n_tasu ] && [ "$count" -ge 100000 ]; then
        verdict=$(awk -v r="$rate" -v t="$target_tasu_rate" 'BEGIN { print (r >= t) ? "  target 2000000/s met" : "  target 2000000/s MISSED" }')
    fi
    printf '%-10s %d calls: median CPU %.3f s, wall %.3f s, %s calls/s%s\n' "$kind" "$count" "$cpu" "$wall" "$rate" "$verdict"
done
