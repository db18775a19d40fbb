#!/usr/bin/env bash
# Draws the program's artwork with ImageMagick and writes it to app/res/:
#   banner.bmp   490 x 162, 24 bits: the banner behind both pictures and labels
#   picture.bmp  355 x 165, 24 bits: the picture at the banner's left
#   varnett.ico  16 and 32 pixels: the program's icon
# The results are committed; run this only to change them.
set -euo pipefail
out=$(cd "$(dirname "$0")/../../app/res" && pwd)
bold=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
regular=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Banner: a night-blue field; at the right, where the picture leaves it
# visible, an orange tag for the white "server" label and a light card for
# the greeting text.
convert -size 162x490 gradient:'#1d2b57-#0c1226' -rotate 90 \
  -fill none -stroke '#ffffff14' -strokewidth 1 \
  -draw "line 300,0 460,162" -draw "line 330,0 490,160" -draw "line 360,0 490,130" \
  -stroke none -fill '#ffffff30' \
  -draw "circle 470,40 471,40" -draw "circle 440,58 441,58" -draw "circle 372,30 373,30" \
  -draw "circle 480,12 481,12" -draw "circle 360,150 361,150" \
  -fill '#f0a028' -draw "roundrectangle 382,3 462,21 9,9" \
  -fill '#ffffffee' -stroke '#f0a028' -strokewidth 1 \
  -draw "roundrectangle 360,60 483,156 8,8" \
  -stroke none -fill '#f0a028' -draw "rectangle 372,64 470,65" \
  -alpha off -type TrueColor "BMP3:$out/banner.bmp"

# Picture: dusk over a city skyline, the program's name, a sight.
convert -size 355x112 gradient:'#ff9a4a-#4a2470' -size 355x53 gradient:'#4a2470-#141230' -append \
  -fill '#ffd27a' -draw "circle 262,92 262,64" \
  -fill '#ffe9b8' -draw "circle 262,92 262,74" \
  -fill '#161528' -draw "polygon 0,165 0,118 18,118 18,100 34,100 34,122 48,122 48,86 60,80 72,86 72,122 86,122 86,108 102,108 102,128 116,128 116,94 130,94 130,70 138,70 138,94 152,94 152,124 168,124 168,104 186,104 186,130 200,130 200,112 214,112 214,90 232,90 232,126 248,126 248,116 268,116 268,134 282,134 282,98 300,98 300,120 316,120 316,106 334,106 334,126 355,126 355,165" \
  -fill '#ffd87a' \
  -draw "rectangle 52,92 55,95" -draw "rectangle 62,100 65,103" -draw "rectangle 120,104 123,107" \
  -draw "rectangle 132,80 134,83" -draw "rectangle 220,100 223,103" -draw "rectangle 288,108 291,111" \
  -draw "rectangle 24,108 27,111" -draw "rectangle 176,114 179,117" -draw "rectangle 322,114 325,117" \
  -fill none -stroke '#ffffffcc' -strokewidth 2 -draw "circle 306,40 306,20" \
  -strokewidth 1 -draw "line 306,12 306,30" -draw "line 306,50 306,68" \
  -draw "line 278,40 296,40" -draw "line 316,40 334,40" \
  -stroke none -fill '#ff5a3a' -draw "circle 306,40 306,37" \
  -font "$bold" -pointsize 38 -fill '#00000060' -annotate +22+58 'VARNETT' \
  -fill white -annotate +20+56 'VARNETT' \
  -font "$regular" -pointsize 11 -fill '#fff3dc' -annotate +22+76 'GAME FOLDER HELPER  ·  PC CAFE' \
  -fill '#f0a028' -draw "rectangle 22,82 120,84" \
  -alpha off -type TrueColor "BMP3:$out/picture.bmp"

# Icon: an orange tile with a white sight.
for size in 16 32 48; do
  s=$size; h=$((size / 2)); r=$((size * 3 / 10)); w=$((size > 16 ? 2 : 1))
  convert -size ${s}x${s} xc:none -fill '#f0a028' -draw "roundrectangle 0,0 $((s - 1)),$((s - 1)) $((s / 5)),$((s / 5))" \
    -fill none -stroke white -strokewidth $w -draw "circle $h,$h $h,$((h - r))" \
    -draw "line $h,$((s / 8)) $h,$((s - 1 - s / 8))" -draw "line $((s / 8)),$h $((s - 1 - s / 8)),$h" \
    "$tmp/icon$size.png"
done
convert "$tmp/icon16.png" "$tmp/icon32.png" "$tmp/icon48.png" "$out/varnett.ico"
echo "artwork written to $out"
