#!/usr/bin/env bash
# Fresh machine to a running Lumora: packages, the dev build, demo data on first use, the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset dev
cmake --build --preset dev

data_dir="${LUMORA_DATA_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/Lumora}"
cli=build/dev/tools/lumora-cli/lumora-cli
if [ ! -e "$data_dir/users.json" ]; then
  if [ -x "$cli" ] && "$cli" --help 2>/dev/null | grep -qw demo; then
    "$cli" demo
  else
    echo "No demo data yet: Lumora starts with its user dialog." >&2
  fi
fi
exec build/dev/src/lumora "$@"
