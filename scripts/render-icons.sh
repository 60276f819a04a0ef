#!/usr/bin/env bash
# Renders the PNG sizes of the icon from its SVG, and the Windows .ico from them; run after changing the SVG, commit the result.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"

sizes=(16 24 32 48 64 128 256)
for size in "${sizes[@]}"; do
    rsvg-convert --width "$size" --height "$size" org.example.realdataquiz.svg --output "$size.png"
done

# The Windows icon: every size in one .ico, each entry a PNG, as Windows Vista and later read.
python3 - "${sizes[@]}" <<'PYTHON'
import struct, sys
sizes = [int(s) for s in sys.argv[1:]]
images = [open(f"{size}.png", "rb").read() for size in sizes]
out = struct.pack("<HHH", 0, 1, len(images))
offset = 6 + 16 * len(images)
for size, image in zip(sizes, images):
    side = size % 256  # 0 stands for 256
    out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(image), offset)
    offset += len(image)
open("realdataquiz.ico", "wb").write(out + b"".join(images))
PYTHON
