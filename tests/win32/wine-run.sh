#!/usr/bin/env bash
# Runs a Windows program of the 32-bit build under wine, in a wine prefix of
# the build's own that nothing else uses, by the route wine-route.sh picks
# for this machine: wine as installed, or (where the kernel runs no 32-bit
# programs) 64-bit wine with the 32-bit processes under qemu-i386.
#   wine-run.sh --prefix DIR PROGRAM.exe [ARG...]
# The prefix is created on first use (under a lock, so parallel tests do not
# create it twice). Standard input, output and the exit status pass through.
# Where no route can run the program it says why and exits 77.
set -euo pipefail

if [ "${1:-}" != --prefix ] || [ $# -lt 3 ]; then
    echo "usage: wine-run.sh --prefix DIR PROGRAM.exe [ARG...]" >&2
    exit 2
fi
# wine wants an absolute prefix path; accept one relative to the caller.
prefix=$(realpath -m -- "$2")
shift 2
here=$(dirname "$(realpath "$0")")

route=$("$here/wine-route.sh")
export WINEDEBUG=${VYXMATH_WINEDEBUG:--all}
# No .NET or HTML engine: keeps wine from offering to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Console programs need no display; without one wine never tries to open a
# window, also on a developer's desktop.
unset DISPLAY WAYLAND_DISPLAY

case $route in
native)
    export WINEARCH=win32
    wine=(wine)
    wineserver=(wineserver)
    ;;
emulated)
    # A WoW64 prefix of its own: the 32-bit prefix of the native route
    # cannot serve a 64-bit wine.
    prefix=$prefix.wow64
    unset WINEARCH
    # wine starts every new process from the folder of its own executable
    # and ignores a WINELOADER of ours, so the loaders are copied into a
    # folder of the build's (real files: the emulator and the kernel both
    # resolve /proc/self/exe), where "wine-preloader" hands the 32-bit ones
    # to qemu-i386 with wine's static preloader, which reserves the address
    # space in a few calls instead of probing it for a minute.
    loaders=$prefix.loaders
    wine=("$loaders/lib/wine/wine64")
    wineserver=("$loaders/lib/wine/wineserver")
    if [ ! -x "$loaders/lib/wine/wine-preloader" ]; then
        mkdir -p "$(dirname "$loaders")"
        (
            flock 9
            if [ ! -x "$loaders/lib/wine/wine-preloader" ]; then
                rm -rf "$loaders"
                mkdir -p "$loaders/lib/wine" "$loaders/share"
                cp /usr/lib/wine/wine /usr/lib/wine/wine64 /usr/lib/wine/wine-preloader.static "$loaders/lib/wine/"
                ln -s /usr/lib/wine/wineserver64 "$loaders/lib/wine/wineserver"
                ln -s /usr/lib/i386-linux-gnu "$loaders/lib/i386-linux-gnu"
                ln -s /usr/lib/x86_64-linux-gnu "$loaders/lib/x86_64-linux-gnu"
                ln -s /usr/share/wine "$loaders/share/wine"
                cat >"$loaders/lib/wine/wine-preloader.new" <<'PRELOADER'
#!/bin/sh
export WINELOADERNOEXEC=1
exec qemu-i386 "$(dirname "$0")/wine-preloader.static" "$@"
PRELOADER
                chmod +x "$loaders/lib/wine/wine-preloader.new"
                mv "$loaders/lib/wine/wine-preloader.new" "$loaders/lib/wine/wine-preloader"
            fi
        ) 9>"$loaders.lock"
    fi
    ;;
*)
    echo "wine-run.sh: skipped: ${route#none: }" >&2
    exit 77
    ;;
esac
export WINEPREFIX=$prefix
# The programs adapt what the route cannot do (see test_support.h).
export VYXMATH_WINE_ROUTE_TAKEN=$route

if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        if [ ! -f "$prefix/system.reg" ]; then
            timeout 300 "${wine[@]}" wineboot --init >/dev/null 2>&1 || true
            "${wineserver[@]}" --wait
            [ -f "$prefix/system.reg" ] || { echo "wine-run.sh: could not create the wine prefix $prefix ($route route)" >&2; exit 1; }
        fi
    ) 9>"$prefix.lock"
fi

# The server and the helper processes a wine session starts (device
# drivers, services) keep the output of the process that started them open
# for as long as they live, so the caller (CTest, a pipe) would wait for them.
# Start them here with their output detached, and keep them 10 seconds after
# the last program so that the next test finds a warm session. When they are
# already running this costs one short wine start.
"${wineserver[@]}" --persistent=10 </dev/null >/dev/null 2>&1 || true
"${wine[@]}" cmd /c exit </dev/null >/dev/null 2>&1 || true

exec "${wine[@]}" "$@"
