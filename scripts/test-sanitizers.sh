#!/usr/bin/env bash
# The unit tests under AddressSanitizer + UndefinedBehaviorSanitizer and under
# ThreadSanitizer, then every fuzz target for a bounded number of inputs.
# Called by scripts/test.sh after the native tests; runs on its own as well.
# Usage: test-sanitizers.sh [asan] [tsan] [fuzz]   (default: all three)
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
steps=("$@")
[ ${#steps[@]} -gt 0 ] || steps=(asan tsan fuzz)

# ThreadSanitizer needs its fixed memory layout; on kernels that randomise
# mmap with more bits than it expects it aborts at start-up ("unexpected
# memory mapping"). Running with address-space randomisation off avoids that
# wherever the personality call is allowed; elsewhere run as is.
without_aslr=()
if setarch "$(uname -m)" -R true 2>/dev/null; then
    without_aslr=(setarch "$(uname -m)" -R)
fi

for step in "${steps[@]}"; do
    case $step in
    asan | tsan)
        echo "== $step build and unit tests"
        cmake --preset "$step" >/dev/null
        cmake --build --preset "$step" -j"$jobs"
        if [ "$step" = tsan ]; then
            "${without_aslr[@]}" ctest --preset "$step" -j"$jobs"
        else
            ctest --preset "$step" -j"$jobs"
        fi
        ;;
    fuzz)
        echo "== fuzz targets (bounded runs)"
        cmake --preset fuzz >/dev/null
        cmake --build --preset fuzz -j"$jobs"
        ctest --preset fuzz -j"$jobs"
        ;;
    *)
        echo "test-sanitizers.sh: unknown step '$step' (asan, tsan, fuzz)" >&2
        exit 2
        ;;
    esac
done
