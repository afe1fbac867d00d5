#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh all

echo "== native build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native -j"$(nproc)"
ctest --preset native -j"$(nproc)"

# AddressSanitizer + UBSan and ThreadSanitizer unit tests, bounded fuzzing.
scripts/test-sanitizers.sh
