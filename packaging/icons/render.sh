#!/usr/bin/env bash
# Renders the committed bitmap icons from lumora.svg (needs rsvg-convert from librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 128 256; do
  rsvg-convert -w "$size" -h "$size" lumora.svg -o "lumora-$size.png"
done
