# The Wine runtime of the Windows build: a prefix inside the build tree with
# Japanese fonts, a virtual desktop of the handheld's screen (240x320, turned
# to 320x240 by ChangeDisplaySettings) on a private X server, and a
# wineserver that stays up while tests run. Beside it, a desktop as Windows
# has it (TOLMIRAK_WINDOWED=1): a 1280x800 X server of its own with a window
# manager, and a prefix without the virtual desktop, where the program shows
# the handheld's screen as a window of its own. The X server it starts, the
# wineserver and every Wine program share one CPU (TOLMIRAK_NO_PIN=1 turns
# that off): on a virtual machine a round trip between processes on two CPUs
# waits for the idle one to wake (measured here: 21 µs against 13 µs on one).

WINE_ROOT=${WINE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
# The private screen, large enough for the virtual desktop in either
# orientation, or a desktop's; TOLMIRAK_SCREEN moves it, for a second engine
# beside this one.
if [ -n "${TOLMIRAK_WINDOWED:-}" ]; then
    # Each window manager (TOLMIRAK_WM) has a screen and a prefix of its own,
    # and so does openbox's desktop at twice the scale (TOLMIRAK_SCALE=2).
    SCREEN_SIZE=1280x800
    if [ "${TOLMIRAK_WM:-openbox}" = xfwm4 ]; then
        SCREEN_DISPLAY=${TOLMIRAK_SCREEN:-:93}
        SCREEN_PREFIX=$WINE_ROOT/build/windows/wineprefix-xfwm4
    elif [ "${TOLMIRAK_WM:-}" = mutter ]; then
        # GNOME's mutter as a headless Wayland session, whose Xwayland takes
        # the first free display: the session's start writes down which.
        SCREEN_SESSION=$WINE_ROOT/build/windows/mutter
        [ "${TOLMIRAK_SCALE:-1}" = 1 ] || SCREEN_SESSION+=-scaled
        SCREEN_DISPLAY=${TOLMIRAK_SCREEN:-$(cat "$SCREEN_SESSION/display" 2>/dev/null)}
        SCREEN_PREFIX=$WINE_ROOT/build/windows/wineprefix-${SCREEN_SESSION##*/}
    elif [ "${TOLMIRAK_SCALE:-1}" != 1 ]; then
        SCREEN_DISPLAY=${TOLMIRAK_SCREEN:-:96}
        SCREEN_PREFIX=$WINE_ROOT/build/windows/wineprefix-scaled
    else
        SCREEN_DISPLAY=${TOLMIRAK_SCREEN:-:92}
        SCREEN_PREFIX=$WINE_ROOT/build/windows/wineprefix-windowed
    fi
else
    SCREEN_DISPLAY=${TOLMIRAK_SCREEN:-:91}
    SCREEN_SIZE=320x320
    SCREEN_PREFIX=$WINE_ROOT/build/windows/wineprefix
fi
. "$WINE_ROOT/scripts/lib/prefix.sh"
STARTED_SCREENS=()

wine_packages() {
    echo wine wine64 fonts-wine xvfb x11-utils xauth xdotool openbox xfwm4 xsettingsd dbus-daemon \
        fonts-ipafont-gothic g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
}

wine_environment() {
    export WINEPREFIX=${WINEPREFIX:-$SCREEN_PREFIX}
    program_environment
    # Always the project's own screen, never the desktop's. The screens this
    # file starts admit only holders of the cookie in the build tree; a
    # display given in TOLMIRAK_DISPLAY keeps the authority it came with.
    export DISPLAY=${TOLMIRAK_DISPLAY:-$SCREEN_DISPLAY}
    [ -n "${TOLMIRAK_DISPLAY:-}" ] || export XAUTHORITY=$WINE_ROOT/build/windows/xauthority
    # The last CPU this process may use; CPU 0 need not be one of them.
    if [ -z "${TOLMIRAK_NO_PIN:-}" ]; then
        local allowed
        allowed=$(sed -n 's/^Cpus_allowed_list:[[:space:]]*//p' /proc/self/status)
        export TOLMIRAK_CPU=${allowed##*[,-]}
    else
        unset TOLMIRAK_CPU
    fi
}

# Runs a command on the Wine CPU, or as it is when placement is off.
pinned() { ${TOLMIRAK_CPU:+taskset -c "$TOLMIRAK_CPU"} "$@"; }

# Every Wine command of a script that sources this file runs there, and so
# does what it starts: a wineserver started on demand, the program's own
# processes.
wine() { pinned env wine "$@"; }
wineserver() { pinned env wineserver "$@"; }
wineboot() { pinned env wineboot "$@"; }

# Puts a new random cookie for the display into $XAUTHORITY, a file that
# only its owner can read, for an X server started with -auth "$XAUTHORITY".
new_cookie() {
    mkdir -p "$(dirname "$XAUTHORITY")"
    (umask 077 && xauth -q -f "$XAUTHORITY" add "$1" MIT-MAGIC-COOKIE-1 \
        "$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')" 2>/dev/null)
}

# Waits up to ten seconds for the X server on the display to answer.
wait_screen() {
    local i
    for i in $(seq 100); do
        xdpyinfo -display "$1" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "no X server answered on $1" >&2
    return 1
}

# Starts an X server of the given size on the display unless one of ours is
# there.
start_screen() {
    local display=$1 size=$2
    if ! xdpyinfo -display "$display" >/dev/null 2>&1; then
        new_cookie "$display"
        ${TOLMIRAK_CPU:+taskset -c $TOLMIRAK_CPU} Xvfb "$display" -screen 0 "${size}x24" -auth "$XAUTHORITY" \
            -nolisten tcp </dev/null >/dev/null 2>&1 &
        STARTED_SCREENS+=($!)
        wait_screen "$display"
    fi
}

# A desktop has a window manager, and Wine counts on one for its managed
# windows: without it, each dialog's showing and hiding waits two seconds
# for a window state that never comes. TOLMIRAK_WM names it: openbox (the
# default) or Xfce's xfwm4, unless one is running, each with its own
# settings but for Alt+Space, which it leaves to the program's system menu,
# as Windows does. Xfwm4 reads its settings through D-Bus, from a session
# bus of its own that ends with it.
start_window_manager() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    local settings=$WINE_ROOT/build/windows/${TOLMIRAK_WM:-openbox} bus=
    mkdir -p "$settings"
    case ${TOLMIRAK_WM:-openbox} in
    openbox)
        sed '/<keybind key="A-space">/,/<\/keybind>/d' /etc/xdg/openbox/rc.xml >"$settings/rc.xml"
        openbox --sm-disable --config-file "$settings/rc.xml" </dev/null >/dev/null 2>&1 &
        STARTED_SCREENS+=($!)
        ;;
    xfwm4)
        # The user's own keys in place of the defaults, less Alt+Space.
        local keys=xfce4/xfconf/xfce-perchannel-xml/xfce4-keyboard-shortcuts.xml
        mkdir -p "$settings/$(dirname "$keys")"
        sed -e '/&lt;Alt&gt;space"/d' -e '/<property name="xfwm4"/,/name="default"/ s|<property name="default" type="empty">|<property name="custom" type="empty">\n      <property name="override" type="bool" value="true"/>|' \
            "/etc/xdg/$keys" >"$settings/$keys"
        XDG_CONFIG_HOME=$settings dbus-run-session -- xfwm4 --compositor=off --sm-client-disable \
            </dev/null >/dev/null 2>&1 &
        bus=$!
        ;;
    *) echo "unknown window manager '$TOLMIRAK_WM' (openbox or xfwm4)" >&2; return 1 ;;
    esac
    local i
    for i in $(seq 100); do
        if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
            # Xfwm4 itself, whose end ends its bus.
            [ -z "$bus" ] || STARTED_SCREENS+=($(pgrep -P "$bus" -x xfwm4))
            return 0
        fi
        sleep 0.1
    done
}

