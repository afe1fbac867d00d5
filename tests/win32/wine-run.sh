#!/usr/bin/env bash
# Runs a Windows program of the 32-bit build under wine, in a wine prefix of
# the build's own that nothing else uses.
#   wine-run.sh --prefix DIR PROGRAM.exe [ARG...]
# The prefix is created on first use (under a lock, so parallel tests do not
# create it twice). Standard input, output and the exit status pass through.
set -euo pipefail

if [ "${1:-}" != --prefix ] || [ $# -lt 3 ]; then
    echo "usage: wine-run.sh --prefix DIR PROGRAM.exe [ARG...]" >&2
    exit 2
fi
# wine wants an absolute prefix path; accept one relative to the caller.
prefix=$(realpath -m -- "$2")
shift 2

export WINEPREFIX=$prefix
export WINEARCH=win32
export WINEDEBUG=-all
# No .NET or HTML engine: keeps wine from offering to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Console programs need no display; without one wine never tries to open a
# window, also on a developer's desktop.
unset DISPLAY WAYLAND_DISPLAY

if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        if [ ! -f "$prefix/system.reg" ]; then
            timeout 300 wineboot --init >/dev/null 2>&1 || true
            wineserver --wait
            [ -f "$prefix/system.reg" ] || { echo "wine-run.sh: could not create the wine prefix $prefix" >&2; exit 1; }
        fi
    ) 9>"$prefix.lock"
fi

# The server and the helper processes a wine session starts (device
# drivers, services) keep the output of the process that started them open
# for as long as they live, so the caller (CTest, a pipe) would wait for them.
# Start them here with their output detached, and keep them 10 seconds after
# the last program so that the next test finds a warm session. When they are
# already running this costs one short wine start.
wineserver --persistent=10 </dev/null >/dev/null 2>&1 || true
wine cmd /c exit </dev/null >/dev/null 2>&1 || true

exec wine "$@"
