#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test. Prints one
# line per stage; each stage's full output is in the log file the line names.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/stages.sh
source scripts/test-sanitizers.sh

jobs=$(nproc)

# configure_and_build PRESET [TARGET...]
configure_and_build() {
    local preset=$1
    shift
    cmake --preset "$preset" && cmake --build --preset "$preset" -j"$jobs" "$@"
}

# The benchmarks each run briefly, so that they keep compiling and every
# contender passes its input check; scripts/bench.sh measures.
bench_smoke() {
    build/bench/bin/vyxmath_bench --benchmark_min_time=0.001 && bench/batch_rate.sh build/bench 2000 1
}

# The whole run is one function, read in full before it starts, so that
# editing this file during a run does not change the run.
main() {
    run_stage "dependencies" build/logs/install-deps.log scripts/install-deps.sh all ||
        { summarise_stages; return 1; }

    local native_built=false win32_built=false
    if run_stage "native: build" build/native/logs/build.log configure_and_build native; then
        native_built=true
        test_stage "native: unit tests" build/native/logs/ctest.log ctest --preset native -j"$jobs"
        # cmake --install into a temporary prefix, then a program built with
        # find_package and one with pkg-config against it.
        run_stage "native: install, consumers" build/native/logs/install.log \
            tests/install/check-install.sh build/native
    else
        skip_stage "native: unit tests" "no build"
    fi

    # The 32-bit Windows module "VYXmath.vyk" and vyxmath.exe, cross-built
    # with mingw-w64 and tested under wine: the module file's exports and
    # version, the calling convention, the per-thread random state, and every
    # result compared with the native build above.
    if run_stage "win32: build" build-win32/logs/build.log configure_and_build win32; then
        win32_built=true
        test_stage "win32: tests under wine" build-win32/logs/ctest.log ctest --preset win32 -j"$jobs"
    else
        skip_stage "win32: tests under wine" "no build"
    fi

    # The release archives: .tar.gz and .deb (checked by lintian), the win32 zip.
    if $native_built && $win32_built; then
        run_stage "packages: tgz, deb, zip" build/logs/packages.log \
            tests/install/check-packages.sh build/native build-win32
    else
        skip_stage "packages: tgz, deb, zip" "no build"
    fi

    if run_stage "bench: build" build/bench/logs/build.log configure_and_build bench; then
        run_stage "bench: smoke run" build/bench/logs/smoke.log bench_smoke
    else
        skip_stage "bench: smoke run" "no build"
    fi

    # AddressSanitizer + UBSan and ThreadSanitizer unit tests, bounded fuzzing.
    sanitizer_stages asan tsan fuzz

    summarise_stages
}

main "$@"
exit
