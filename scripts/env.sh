# Sourced by the other scripts: where things are built and where Wine keeps its prefix.
SKIFF_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SKIFF_BUILD=${SKIFF_BUILD:-$SKIFF_ROOT/build}
mkdir -p "$SKIFF_BUILD"
SKIFF_BUILD=$(cd "$SKIFF_BUILD" && pwd)
export SKIFF_ROOT SKIFF_BUILD

export WINEPREFIX=$SKIFF_BUILD/wine/prefix
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine keeps its server socket under TMPDIR; one per build tree keeps trees apart.
export SKIFF_WINE_TMP=$SKIFF_BUILD/wine/tmp
mkdir -p "$SKIFF_WINE_TMP"
