#!/usr/bin/env bash
# The unit tests under AddressSanitizer + UndefinedBehaviorSanitizer and under
# ThreadSanitizer, then every fuzz target for a bounded number of inputs.
# Called by scripts/test.sh after the native tests; runs on its own as well.
# Usage: test-sanitizers.sh [--quick] [asan] [tsan] [fuzz]   (default: all three)
#   --quick  what the everyday test run takes: AddressSanitizer on the unit
#            tests run in a few whole processes (label "unit_shards") rather
#            than one per test (starting them took most of the time),
#            ThreadSanitizer on the threaded tests alone (label "threads"),
#            each building only what those need, and each fuzz target for a
#            short fixed time
# One line per stage; the full output of each is in build/<preset>/logs/.

# Seconds each fuzz target runs at most: the everyday run, and the full one
# (whose targets mostly end at their input counts first).
fuzz_seconds_quick=20
fuzz_seconds_full=300
# The processes the unit tests are run in, in the everyday
# AddressSanitizer run: a few, so that both processors stay busy.
unit_shards=4

# sanitizer_build PRESET JOBS "BUILD-OPTIONS" [CONFIGURE-OPTION...]
sanitizer_build() {
    local preset=$1 jobs=$2 build_options=$3
    shift 3
    # shellcheck disable=SC2086 # the build options are words on purpose
    cmake --preset "$preset" "$@" && cmake --build --preset "$preset" -j"$jobs" $build_options
}

# sanitizer_stages [--quick] STEP...: the stages themselves, for this script
# and for scripts/test.sh (which sources this file).
sanitizer_stages() {
    local jobs step quick=false
    jobs=$(nproc)
    if [ "${1:-}" = --quick ]; then
        quick=true
        shift
    fi
    # ThreadSanitizer needs its fixed memory layout; on kernels that randomise
    # mmap with more bits than it expects it aborts at start-up ("unexpected
    # memory mapping"). Running with address-space randomisation off avoids
    # that wherever the personality call is allowed; elsewhere run as is.
    local without_aslr=()
    if setarch "$(uname -m)" -R true 2>/dev/null; then
        without_aslr=(setarch "$(uname -m)" -R)
    fi
    for step in "$@"; do
        local logs=build/$step/logs what scope=native
        local runner=() configure=() targets=() selection=()
        case $step in
        asan)
            what="unit tests"
            configure=(-DVYXMATH_UNIT_TEST_SHARDS=0)
            if $quick; then
                what="unit tests in $unit_shards processes"
                targets=(--target vyxmath_unit_tests)
                configure=(-DVYXMATH_UNIT_TEST_SHARDS=$unit_shards)
                selection=(-L unit_shards)
            fi
            ;;
        tsan)
            what="unit tests"
            runner=("${without_aslr[@]}")
            if $quick; then
                what="threaded tests"
                targets=(--target vyxmath_thread_tests vyxmath_library_soak)
                selection=(-L threads)
            fi
            ;;
        fuzz)
            scope=fuzzing
            if $quick; then
                what="fuzzing, ${fuzz_seconds_quick} s a target"
                configure=(-DVYXMATH_FUZZ_MAX_SECONDS=$fuzz_seconds_quick)
            else
                what="bounded fuzzing"
                configure=(-DVYXMATH_FUZZ_MAX_SECONDS=$fuzz_seconds_full)
            fi
            ;;
        *)
            echo "test-sanitizers.sh: unknown step '$step' (asan, tsan, fuzz)" >&2
            failed_stages+=("$step")
            continue
            ;;
        esac
        if needs "$scope" "$step: build" &&
            run_stage "$step: build" "$logs/build.log" \
                sanitizer_build "$step" "$jobs" "${targets[*]}" "${configure[@]}"; then
            test_stage "$step: $what" "$logs/ctest.log" "${runner[@]}" ctest --preset "$step" -j"$jobs" "${selection[@]}"
        else
            skip_stage "$step: $what" "no build"
        fi
    done
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -uo pipefail
    cd "$(dirname "$0")/.."
    source scripts/stages.sh
    steps=("$@")
    [ ${#steps[@]} -gt 0 ] && [ "${steps[*]}" != --quick ] || steps+=(asan tsan fuzz)
    sanitizer_stages "${steps[@]}"
    summarise_stages
fi
