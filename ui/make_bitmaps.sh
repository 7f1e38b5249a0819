#!/usr/bin/env bash
# Rebuilds the application list's globe pictures (bitmaps 136 and 137, 16 colours) from their
# pixel maps. The .bmp files are committed; run this after editing a .xpm.
set -euo pipefail
cd "$(dirname "$0")"
for size in 32 16; do
    convert "app_globe_$size.xpm" -type Palette -colors 16 -compress None \
        "BMP3:app_globe_$size.bmp"
done
