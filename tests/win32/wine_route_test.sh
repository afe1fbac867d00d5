#!/usr/bin/env bash
# The route wine-route.sh picks: from given facts (a table), on this machine
# (a machine that starts a 32-bit program takes wine as installed unless told
# otherwise), and the skip that a machine with no route gives its tests.
#   wine_route_test.sh PATH/wine-route.sh
set -uo pipefail
route_script=$1
failures=0 passes=0

expect() {  # expect WHAT GOT WANTED-PREFIX
    if [[ "$2" == "$3"* ]]; then
        passes=$((passes + 1))
    else
        failures=$((failures + 1))
        echo "FAILED: $1: got '$2', wanted '$3...'"
    fi
}

# runs_i386 emulator forced => route
while read -r runs emulator forced wanted; do
    [ "$forced" = - ] && forced=""
    expect "runs 32-bit: $runs, emulator: $emulator, forced: '${forced}'" \
        "$(VYXMATH_WINE_ROUTE= "$route_script" --decide "$runs" "$emulator" "$forced")" "$wanted"
done <<'TABLE'
yes yes - native
yes no - native
no yes - emulated
no no - none: this machine cannot run 32-bit x86 programs
yes yes emulated emulated
yes no emulated emulated
no yes native native
yes yes none none: asked for
no no wine none: VYXMATH_WINE_ROUTE=wine is no route
TABLE

# This machine, told nothing: the route follows whether a 32-bit program
# starts, probed here on its own.
live=$(VYXMATH_WINE_ROUTE= "$route_script")
probe=""
for program in /lib/ld-linux.so.2 /usr/lib/wine/wine; do
    [ -x "$program" ] && { probe=$program; break; }
done
if [ -n "$probe" ] && "$probe" --version >/dev/null 2>&1; then
    expect "this machine starts $probe" "$live" native
elif [ "$live" = native ]; then
    failures=$((failures + 1))
    echo "FAILED: the native route on a machine that starts no 32-bit program"
else
    passes=$((passes + 1))
fi

# With no route a test is skipped (CTest's skip status 77), with the reason;
# with one the command runs and its status passes through.
output=$(VYXMATH_WINE_ROUTE=none "$route_script" --or-skip false)
expect "no route: status 77" "$?" 77
expect "no route: says why" "$output" "skipped: asked for"
VYXMATH_WINE_ROUTE=native "$route_script" --or-skip sh -c 'exit 3'
expect "a route: the command's status" "$?" 3

echo "wine_route_test: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
