#!/usr/bin/env bash
# The manual page written from the host's help: every section a manual page
# of a command has, each option of the help as an entry of OPTIONS, each exit
# status, and no warning from man's formatter.
# Usage: man_page_test.sh VYXMATH.1.GZ VYXMATH
set -euo pipefail
page=$1 host=$2
source=$(zcat "$page")
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

for section in NAME SYNOPSIS DESCRIPTION OPTIONS 'EXIT STATUS' EXAMPLES FILES 'SEE ALSO'; do
    grep -qx "\.SH $section" <<<"$source" || fail "no section $section"
done
options=$(sed -n '/^\.SH OPTIONS/,/^\.SH /p' <<<"$source")
for option in $("$host" --help | sed -n '/^Options:/,/^$/p' | grep -oE '^  (-[a-zA-Z], |    )--[-a-z]+' | grep -oE -- '--[-a-z]+'); do
    grep -qF "\\fB${option//-/\\-}\\fR" <<<"$options" || fail "option $option is no entry of OPTIONS"
done
for status in 0 1 2; do
    sed -n '/^\.SH EXIT STATUS/,/^\.SH /p' <<<"$source" | grep -qx "\.B $status" || fail "exit status $status missing"
done
if command -v man >/dev/null; then
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null || true)
    [ -z "$warnings" ] || fail "man warns: $warnings"
fi
[ "$failures" -eq 0 ] && echo "manual page: all sections, options and exit statuses"
exit "$failures"
