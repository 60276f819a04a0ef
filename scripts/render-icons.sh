#!/usr/bin/env bash
# Renders the PNG sizes of the icon from its SVG; run after changing the SVG, commit the result.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"

for size in 16 24 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" org.example.realdataquiz.svg --output "$size.png"
done
