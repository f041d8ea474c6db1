#!/usr/bin/env bash
# Fresh machine to a running Lumora: packages, the build, the demo data where there are none yet.
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
if [ -x build/dev/src/lumora ]; then
  exec build/dev/src/lumora "$@"
fi
"$cli" agenda "$(date +%F)" "$(date -d '+7 days' +%F)"
