#!/usr/bin/env bash
# Rebuilds the application list's globe pictures (16 colours): bitmaps 136 and 137 from their
# pixel maps, and their drawings at 150% and 200% from the outlines below. The .bmp files are
# committed; run this after editing a .xpm or an outline.
set -euo pipefail
cd "$(dirname "$0")"
for size in 32 16; do
    convert "app_globe_$size.xpm" -type Palette -colors 16 -compress None \
        "BMP3:app_globe_$size.bmp"
done

# Outlines in the co-ordinates of the 100% pictures, drawn without smoothing so that the
# white around the globe stays the list's transparent colour.
small_globe="stroke #808000 stroke-width 1.2 fill none path 'M 12.2,1.9 A 7.3,7.3 0 0 1 7,14.4'
    stroke none fill #808080 rectangle 3.5,14.4 10.5,15.9
    stroke #000080 stroke-width 1 fill #0000FF circle 7,7 7,1.6
    stroke none fill #008000 polygon 10.2,3.4 11.8,5.6 11.6,8.4 10,9.8 8.8,9.2 7.6,8.6 9,7 9.4,5.2
    stroke #000080 stroke-width 1 fill none circle 7,7 7,1.6"
large_globe="stroke #808000 stroke-width 2 fill none path 'M 29,9 A 13.5,13.5 0 0 1 15.8,27.8'
    stroke #808000 line 16,26 16,29
    stroke none fill #808080 rectangle 7,29 25,32
    stroke #000080 stroke-width 1.4 fill #0000FF circle 16,14 16,2.8
    stroke none fill #008000 polygon 22,6 25.5,10 26,14 24.5,18 21,20 19,19.5 16,19.5 17,16.5 19.5,14 20.5,10.5
    stroke #000080 stroke-width 1.4 fill none circle 16,14 16,2.8"
draw() { # outline, width and height at 100%, percent, output
    local w=$(($2 * $4 / 100)) h=$(($3 * $4 / 100)) s
    s=$(awk "BEGIN { print $4 / 100 }")
    convert -size "${w}x$h" xc:white +antialias -draw "scale $s,$s $1" \
        -type Palette -colors 16 -compress None "BMP3:$5"
}
for percent in 150 200; do
    draw "$small_globe" 16 16 "$percent" "app_globe_16_$percent.bmp"
    draw "$large_globe" 34 32 "$percent" "app_globe_32_$percent.bmp"
done
