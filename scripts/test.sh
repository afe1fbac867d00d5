#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the tests. Prints one
# line per stage; each stage's full output is in the log file the line names.
#   scripts/test.sh          the everyday run: every test of the native and
#                            Windows builds; the unit tests under
#                            AddressSanitizer in a few whole processes, the
#                            threaded tests under ThreadSanitizer, each fuzz
#                            target for 20 seconds
#   scripts/test.sh --full   the same with every test under both sanitizers,
#                            one process each, the fuzz targets for their
#                            whole bounded counts, and the WebAssembly build
#                            with its browser test
# VYXMATH_NO_INSTALL=1 installs nothing; VYXMATH_WINE_ROUTE picks the route of
# the Windows tests (tests/win32/wine-route.sh).
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/stages.sh
source scripts/test-sanitizers.sh

full=false
case ${1:-} in
--full) full=true ;;
"") ;;
*)
    echo "usage: scripts/test.sh [--full]" >&2
    exit 2
    ;;
esac
jobs=$(nproc)

# configure_and_build PRESET [BUILD-OPTION...]
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

# The Windows programs' tests, by the route this machine has for them. With
# no route at all only the checks of the module file run (they read it
# without running it), and the stage says why the rest were skipped.
win32_tests() {
    local route
    route=$(tests/win32/wine-route.sh)
    case $route in
    native | emulated)
        test_stage "win32: tests, wine ($route)" build-win32/logs/ctest.log ctest --preset win32 -j"$jobs"
        ;;
    *)
        test_stage "win32: module file" build-win32/logs/ctest.log \
            ctest --preset win32 -R '^win32[.](module_file|wine_route)$'
        skip_stage "win32: tests under wine" "${route#none: }"
        ;;
    esac
}

# The whole run is one function, read in full before it starts, so that
# editing this file during a run does not change the run.
main() {
    local scope=quick
    ! $full || scope=all
    run_stage "dependencies" build/logs/install-deps.log scripts/install-deps.sh "$scope"

    local native_built=false win32_built=false
    if needs native "native: build" &&
        run_stage "native: build" build/native/logs/build.log configure_and_build native; then
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
    if needs windows "win32: build" &&
        run_stage "win32: build" build-win32/logs/build.log configure_and_build win32; then
        win32_built=true
        win32_tests
    else
        skip_stage "win32: tests under wine" "no build"
    fi

    # The release archives: .tar.gz and .deb (checked by lintian), the win32 zip.
    if ! $native_built || ! $win32_built; then
        skip_stage "packages: tgz, deb, zip" "no build"
    elif needs packaging "packages: tgz, deb, zip"; then
        run_stage "packages: tgz, deb, zip" build/logs/packages.log \
            tests/install/check-packages.sh build/native build-win32
    fi

    if needs bench "bench: build" &&
        run_stage "bench: build" build/bench/logs/build.log configure_and_build bench; then
        run_stage "bench: smoke run" build/bench/logs/smoke.log bench_smoke
    else
        skip_stage "bench: smoke run" "no build"
    fi

    # AddressSanitizer + UBSan and ThreadSanitizer unit tests, bounded fuzzing.
    if $full; then
        sanitizer_stages asan tsan fuzz
    else
        sanitizer_stages --quick asan tsan fuzz
    fi

    # The WebAssembly build against the native host, and its page in a browser.
    if $full && needs web "web: wasm, node, browser"; then
        run_stage "web: wasm, node, browser" build/web/logs/stage.log scripts/test-web.sh
    fi

    summarise_stages
}

main "$@"
exit
