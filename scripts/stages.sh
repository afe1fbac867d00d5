# The quiet form of the test scripts, sourced by scripts/test.sh and
# scripts/test-sanitizers.sh. Each stage's whole output goes to a log file;
# the terminal gets one line per stage (what ran, its result, the time, the
# log), and for a failure the failing tests' own output or the end of the
# build log. Call summarise_stages last: it prints the ctest-style total and
# returns non-zero when anything failed.

tests_passed=0
tests_failed=0
failed_stages=()
stages_started=$SECONDS

# report_stage NAME RESULT SECONDS LOG
report_stage() {
    printf '%-26s %-30s %5d s  %s\n' "$1" "$2" "$3" "$4"
}

# run_stage NAME LOG COMMAND...: a stage without tests (build, install...).
# On failure prints the end of the log, where the compiler's or the
# command's complaint is.
run_stage() {
    local name=$1 log=$2 start=$SECONDS
    shift 2
    mkdir -p "$(dirname "$log")"
    if "$@" >"$log" 2>&1; then
        report_stage "$name" ok $((SECONDS - start)) "$log"
        return 0
    fi
    report_stage "$name" FAILED $((SECONDS - start)) "$log"
    tail -n 60 "$log" | sed 's/^/    /'
    failed_stages+=("$name")
    return 1
}

# test_stage NAME LOG CTEST-COMMAND...: a ctest run. Counts its tests into
# the totals; on failure prints each failing test's output in full, as
# ctest logged it (the presets ask for the output of failing tests).
test_stage() {
    local name=$1 log=$2 start=$SECONDS status=0
    shift 2
    mkdir -p "$(dirname "$log")"
    "$@" >"$log" 2>&1 || status=$?
    local failed total
    read -r failed total < <(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1 \2/p' "$log" | tail -n 1)
    if [ -z "${total:-}" ]; then
        # ctest ended before its summary (or found no tests): a failure.
        failed=1 total=1
        [ "$status" -ne 0 ] || status=1
    fi
    tests_passed=$((tests_passed + total - failed))
    tests_failed=$((tests_failed + failed))
    if [ "$status" -eq 0 ] && [ "$failed" -eq 0 ]; then
        report_stage "$name" "$((total - failed)) passed, 0 failed" $((SECONDS - start)) "$log"
        return 0
    fi
    report_stage "$name" "$((total - failed)) passed, $failed FAILED" $((SECONDS - start)) "$log"
    # A test's block runs from its result line to the next line ctest
    # writes of its own (a start, a result or the summary).
    awk '
        /^ *[0-9]+\/[0-9]+ Test +#[0-9]+: / { show = ($0 !~ /Passed +[0-9.]+ sec *$/) }
        /^ *Start +[0-9]+: / || /tests passed, / { show = 0 }
        /^The following tests FAILED:/ { show = 1 }
        show { line = $0; gsub(/ \.\.\.\.+/, " ", line); print "    " line }
    ' "$log"
    [ "$failed" -gt 0 ] || tail -n 30 "$log" | sed 's/^/    /'
    failed_stages+=("$name")
    return 1
}

# skip_stage NAME WHY
skip_stage() {
    report_stage "$1" "skipped ($2)" 0 -
}

summarise_stages() {
    local total=$((tests_passed + tests_failed)) percent=100
    [ "$total" -eq 0 ] || percent=$((100 * tests_passed / total))
    if [ ${#failed_stages[@]} -gt 0 ]; then
        local joined
        joined=$(printf '%s; ' "${failed_stages[@]}")
        echo "failed stages: ${joined%; }"
    fi
    echo "$percent% tests passed, $tests_failed tests failed out of $total" \
        "(all stages, $((SECONDS - stages_started)) s)"
    [ ${#failed_stages[@]} -eq 0 ]
}