# GNOME's desktop as Debian 13 has it, headless: mutter as the Wayland
# compositor with a virtual monitor of 1280x800 logical pixels at the scale
# TOLMIRAK_SCALE (set with gdctl, as GNOME's display settings do), the
# Xwayland that mutter starts for X clients, and gnome-settings-daemon's
# xsettings, which publishes that scale to them. Xwayland admits only
# holders of the cookie that mutter gives it, which joins the others in
# $XAUTHORITY under Xwayland's display (mutter's own file names it for
# every display); the session's runtime folder, with its Wayland socket, is
# the owner's alone. Mutter, Xwayland and the session bus end together.
start_wayland_session() {
    xdpyinfo >/dev/null 2>&1 && return 0
    local scale=${TOLMIRAK_SCALE:-1} session=$SCREEN_SESSION bus i
    rm -rf "$session"
    mkdir -p "$session" "$(dirname "$XAUTHORITY")" && (umask 077 && mkdir "$session/run") || return 1
    # The monitor is Meta-0, mutter's first virtual one. Xsettings stays in
    # front: the session lasts while it does.
    XDG_RUNTIME_DIR=$session/run XDG_CONFIG_HOME=$session SESSION=$session SCALE=$scale OURS=$XAUTHORITY \
        ${TOLMIRAK_CPU:+taskset -c $TOLMIRAK_CPU} dbus-run-session -- \
        mutter --wayland --headless --virtual-monitor $((1280 * scale))x$((800 * scale)) -- sh -c '
            [ "$SCALE" = 1 ] || gdctl set --logical-monitor --primary --monitor Meta-0 --scale "$SCALE" || exit
            cookie=$(xauth -f "$XAUTHORITY" list | awk "{print \$3; exit}")
            (umask 077 && xauth -q -f "$OURS" add "$DISPLAY" MIT-MAGIC-COOKIE-1 "$cookie") || exit
            echo "$DISPLAY" >"$SESSION/started"
            exec /usr/libexec/gsd-xsettings' </dev/null >"$session/log" 2>&1 &
    bus=$!
    for i in $(seq 150); do
        if [ -s "$session/started" ] &&
            xprop -display "$(cat "$session/started")" -root RESOURCE_MANAGER 2>/dev/null | grep -q Xft.dpi; then
            mv "$session/started" "$session/display"
            SCREEN_DISPLAY=$(cat "$session/display")
            [ -n "${TOLMIRAK_DISPLAY:-}" ] || export DISPLAY=$SCREEN_DISPLAY
            STARTED_SCREENS+=($(pgrep -P "$bus" -x mutter))
            return 0
        fi
        sleep 0.1
    done
    echo "no GNOME session started (see $session/log)" >&2
    return 1
}

