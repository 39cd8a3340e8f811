#!/usr/bin/env bash
# Renders every svg/NAME.svg into NAME.png at its own size and NAME@2x.png at twice that.
# The SVGs draw on a whole-pixel grid at 1x, so render at exact zoom factors only.
set -euo pipefail

cd "$(dirname "$0")"

if ! command -v rsvg-convert >/dev/null; then
  echo "render.sh: rsvg-convert not found (Debian: apt-get install librsvg2-bin)" >&2
  exit 1
fi

for svg in svg/*.svg; do
  name=$(basename "$svg" .svg)
  rsvg-convert --zoom 1 --output "$name.png" "$svg"
  rsvg-convert --zoom 2 --output "$name@2x.png" "$svg"
done
