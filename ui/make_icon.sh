#!/usr/bin/env bash
# Rebuilds ui/skiffdesk.ico (icon 128) from its two pixel maps, 32 and 16 pixels square.
# The .ico is committed; run this after editing a .xpm.
set -euo pipefail
cd "$(dirname "$0")"
convert skiffdesk_32.xpm skiffdesk_16.xpm skiffdesk.ico
