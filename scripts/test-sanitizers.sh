#!/usr/bin/env bash
# The unit tests under AddressSanitizer + UndefinedBehaviorSanitizer and under
# ThreadSanitizer, then every fuzz target for a bounded number of inputs.
# Called by scripts/test.sh after the native tests; runs on its own as well.
# Usage: test-sanitizers.sh [asan] [tsan] [fuzz]   (default: all three)
# One line per stage; the full output of each is in build/<preset>/logs/.

# sanitizer_stages STEP...: the stages themselves, for this script and for
# scripts/test.sh (which sources this file).
sanitizer_stages() {
    local jobs step
    jobs=$(nproc)
    # ThreadSanitizer needs its fixed memory layout; on kernels that randomise
    # mmap with more bits than it expects it aborts at start-up ("unexpected
    # memory mapping"). Running with address-space randomisation off avoids
    # that wherever the personality call is allowed; elsewhere run as is.
    local without_aslr=()
    if setarch "$(uname -m)" -R true 2>/dev/null; then
        without_aslr=(setarch "$(uname -m)" -R)
    fi
    for step in "$@"; do
        local logs=build/$step/logs what
        local runner=()
        case $step in
        asan) what="unit tests" ;;
        tsan) what="unit tests"; runner=("${without_aslr[@]}") ;;
        fuzz) what="bounded fuzzing" ;;
        *)
            echo "test-sanitizers.sh: unknown step '$step' (asan, tsan, fuzz)" >&2
            failed_stages+=("$step")
            continue
            ;;
        esac
        if run_stage "$step: build" "$logs/build.log" \
            bash -c "cmake --preset $step && cmake --build --preset $step -j$jobs"; then
            test_stage "$step: $what" "$logs/ctest.log" "${runner[@]}" ctest --preset "$step" -j"$jobs"
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
    [ ${#steps[@]} -gt 0 ] || steps=(asan tsan fuzz)
    sanitizer_stages "${steps[@]}"
    summarise_stages
fi
