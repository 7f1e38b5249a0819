#!/usr/bin/env bash
# Draws the icons of some demo applications (packaging/demo-apps/*.ico, beside the connection
# files of the same names) with ImageMagick: each is drawn once at 64 pixels and stored at 64,
# 48, 32, 24 and 16. The .ico files are committed; run this after changing a drawing.
set -euo pipefail
cd "$(dirname "$0")/demo-apps"

draw() { # icon file, ImageMagick drawing on a 64-pixel transparent square
    local out=$1
    shift
    convert -size 64x64 xc:none "$@" -define icon:auto-resize=64,48,32,24,16 "$out"
}

# A painter's palette with four colours.
draw "Drawing.ico" \
    -fill '#c8955a' -stroke '#6b4423' -strokewidth 2 -draw 'ellipse 32,34 28,24 0,360' \
    -fill none -stroke none \
    -fill '#e23b3b' -draw 'circle 20,24 25,24' -fill '#2f7de1' -draw 'circle 34,18 39,18' \
    -fill '#3cb44b' -draw 'circle 46,26 51,26' -fill '#f5d31f' -draw 'circle 44,42 49,42' \
    -fill '#ffffff' -stroke '#6b4423' -strokewidth 2 -draw 'circle 24,44 28,44'
# A sheet with a green header row and a grid.
draw "office/Spreadsheet.ico" \
    -fill white -stroke '#1e6b34' -strokewidth 3 -draw 'rectangle 8,8 56,56' \
    -fill '#2e9e4f' -stroke none -draw 'rectangle 10,10 54,20' \
    -stroke '#1e6b34' -strokewidth 2 \
    -draw 'line 24,10 24,54' -draw 'line 40,10 40,54' \
    -draw 'line 10,32 54,32' -draw 'line 10,44 54,44'
# A page with blue lines of text.
draw "Text Editor.ico" \
    -fill white -stroke '#2a4b8d' -strokewidth 3 -draw 'polygon 12,6 42,6 52,16 52,58 12,58' \
    -fill '#c9d6f0' -draw 'polygon 42,6 42,16 52,16' \
    -stroke '#2f6fd6' -strokewidth 3 \
    -draw 'line 19,24 45,24' -draw 'line 19,33 45,33' -draw 'line 19,42 45,42' \
    -draw 'line 19,51 35,51'
