#!/usr/bin/env bash
# The web stage in one command: the page's catalog parsers, the WebAssembly
# build and the page (scripts/web.sh), the agreement of its outputs with the native host under
# node, and the page tested in chromium. Quiet: one line with the outcome;
# each step's output is in build/web/logs/, the screenshots in
# build/web/artefacts/. Exits 0 with "skipped: REASON" where Emscripten, node
# or chromium is missing (scripts/install-deps.sh web installs them).
set -uo pipefail
cd "$(dirname "$0")/.."

chromium=/usr/bin/chromium
command -v em-config >/dev/null || { echo "skipped: Emscripten (em-config) is not installed"; exit 0; }
command -v node >/dev/null || { echo "skipped: node is not installed"; exit 0; }
command -v npm >/dev/null || { echo "skipped: npm is not installed"; exit 0; }
[ -x "$chromium" ] || { echo "skipped: $chromium is not installed"; exit 0; }

logs=build/web/logs
artefacts=build/web/artefacts
site=build/web/site
native_host=build/native/bin/vyxmath
mkdir -p "$logs" "$artefacts"
started=$SECONDS
timings=()

# step NAME COMMAND...: runs quietly into $logs/NAME.log; on failure prints
# the outcome line and the end of the log, and ends the script.
step() {
    local name=$1 start=$SECONDS
    shift
    if ! "$@" >"$logs/$name.log" 2>&1; then
        echo "web: FAILED at $name after $((SECONDS - started)) s (log: $logs/$name.log)"
        tail -n 40 "$logs/$name.log" | sed 's/^/    /'
        exit 1
    fi
    timings+=("$name $((SECONDS - start)) s")
}

# The native host the WebAssembly build is compared with, brought up to date
# with the sources (nothing to do after scripts/test.sh's native build).
build_native_host() {
    [ -f build/native/CMakeCache.txt ] || cmake --preset native || return 1
    cmake --build --preset native -j"$(nproc)" --target vyxmath_host vyxmath
}

# playwright-core from the lock file; the browser is Debian's, none is downloaded.
install_playwright() {
    [ -d tests/web/node_modules/playwright-core ] && return 0
    PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --prefix tests/web --no-audit --no-fund
}

step catalog node --test tests/web/catalog.test.mjs
step build scripts/web.sh "$site"
step native-host build_native_host
step agreement node tests/web/agreement.mjs build/wasm/bin "$native_host"
step playwright install_playwright
step browser node tests/web/browser.mjs "$site" "$artefacts" "$native_host"

agreement=$(grep -o '[0-9]* calls ([^)]*), [0-9]* differences' "$logs/agreement.log")
typed=$(grep -c '^ok   typed' "$logs/browser.log")
examples=$(grep -o '[0-9]* of [0-9]* examples match' "$logs/browser.log")
echo "web: ok in $((SECONDS - started)) s (${timings[*]}); wasm against native: $agreement;" \
     "browser: $typed typed calls agree, $examples; screenshots in $artefacts"
