#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, if any is
# missing, with apt-get (as root, or through sudo when it needs no password).
#   install-deps.sh [SCOPE...]             install what SCOPE needs (default: all)
#   install-deps.sh --missing [SCOPE...]   only print what SCOPE misses, one line
# Scopes:
#   native     compiler, CMake, ccache, GoogleTest, Google Benchmark, GNU MPFR
#              (the tests' reference), libedit (the host's prompt), gettext
#              (its messages in Japanese)
#   bench      native, plus the conversion libraries the benchmarks compare
#              with and matplotlib, which draws the report's charts
#   fuzzing    clang with its fuzzing runtime (the fuzz targets)
#   windows    the 32-bit Windows cross compiler and wine (i386); where this
#              machine cannot run 32-bit programs, also the emulator that runs
#              them (64-bit wine, wine's static preloader, qemu-user), if it
#              can be had: without it those tests are skipped, not failed
#   packaging  the tools that make and check the packages (pefile reads the
#              Windows archive's module)
#   web        Emscripten (the WebAssembly build), node with npm, chromium
#   proofs     Sollya and Gappa, which check the kernels' error bounds
#   quick      what scripts/test.sh needs: native bench fuzzing windows
#              packaging proofs
#   all        every scope
# VYXMATH_NO_INSTALL=1: install nothing; say what is missing and fail if
# anything is.
set -euo pipefail
cd "$(dirname "$0")/.."

native=(cmake make g++ ccache libgtest-dev libgmock-dev libbenchmark-dev libmpfr-dev pkgconf libedit-dev gettext)
bench=(libfast-float-dev libdouble-conversion-dev python3-matplotlib)
fuzzing=(clang libclang-rt-14-dev)
windows=(g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32:i386)
emulation=(wine64 wine32-preloader:i386 qemu-user)
packaging=(pkgconf dpkg-dev lintian python3-pefile)
web=(emscripten nodejs chromium)
proofs=(sollya gappa)

only_list=false
if [ "${1:-}" = --missing ]; then
    only_list=true
    shift
fi
scopes=("$@")
[ ${#scopes[@]} -gt 0 ] || scopes=(all)

wanted=()
for scope in "${scopes[@]}"; do
    case $scope in
    native) wanted+=("${native[@]}") ;;
    bench) wanted+=("${native[@]}" "${bench[@]}") ;;
    fuzzing) wanted+=("${fuzzing[@]}") ;;
    windows) wanted+=("${windows[@]}") ;;
    packaging) wanted+=("${packaging[@]}") ;;
    web) wanted+=("${native[@]}" "${web[@]}") ;;
    proofs) wanted+=("${proofs[@]}") ;;
    quick) wanted+=("${native[@]}" "${bench[@]}" "${fuzzing[@]}" "${windows[@]}" "${packaging[@]}" "${proofs[@]}") ;;
    all) wanted+=("${native[@]}" "${bench[@]}" "${fuzzing[@]}" "${windows[@]}" "${packaging[@]}" "${proofs[@]}" "${web[@]}") ;;
    *)
        echo "install-deps.sh: unknown scope '$scope' (native bench fuzzing windows packaging web proofs quick all)" >&2
        exit 2
        ;;
    esac
done

# missing_of PACKAGE...: those not installed.
missing_of() {
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || echo "$pkg"
    done | sort -u
}

mapfile -t missing < <(missing_of "${wanted[@]}")
# npm comes with some builds of nodejs and as its own package with Debian's;
# asking for the package where nodejs provides it would replace that nodejs.
if printf '%s\n' "${wanted[@]}" | grep -qx nodejs && ! command -v npm >/dev/null; then
    missing+=(npm)
fi

if $only_list; then
    [ ${#missing[@]} -eq 0 ] || echo "${missing[*]}"
    exit 0
fi

# The command that installs, or nothing when none may: root, sudo that needs
# no password, or sudo asking for one on the terminal (it asks there even
# when this script's output goes to a log); with no terminal, nobody could
# answer it.
installer=()
if [ "${VYXMATH_NO_INSTALL:-}" = 1 ]; then
    why_not="VYXMATH_NO_INSTALL=1"
elif [ "$(id -u)" -eq 0 ]; then
    installer=(env)
elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    installer=(sudo -n)
elif command -v sudo >/dev/null && [ -t 0 ]; then
    installer=(sudo)
else
    why_not="not root, and sudo is missing or asks for a password with no terminal to ask on"
fi

# apt_install PACKAGE...: installs them; fails with apt-get's complaint.
apt_install() {
    if printf '%s\n' "$@" | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -qx i386; then
        "${installer[@]}" dpkg --add-architecture i386
        apt_updated=false
    fi
    if ! ${apt_updated:-false}; then
        "${installer[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 update -qq
        apt_updated=true
    fi
    "${installer[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "$@" >/dev/null
}

if [ ${#missing[@]} -gt 0 ]; then
    if [ ${#installer[@]} -eq 0 ]; then
        echo "missing packages: ${missing[*]} (not installed: $why_not)"
        echo "install them with: sudo scripts/install-deps.sh ${scopes[*]}"
        exit 1
    fi
    echo "installing: ${missing[*]}"
    apt_install "${missing[@]}"
fi

# The emulator, only where the Windows programs need it: wanted for the
# windows scope on a machine that starts no 32-bit program, or when that
# route is asked for. Not having it is no failure: the tests then say why
# they were skipped.
if printf '%s\n' "${wanted[@]}" | grep -qx wine && [ ${#installer[@]} -gt 0 ]; then
    route=$(VYXMATH_WINE_ROUTE= tests/win32/wine-route.sh)
    if [ "${route%%:*}" = none ] || [ "${VYXMATH_WINE_ROUTE:-}" = emulated ]; then
        mapfile -t absent < <(missing_of "${emulation[@]}")
        if [ ${#absent[@]} -gt 0 ]; then
            echo "installing the emulator for the 32-bit Windows programs: ${absent[*]}"
            apt_install "${absent[@]}" || echo "could not install ${absent[*]}: the Windows programs' tests will be skipped"
        fi
    fi
fi
exit 0
