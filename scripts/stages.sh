# The quiet form of the test scripts, sourced by scripts/test.sh and
# scripts/test-sanitizers.sh. Each stage's whole output goes to a log file;
# the terminal gets one line per stage (what ran, its result, the time, the
# log), and for a failure the failing tests' own output or the end of the
# build log. Call summarise_stages last: it prints the ctest-style total and
# returns non-zero when anything failed.

tests_passed=0
tests_skipped=0
tests_failed=0
failed_stages=()
stages_started=$SECONDS

# report_stage NAME RESULT SECONDS LOG
report_stage() {
    printf "%-28s %-32s %5d s  %s\n" "$1" "$2" "$3" "$4"
}

# What a failure prints at most: enough to see what went wrong, the rest
# stays in the log. The first failure of a run shows excerpt_lines; a later
# one, often the same fault seen by another build, only its first line
# (which names the failing test or command).
excerpt_lines=40
later_excerpt_lines=1

# first_lines LOG: standard input indented, cut after excerpt_lines with a
# line saying how many more the log holds.
first_lines() {
    awk -v limit="$excerpt_lines" -v logfile="$1" '
        NR <= limit { print "    " $0 }
        END { if (NR > limit) printf "    ... %d more lines in %s\n", NR - limit, logfile }'
}

# last_lines LOG: the end of the log, where a compiler or a command says
# what failed, after a line saying how many lines come before it.
last_lines() {
    local total
    total=$(wc -l <"$1")
    [ "$total" -le "$excerpt_lines" ] || echo "    ... $((total - excerpt_lines)) earlier lines in $1"
    tail -n "$excerpt_lines" "$1" | sed 's/^/    /'
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
    last_lines "$log"
    excerpt_lines=$later_excerpt_lines
    failed_stages+=("$name")
    return 1
}

# needs SCOPE NAME: whether the packages of SCOPE (scripts/install-deps.sh)
# are in place; if not, stage NAME is skipped with their names. The run
# still fails, through the dependencies stage that could not install them.
needs() {
    local missing
    missing=$(scripts/install-deps.sh --missing "$1")
    [ -n "$missing" ] || return 0
    skip_stage "$2" "missing: $missing"
    return 1
}

# test_stage NAME LOG CTEST-COMMAND...: a ctest run. Counts its tests into
# the totals; on failure prints the failing tests' output as ctest logged it
# (the presets ask for the output of failing tests), up to excerpt_lines.
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
    # CTest counts a skipped test among those that passed; the line says
    # how many of them were skipped.
    local skipped passed
    skipped=$(grep -c '^[[:space:]]*[0-9]* - .* (Skipped)$' "$log")
    passed=$((total - failed - skipped))
    tests_passed=$((tests_passed + passed))
    tests_skipped=$((tests_skipped + skipped))
    tests_failed=$((tests_failed + failed))
    local counts="$passed passed"
    [ "$skipped" -eq 0 ] || counts+=", $skipped skipped"
    if [ "$status" -eq 0 ] && [ "$failed" -eq 0 ]; then
        report_stage "$name" "$counts, 0 failed" $((SECONDS - start)) "$log"
        return 0
    fi
    report_stage "$name" "$counts, $failed FAILED" $((SECONDS - start)) "$log"
    # A test's block runs from its result line to the next line ctest
    # writes of its own (a start, a result or the summary).
    if [ "$failed" -gt 0 ]; then
        awk '
            /^ *[0-9]+\/[0-9]+ Test +#[0-9]+: / { show = ($0 !~ /(Passed|Skipped|Not Run) +[0-9.]+ sec *$/ && $0 !~ /\*\*\*Skipped/) }
            /^ *Start +[0-9]+: / || /tests passed, / { show = 0 }
            /^The following tests FAILED:/ { show = 1 }
            show { line = $0; gsub(/ \.\.\.\.+/, " ", line); print line }
        ' "$log" | first_lines "$log"
    else
        last_lines "$log"
    fi
    excerpt_lines=$later_excerpt_lines
    failed_stages+=("$name")
    return 1
}

# skip_stage NAME WHY
skip_stage() {
    report_stage "$1" "skipped: $2" 0 -
}

summarise_stages() {
    local total=$((tests_passed + tests_failed)) percent=100
    [ "$total" -eq 0 ] || percent=$((100 * tests_passed / total))
    if [ ${#failed_stages[@]} -gt 0 ]; then
        local joined
        joined=$(printf '%s; ' "${failed_stages[@]}")
        echo "failed stages: ${joined%; }"
    fi
    local skipped=""
    [ "$tests_skipped" -eq 0 ] || skipped=", $tests_skipped skipped"
    echo "$percent% tests passed, $tests_failed tests failed out of $total" \
        "(all stages$skipped, $((SECONDS - stages_started)) s)"
    [ ${#failed_stages[@]} -eq 0 ]
}
