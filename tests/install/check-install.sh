#!/usr/bin/env bash
# Installs a build folder into a temporary prefix and builds two programs
# against the installed tree, one through find_package(vyxmath), one through
# pkg-config; each must print 3.75. The installed host must give the same.
# Usage: tests/install/check-install.sh BUILD-FOLDER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
work=$build/install-check
rm -rf "$work"
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix"

expect_sum() {
    local output
    output=$("$@")
    if [ "$output" != 3.75 ]; then
        echo "$*: printed '$output', not 3.75" >&2
        exit 1
    fi
    echo "$*: $output"
}

cmake -S "$here/find_package" -B "$work/find_package" -DCMAKE_PREFIX_PATH="$prefix"
cmake --build "$work/find_package"
expect_sum "$work/find_package/consumer"

export PKG_CONFIG_PATH=$(dirname "$(find "$prefix" -name vyxmath.pc)")
# shellcheck disable=SC2046 # the flags are separate words
cc -o "$work/pkg_config_consumer" "$here/consumer.c" $(pkg-config --cflags --libs vyxmath)
LD_LIBRARY_PATH=$(pkg-config --variable=libdir vyxmath) expect_sum "$work/pkg_config_consumer"

expect_sum "$prefix/bin/vyxmath" n_tasu 1.5 2.25
# The manual page is in place and is a page.
gzip -dc "$(find "$prefix" -name vyxmath.1.gz)" | grep -q "^\.TH VYXMATH 1 "
# The completions and the Japanese messages are in place, and the installed
# host finds its catalogue (share/locale beside bin).
test -f "$prefix/share/bash-completion/completions/vyxmath" && test -f "$prefix/share/zsh/vendor-completions/_vyxmath"
unknown=$(LANGUAGE=ja LC_ALL=C.UTF-8 "$prefix/bin/vyxmath" n_foo 2>&1 || true)
grep -q "$(printf '\xE4\xB8\x8D\xE6\x98\x8E')" <<<"$unknown" || { echo "installed host: no Japanese: $unknown" >&2; exit 1; }
