#!/usr/bin/env bash
# Fresh machine to a running Lumora: packages, the dev build, demo data on first use, the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
cmake --preset dev
cmake --build --preset dev

cli=build/dev/tools/lumora-cli/lumora-cli
if [ -z "$("$cli" users)" ]; then
  "$cli" demo
fi
exec build/dev/src/lumora "$@"
