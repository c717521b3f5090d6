#!/usr/bin/env bash
# Draws Warblet's icon and writes it in the forms the builds use:
#   viewer/icon/warblet.png      256 x 256, the installed application icon
#   viewer/icon/hicolor/SIZE.png the same at the smaller sizes of the icon
#                                theme (16 to 128 pixels), installed beside it
#   viewer/icon/warblet.ico      resource 1 of the Windows program: 16, 32 and
#                                48 pixels, 256 colours each
#   viewer/icon/warblet_48.rgba  48 x 48 RGBA, the Linux window's icon
# The picture: a spectrogram in miniature, a warbling trace over the colour
# ramp's bands on a dark rounded square. Needs ImageMagick.
set -euo pipefail
"$(dirname "$0")/install-deps.sh" picture
cd "$(dirname "$0")/../viewer/icon"
picture=$(mktemp --suffix=.png)
trap 'rm -f "$picture"' EXIT

# Three half-periods of a sine whose swing grows from left to right, as short
# round-capped segments (a drawn polyline would be closed back to its start).
trace=$(awk 'function y(i) { return 100 - 46 * sin(i / 40 * 3 * 3.14159265) * (0.6 + 0.4 * i / 40) }
  BEGIN { for (i = 0; i < 40; i++)
    printf "line %.1f,%.1f %.1f,%.1f ", 36 + i * 4.6, y(i), 36 + (i + 1) * 4.6, y(i + 1) }')

convert -size 256x256 xc:none \
  -fill '#0b1022' -draw 'roundrectangle 6,6 249,249 44,44' \
  -fill '#14306e' -draw 'rectangle 28,176 228,196' \
  -fill '#1b8fb0' -draw 'rectangle 28,204 228,214' \
  -fill '#2fae4a' -draw 'rectangle 28,222 228,228' \
  -fill none -stroke '#ffd23a' -strokewidth 30 -draw "stroke-linecap round $trace" \
  -stroke '#ff3b1f' -strokewidth 14 -draw "stroke-linecap round $trace" \
  "$picture"

cp "$picture" warblet.png
chmod 644 warblet.png
convert "$picture" \
  \( -clone 0 -resize 48x48 -colors 256 -type Palette \) \
  \( -clone 0 -resize 32x32 -colors 256 -type Palette \) \
  \( -clone 0 -resize 16x16 -colors 256 -type Palette \) \
  -delete 0 ico:warblet.ico
convert "$picture" -resize 48x48 -depth 8 rgba:warblet_48.rgba
mkdir -p hicolor
for size in 16 24 32 48 64 128; do
  convert "$picture" -resize "${size}x${size}" -depth 8 "hicolor/$size.png"
done
