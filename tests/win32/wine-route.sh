#!/usr/bin/env bash
# How this machine runs the 32-bit Windows programs of the win32 build. One
# of three routes, printed as one line:
#   native     the kernel runs 32-bit x86 programs: wine as it is installed.
#   emulated   it does not (some virtual machines cannot), but the user-mode
#              emulator can run them: 64-bit wine with a WoW64 prefix, and
#              only the 32-bit processes run by qemu-i386.
#   none: WHY  neither: the Windows programs cannot run here at all.
# VYXMATH_WINE_ROUTE=native|emulated|none forces a route, which is how the
# other routes are tried on a machine that runs 32-bit programs.
#
#   wine-route.sh                  prints the route
#   wine-route.sh --decide RUNS_I386 EMULATOR [FORCED]
#                                  the decision alone, from given facts
#                                  (yes/no, yes/no, a route or nothing)
#   wine-route.sh --or-skip CMD... runs CMD, unless the route is none: then
#                                  says why and exits 77, which CTest counts
#                                  as a skipped test
set -uo pipefail

skip_status=77
emulation_packages="wine64 wine32-preloader:i386 qemu-user"

# The smallest 32-bit program wine itself brings: the i386 dynamic loader
# (or wine's own 32-bit loader), asked for its version.
i386_probe_program() {
    local program
    for program in /lib/ld-linux.so.2 /usr/lib/wine/wine; do
        if [ -x "$program" ]; then
            echo "$program"
            return 0
        fi
    done
    return 1
}

# runs_i386 [WHY-VAR]: whether a 32-bit program starts here; the error the
# kernel gave goes into the named variable when it does not.
runs_i386() {
    local program output
    program=$(i386_probe_program) || { printf -v "${1:-_}" '%s' "no 32-bit x86 loader is installed (wine32:i386)"; return 1; }
    if output=$("$program" --version 2>&1 >/dev/null); then
        return 0
    fi
    printf -v "${1:-_}" '%s' "$program: ${output##*: }"
    return 1
}

# What the emulated route needs: the emulator, 64-bit wine and wine's static
# 32-bit preloader (without it every 32-bit process takes a minute to start
# under the emulator).
has_emulator() {
    command -v qemu-i386 >/dev/null &&
        [ -x /usr/lib/wine/wine64 ] && [ -f /usr/lib/wine/wine-preloader.static ] && [ -x /usr/lib/wine/wine ]
}

# decide RUNS_I386 EMULATOR FORCED WHY: the route, from the facts alone.
decide() {
    local runs=$1 emulator=$2 forced=$3 why=$4
    case $forced in
    native | emulated) echo "$forced"; return 0 ;;
    none) echo "none: asked for by VYXMATH_WINE_ROUTE"; return 0 ;;
    "") ;;
    *) echo "none: VYXMATH_WINE_ROUTE=$forced is no route (native, emulated, none)"; return 0 ;;
    esac
    if [ "$runs" = yes ]; then
        echo native
    elif [ "$emulator" = yes ]; then
        echo emulated
    else
        echo "none: this machine cannot run 32-bit x86 programs ($why), and the emulator is not installed ($emulation_packages)"
    fi
}

route() {
    local why="" runs=no emulator=no
    runs_i386 why && runs=yes
    has_emulator && emulator=yes
    decide "$runs" "$emulator" "${VYXMATH_WINE_ROUTE:-}" "$why"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    case ${1:-} in
    --decide)
        decide "${2:?}" "${3:?}" "${4:-}" "given"
        ;;
    --or-skip)
        shift
        chosen=$(route)
        if [ "${chosen%%:*}" = none ]; then
            echo "skipped: ${chosen#none: }"
            exit $skip_status
        fi
        exec "$@"
        ;;
    "")
        route
        ;;
    *)
        echo "usage: wine-route.sh [--decide RUNS_I386 EMULATOR [FORCED] | --or-skip COMMAND...]" >&2
        exit 2
        ;;
    esac
fi
