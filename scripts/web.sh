#!/usr/bin/env bash
# Builds the page of web/ into a static folder: the library compiled to
# WebAssembly with Emscripten (preset wasm), the page, and the catalog of
# exports and examples read from the sources.
#   scripts/web.sh [OUT_DIR]     (default build/web/site)
# Then: python3 -m http.server --directory OUT_DIR   (or any static server)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/web/site}

for tool in em-config node; do
    command -v "$tool" >/dev/null || { echo "web.sh: $tool is missing (scripts/install-deps.sh web)" >&2; exit 1; }
done
cmake --preset wasm >/dev/null
cmake --build --preset wasm -j"$(nproc)"
node web/build-site.mjs build/wasm/bin "$out"
echo "serve it with: python3 -m http.server --directory $out"
