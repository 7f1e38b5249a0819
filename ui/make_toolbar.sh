#!/usr/bin/env bash
# Rebuilds ui/toolbar.bmp (bitmap 128, six 16x15 images in 16 colours) from its pixel map.
# The .bmp is committed; run this after editing toolbar.xpm.
set -euo pipefail
cd "$(dirname "$0")"
convert toolbar.xpm -type Palette -colors 16 -compress none BMP3:toolbar.bmp
