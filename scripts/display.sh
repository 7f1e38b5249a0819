# Sourced: skiff_display_start uses $DISPLAY, or starts Xvfb on a free display number and says so;
# its screen is the size of the Wine prefix's virtual desktop (1024x768).
# skiff_display_stop ends only the Xvfb this script started.
SKIFF_XVFB_PID=""
skiff_display_start() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    SKIFF_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    SKIFF_VIRTUAL_DISPLAY=1
    echo "No display: started a virtual one (Xvfb $DISPLAY)."
}
skiff_display_stop() {
    if [ -n "$SKIFF_XVFB_PID" ]; then
        kill "$SKIFF_XVFB_PID" 2>/dev/null || true
        wait "$SKIFF_XVFB_PID" 2>/dev/null || true
        SKIFF_XVFB_PID=""
    fi
}
