#!/bin/sh
# Renders the hicolor PNG sizes from the hand-drawn SVG with rsvg-convert
# (librsvg2-bin). Re-run after changing the SVG and commit the PNG files; the
# build only copies them.
set -eu
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" isomint-stencil.svg -o "icons/$size.png"
done
