#!/usr/bin/env bash
# Renders the program's icon, packaging/linux/wintarvel.svg, into the pictures that are kept
# beside it: the 48, 128 and 256 pixel PNGs of the Linux icon theme and the Windows installer's
# wintarvel.ico (16 to 256 pixels). Run it again after changing the drawing, and commit the result.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh librsvg2-bin icoutils

svg=packaging/linux/wintarvel.svg
mkdir -p packaging/linux/icons
for size in 48 128 256; do
  rsvg-convert -w "$size" -h "$size" "$svg" -o "packaging/linux/icons/wintarvel-$size.png"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
small=()
for size in 16 24 32 48 64; do
  rsvg-convert -w "$size" -h "$size" "$svg" -o "$work/$size.png"
  small+=("$work/$size.png")
done
# Windows takes the 256 pixel picture as a PNG inside the icon file.
icotool -c -o packaging/windows/wintarvel.ico "${small[@]}" \
  --raw=packaging/linux/icons/wintarvel-256.png
