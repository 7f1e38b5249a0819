# Sourced after env.sh and inside a display: prepares the prefix in the build tree and keeps
# one wineserver alive for the run (process starts then cost milliseconds, not seconds).
skiff_wine() { TMPDIR=$SKIFF_WINE_TMP "$@"; }

# A prefix of the caller's own, build/wine/NAME-prefix, with its temporary folder beside it.
skiff_wine_own_prefix() { # NAME
    export WINEPREFIX=$SKIFF_BUILD/wine/$1-prefix
    export SKIFF_WINE_TMP=$SKIFF_BUILD/wine/$1-tmp
    mkdir -p "$SKIFF_WINE_TMP"
}

skiff_wine_prefix() {
    if [ -f "$WINEPREFIX/.skiffdesk-ready" ]; then
        return 0
    fi
    echo "Creating the Wine prefix in $WINEPREFIX (once)..."
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    skiff_wine wineboot -i </dev/null >/dev/null 2>&1 || true
    skiff_wine wineserver -w
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    # A virtual desktop gives frames and captions in screenshots and passes exit codes through.
    skiff_wine wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
    skiff_wine wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >/dev/null 2>&1
    skiff_wine wineserver -w
    touch "$WINEPREFIX/.skiffdesk-ready"
}

# A fresh prefix links the user's documents to the home folder, where the program would make
# its exchange folder: the prefix keeps a plain folder of its own instead.
skiff_wine_plain_documents() {
    local folder
    for folder in "$WINEPREFIX"/drive_c/users/*/Documents; do
        if [ -L "$folder" ]; then
            rm -f "$folder" && mkdir -p "$folder"
        fi
    done
}

skiff_wine_start() {
    skiff_wine_prefix
    skiff_wine_plain_documents
    skiff_wine wineserver -p </dev/null >/dev/null 2>&1 || true # already running: keep it
    skiff_wine wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

skiff_wine_stop() {
    skiff_wine wineserver -k </dev/null >/dev/null 2>&1 || true
}
