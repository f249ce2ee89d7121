# The Wine runtime of the Windows build: a prefix inside the build tree with
# Japanese fonts, virtual X screens of the handheld's size and a wineserver
# that stays up while tests run.

WINE_ROOT=${WINE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
PORTRAIT_DISPLAY=:91  # 240x320
LANDSCAPE_DISPLAY=:92 # 320x240
STARTED_SCREENS=()

wine_packages() {
    echo wine wine64 xvfb x11-utils fonts-ipafont-gothic \
        g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
}

wine_environment() {
    export WINEPREFIX=${WINEPREFIX:-$WINE_ROOT/build/windows/wineprefix}
    export WINEARCH=win64
    export WINEDEBUG=${WINEDEBUG:--all}
    # No Mono or Gecko installer prompts: the program needs neither.
    export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
    # Always the project's own screen, never the desktop's.
    export DISPLAY=${TOLMIRAK_DISPLAY:-$PORTRAIT_DISPLAY}
}

# Starts an X server of the given size on the display unless one is there.
start_screen() {
    local display=$1 size=$2
    if ! xdpyinfo -display "$display" >/dev/null 2>&1; then
        Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp </dev/null >/dev/null 2>&1 &
        STARTED_SCREENS+=($!)
        local i
        for i in $(seq 50); do
            xdpyinfo -display "$display" >/dev/null 2>&1 && return 0
            sleep 0.1
        done
        echo "Xvfb did not start on $display" >&2
        return 1
    fi
}

# Creates the prefix once, with IPAGothic standing in for the Japanese and
# default interface fonts, and keeps a wineserver running.
prepare_wine() {
    wine_environment
    start_screen $PORTRAIT_DISPLAY 240x320
    start_screen $LANDSCAPE_DISPLAY 320x240
    if [ ! -f "$WINEPREFIX/.tolmirak-prefix" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        wine regedit /S "$WINE_ROOT/scripts/lib/wine.reg" >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.tolmirak-prefix"
    fi
    # The server and Wine's own services outlive this script's commands:
    # they must not hold its output open.
    wineserver -p </dev/null >/dev/null 2>&1 || true
    wineboot </dev/null >/dev/null 2>&1
}

# Stops the wineserver and the screens that this script started.
stop_wine() {
    wine_environment
    wineserver -k 2>/dev/null || true
    [ ${#STARTED_SCREENS[@]} -eq 0 ] || kill "${STARTED_SCREENS[@]}" 2>/dev/null || true
}