# The settings files a prefix is made from: the program's own and, unless
# it runs windowed, the virtual desktop of the handheld's screen.
wine_settings() {
    echo "$WINE_ROOT/scripts/lib/wine.reg"
    [ -n "${TOLMIRAK_WINDOWED:-}" ] || echo "$WINE_ROOT/scripts/lib/virtual-desktop.reg"
}

# Makes the prefix when its settings have changed (scripts/lib/prefix.sh)
# and keeps a wineserver running.
prepare_wine() {
    wine_environment
    # A private screen; a display of the user's is used as it is.
    if [ -z "${TOLMIRAK_DISPLAY:-}" ] || ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
        if [ -n "${SCREEN_SESSION:-}" ]; then
            start_wayland_session || return 1
        else
            start_screen "$DISPLAY" "$SCREEN_SIZE"
            [ -z "${TOLMIRAK_WINDOWED:-}" ] || start_window_manager
        fi
    fi
    make_prefix $(wine_settings)
    # A desktop's scale, or the one that TOLMIRAK_SCALE gives; the virtual
    # desktop is the handheld's screen, at 96 DPI. GNOME's session publishes
    # the scale it was given, which the prefix takes as an installed
    # program's prefix would.
    [ -z "${TOLMIRAK_WINDOWED:-}" ] || scale_prefix "$(
        [ -z "${SCREEN_SESSION:-}" ] || unset TOLMIRAK_SCALE
        desktop_dpi)"
    # The server and Wine's own services outlive this script's commands:
    # they must not hold its output open.
    wineserver -p </dev/null >/dev/null 2>&1 || true
    wineboot </dev/null >/dev/null 2>&1
}

# The windowed runtime beside the virtual desktop's, under each window
# manager named (openbox when none is; "scaled" is openbox at twice the
# scale, where Wine scales; "mutter" and "mutter-scaled" GNOME's Wayland
# session at either scale, where mutter is installed and Wine scales), for a
# script that runs both: its screens join the ones this script stops.
prepare_windowed_wine() {
    local wm scale
    for wm in "${@:-openbox}"; do
        scale=
        case $wm in
        scaled) wine_scales || continue; wm=openbox scale=2 ;;
        mutter*) wine_scales && command -v mutter >/dev/null || continue ;;&
        mutter-scaled) wm=mutter scale=2 ;;
        esac
        STARTED_SCREENS+=($(TOLMIRAK_WINDOWED=1 TOLMIRAK_WM=$wm TOLMIRAK_SCALE=$scale WINEPREFIX= TOLMIRAK_DISPLAY= \
            bash -c '. "$0" && prepare_wine && echo "${STARTED_SCREENS[@]}"' "${BASH_SOURCE[0]}"))
    done
}

# A prefix as a user of the zip may have one: made by wineboot -i alone,
# without the program's settings, on the windowed runtime's screen, with
# every font of the system's (as is each run in it).
prepare_plain_prefix() { windowed make_plain_prefix; }
make_plain_prefix() {
    local prefix=$WINE_ROOT/build/windows/wineprefix-plain
    [ ! -e "$prefix/.made" ] || return 0
    rm -rf "$prefix"
    FONTCONFIG_FILE=/etc/fonts/fonts.conf WINEPREFIX=$prefix wineboot -i </dev/null >/dev/null 2>&1 && touch "$prefix/.made"
}

# Runs a command (a function of the caller's too) in the windowed runtime,
# in a subshell, whatever the environment names for the other one.
windowed() {
    (
        export TOLMIRAK_WINDOWED=1
        unset WINEPREFIX TOLMIRAK_DISPLAY
        . "$WINE_ROOT/scripts/lib/wine.sh"
        wine_environment
        "$@"
    )
}

# Stops the wineservers and the screens that this script started.
stop_wine() {
    wine_environment
    wineserver -k 2>/dev/null || true
    local prefix
    for prefix in wineprefix-windowed wineprefix-xfwm4 wineprefix-scaled wineprefix-mutter \
        wineprefix-mutter-scaled wineprefix-plain; do
        [ ! -d "$WINE_ROOT/build/windows/$prefix" ] ||
            WINEPREFIX=$WINE_ROOT/build/windows/$prefix wineserver -k 2>/dev/null || true
    done
    [ ${#STARTED_SCREENS[@]} -eq 0 ] || kill "${STARTED_SCREENS[@]}" 2>/dev/null || true
}
