#!/usr/bin/env bash
# Fresh machine to test results: packages, the sanitizer build, every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Let ccache share results between checkouts in different folders.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
cmake --preset asan
cmake --build --preset asan
# The window tests leave a picture of every window and dialog they open here.
export LUMORA_SCREENSHOT_DIR="${LUMORA_SCREENSHOT_DIR:-$PWD/build/asan/screenshots}"
ctest --preset asan
