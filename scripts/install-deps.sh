#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, if any is
# missing. Usage: install-deps.sh [native|bench|all]   (default: all)
#   native  compiler, CMake, GoogleTest, Google Benchmark, GNU MPFR (test reference)
#   bench   native, plus the conversion libraries the benchmarks compare with
#   all     native and bench, plus clang with its fuzzing runtime (fuzz
#           targets), the 32-bit Windows cross compiler and wine (i386),
#           and the tools that make and check the packages (pefile reads
#           the Windows archive's module)
set -euo pipefail

scope=${1:-all}
native=(cmake make g++ ccache libgtest-dev libgmock-dev libbenchmark-dev libmpfr-dev)
bench=(libfast-float-dev libdouble-conversion-dev)
fuzzing=(clang libclang-rt-14-dev)
windows=(g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32:i386)
packaging=(pkgconf dpkg-dev lintian)
package_reading=(python3-pefile)

wanted=("${native[@]}")
[ "$scope" = bench ] && wanted+=("${bench[@]}")
[ "$scope" = all ] && wanted+=("${bench[@]}" "${fuzzing[@]}" "${windows[@]}" "${packaging[@]}" "${package_reading[@]}")

missing=()
for pkg in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}" >&2
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
if printf '%s\n' "${missing[@]}" | grep -q ':i386$'; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -o DPkg::Lock::Timeout=600 -qq
"${sudo_cmd[@]}" apt-get install -o DPkg::Lock::Timeout=600 -y -qq --no-install-recommends "${missing[@]}" >/dev/null
