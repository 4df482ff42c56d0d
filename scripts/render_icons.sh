#!/usr/bin/env bash
# Renders the PNG sizes of the desk's icon from packaging/icons/de.klangwart.Klangwart.svg. The PNGs are kept in
# the repository, so a build needs no SVG renderer; run this after changing the drawing (needs rsvg-convert,
# Debian package librsvg2-bin).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
icons="$root/packaging/icons"
command -v rsvg-convert >/dev/null || { echo "render_icons: rsvg-convert is missing (librsvg2-bin)" >&2; exit 1; }
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" "$icons/de.klangwart.Klangwart.svg" -o "$icons/klangwart-$size.png"
done
echo "render_icons: wrote $icons/klangwart-{16,24,32,48,64,128,256}.png"
