#!/usr/bin/env bash
# End-to-end on a desktop as Windows has it: the real tolmirak.exe in a Wine
# prefix without a virtual desktop, on the windowed runtime's 1280x800 X
# screen and its window manager (TOLMIRAK_WM: openbox or xfwm4), or in
# GNOME's Wayland session through Xwayland (mutter), where the program shows
# the handheld's screen as a window of its own. Driven through the window
# manager and with real events (xdotool, wmctrl), checked from X (xprop,
# screenshots) and from another process (probe). With TOLMIRAK_SCALE=2 the
# desktop is at twice the scale: the program and the probe still see a
# 240x320 screen on a desktop of half the size, which X shows twice as large.
# On Wayland the pointer and keys that xdotool gives reach Xwayland's
# windows but not the compositor, which keeps its own keys (Alt+Space) and
# draws the desktop, so Xwayland's root has no picture.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
export TOLMIRAK_WINDOWED=1
# Its own prefix and screen, whatever the environment names for the other runtime.
unset WINEPREFIX TOLMIRAK_DISPLAY
. "$root/scripts/lib/wine.sh"
wine_environment
app="$root/build/windows/app/tolmirak.exe"
probe_exe="$root/build/windows/tests/windows/probe.exe"
shots=$(mktemp -d)
# The pictures worth looking at, kept.
kept=$root/build/windows/windowed-${TOLMIRAK_WM:-openbox}
mkdir -p "$kept"
. "$root/tests/e2e/check.sh"

probe() { wine "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
scale=${TOLMIRAK_SCALE:-1}
wayland=${SCREEN_SESSION:+yes}
# A click at a place that the probe gives, on the scaled desktop.
tap() { xdotool mousemove $(($1 * scale)) $(($2 * scale)) click 1; sleep 0.4; }
tap_control() { read -r x y w h < <(probe rect "$1"); tap $((x + w / 2)) $((y + h / 2)); }
key() { xdotool key "$1"; sleep 0.6; }

trap 'rm -rf "$shots"' EXIT
check "a window manager runs on the desktop" \
    "$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -c 'window id')" "1"

managed() { xprop -root _NET_CLIENT_LIST | grep -o '0x[0-9a-f]*'; }
property() { xprop -id "$window" "$1" | sed 's/^[^=]*= //'; }
# The window's inside, in the desktop's coordinates, and its size.
inside() { probe frame | sed -n 2p; }
size() { inside | cut -d' ' -f3-; }
# Where a control lies on the handheld's screen: from the inside's origin.
placed() {
    local ix iy x y rest
    read -r ix iy rest < <(inside)
    read -r x y rest < <(probe rect "$1")
    echo "$((x - ix)) $((y - iy))"
}
# The window with its decoration, as ImageMagick draws a rectangle.
decorated() {
    local x y w h l r t b
    read -r x y < <(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left [XY]: *//p' | tr '\n' ' ')
    read -r w h < <(xwininfo -id "$window" | sed -n 's/.*\(Width\|Height\): *//p' | tr '\n' ' ')
    read -r l r t b < <(property _NET_FRAME_EXTENTS | tr -d ,)
    echo "$((x - l)),$((y - t)) $((x + w + r - 1)),$((y + h + b - 1))"
}
# A picture of the desktop, cropped to the geometry given; on Wayland, of the
# window with its frame.
shoot() {
    if [ -n "$wayland" ]; then
        import -window "$(xwininfo -id "$window" -tree | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')" "$1"
    else
        import -window root ${2:+-crop "$2"} "$1"
    fi
}
blacked_out() { convert "$1" -fill black -draw "rectangle $2" "$1.out.png"; echo "$1.out.png"; }

# Waits until the window manager has taken the window and placed it.
wait_managed() {
    local i
    for i in $(seq 50); do
        window=$(managed | tail -n 1)
        [ -n "$window" ] && xprop -id "$window" WM_STATE 2>/dev/null | grep -q Normal && break
        sleep 0.1
    done
    # Without one (the window manager gone), xwininfo would wait for a click.
    if [ -z "$window" ]; then
        check "a window manager takes the window" "no" "yes"
        kill $(jobs -p) 2>/dev/null
        checked
        exit
    fi
    sleep 1
}

start_app() {
    wine "$app" "$@" </dev/null >/dev/null 2>&1 &
    app_pid=$!
    probe wait >/dev/null
    wait_managed
}

echo "== the window on the desktop"
[ -n "$wayland" ] || import -window root "$shots/before.png"
start_app
check "one managed window" "$(managed | wc -l)" "1"
check "its title" "$(property _NET_WM_NAME)" '"トルミラク"'
check "its class" "$(property WM_CLASS)" '"tolmirak.exe", "tolmirak.exe"'
check "its inside is the handheld's screen" "$(size)" "240 320"
check "which X shows at the desktop's scale" \
    "$(xwininfo -id "$window" | sed -n 's/.*\(Width\|Height\): *//p' | tr '\n' ' ')" \
    "$((240 * scale)) $((320 * scale)) "
check "portrait placements" "$(placed 1054) $(placed 1057)" "60 81 170 133"
if [ -z "$wayland" ]; then
    import -window root "$shots/after.png"
    area=$(decorated)
    check "the desktop outside it is untouched" "$(compare -metric AE \
        "$(blacked_out "$shots/before.png" "$area")" "$(blacked_out "$shots/after.png" "$area")" null: 2>&1)" "0"
fi

echo "== moved, then used where it is"
read -r x0 y0 rest < <(inside)
# The menu bar stays on the desktop: 1280x800 of X's pixels, or on Wayland
# 1280x800 logical pixels, which X has at the scale.
if [ -n "$wayland" ]; then
    xdotool windowmove "$window" $((600 * scale)) $((300 * scale))
else
    xdotool windowmove "$window" 600 $((300 / scale ** 2))
fi
sleep 0.8
read -r x1 y1 rest < <(inside)
check "the window manager moved it" "$([ "$x1" -gt "$x0" ] && [ "$y1" -gt "$y0" ] && echo moved)" "moved"
check "the screen moved with it" "$(placed 1057)" "170 133"
tap_control 1057                                  # 年齢推定
check "a click on 年齢推定 at its new place fills the list" "$(probe rows | wc -l)" "13"
tap_control 1052                                  # the sign list opens
tap $(probe combo-item 1052 1)                    # 丑(うし)
check "a click in the sign list chooses 丑" "$(probe text 1052)" "丑(うし)"
read -r x y w h < <(probe menu-button 0)
tap $((x + w / 2)) $((y + h / 2))                 # 操作
read -r x y w h < <(probe popup)
tap $((x + 20)) $((y + 10))                       # 年齢推定, its first item
check "a click on the pop-up's 年齢推定 lists 丑 years" "$(probe rows | grep -c '丑|')" "13"
rows=$(probe rows)

echo "== minimized and restored"
# Restored as a taskbar does, by a pager's activation: xfwm4 maps a window
# that an application's request (wmctrl -a) restores without the keyboard.
# Mutter gives a window of Wine's the keyboard by WM_TAKE_FOCUS alone, which
# Wine at times lets pass while the window is being restored; a user's
# click then has mutter give it again, as a second activation does.
restore() {
    xdotool windowactivate "$window"
    sleep 0.8
    if [ -n "$wayland" ] && [ "$(xdotool getwindowfocus)" != "$((window))" ]; then
        xdotool windowactivate "$window"
        sleep 0.8
    fi
}
xdotool windowminimize "$window"
sleep 0.8
check "minimized" "$(xprop -id "$window" WM_STATE | grep -o Iconic)" "Iconic"
restore
check "restored" "$(xprop -id "$window" WM_STATE | grep -o Normal)" "Normal"
check "with its rows" "$(probe rows)" "$rows"
# Mutter leaves a minimized window minimized at the program's own request:
# there the second start finds it on the desktop.
[ -n "$wayland" ] || xdotool windowminimize "$window"
sleep 0.8
wine "$app" </dev/null >/dev/null 2>&1
check "a second start ends with 0" "$?" "0"
sleep 0.8
check "and brings the window back, in front" \
    "$(xprop -id "$window" WM_STATE | grep -o Normal) $(probe copies)" "Normal 1 foreground"

# GNOME keeps Alt+Space for its own window menu.
if [ -z "$wayland" ]; then
    echo "== turned from the system menu"
    xdotool mousemove $(((x1 + 120) * scale)) $(((y1 + 10) * scale))
    key alt+space
    check "Alt+Space opens the system menu" "$(probe popup | wc -w)" "4"
    key t
    check "its turn item makes the inside landscape" "$(size)" "320 240"
    check "landscape placements" "$(placed 1054) $(placed 1057)" "200 56 250 108"
    check "the rows stay" "$(probe rows)" "$rows"
    key alt+space
    key t
    check "turning again gives portrait back" "$(size) $(placed 1057)" "240 320 170 133"
fi

echo "== turned by a second start"
wine "$app" /landscape </dev/null >/dev/null 2>&1
check "tolmirak.exe /landscape as a second start ends with 0" "$?" "0"
sleep 0.8
check "and turns the running window, in front" "$(size) $(probe copies)" "320 240 1 foreground"
check "its rows stay" "$(probe rows)" "$rows"
wine "$app" -portrait </dev/null >/dev/null 2>&1
sleep 0.8
check "-portrait turns it back" "$(size) $(placed 1057)" "240 320 170 133"

echo "== dialogs open inside it and go with it"
within() { # a window's rectangle lies inside the screen
    local ix iy iw ih x y w h
    read -r ix iy iw ih < <(inside)
    read -r x y w h < <(echo "$1")
    [ "$x" -ge "$ix" ] && [ "$y" -ge "$iy" ] && [ $((x + w)) -le $((ix + iw)) ] &&
        [ $((y + h)) -le $((iy + ih)) ] && echo inside
}
# The open dialog's place on the screen.
box_place() {
    local ix iy x y rest
    read -r ix iy rest < <(inside)
    read -r x y rest < <(probe dialog 0 | tail -n 1)
    echo "$((x - ix)) $((y - iy))"
}
# Whether the window is hidden: unmapped, or on Wayland, where mutter keeps
# a minimized window of Xwayland's mapped, iconic.
hidden() {
    if [ -n "$wayland" ]; then
        xprop -id "$window" WM_STATE | grep -q Iconic
    else
        xwininfo -id "$window" | grep -q IsUnMapped
    fi && echo hidden
}
# The open dialog ($1) moves with the window to $2 $3, minimizes and restores
# with it, and the window stays the program's one managed window.
goes_with_it() {
    local place
    place=$(box_place)
    xdotool windowmove "$window" "$2" "$3"
    sleep 0.8
    check "$1 moves with the window" "$(box_place) $(within "$(probe dialog 0 | tail -n 1)")" \
        "$place inside"
    shoot "$shots/moved.png"
    xdotool windowminimize "$window"
    sleep 0.8
    check "$1 is hidden with the minimized window" "$(hidden) $(managed | wc -l)" "hidden 1"
    restore
    check "$1 is back in its place" "$(box_place) $(xwininfo -id "$window" | grep -o IsViewable)" \
        "$place IsViewable"
    check "one managed window throughout" "$(managed)" "$window"
    check "the keyboard is in $1" "$(probe focus)" "Button"
}
# The open dialog's rectangle, or none once it has closed (within four seconds).
closed() {
    local i
    for i in $(seq 20); do
        [ "$(probe dialog 0 | tail -n 1)" = none ] && break
        sleep 0.2
    done
    probe dialog 0 | tail -n 1
}
key ctrl+a
dialog=$(probe dialog 1)
check "the About box" "$(probe dialog 0 | head -n 1) $(within "$(probe dialog 0 | tail -n 1)")" \
    "Tolmirak のバージョン情報 inside"
goes_with_it "the About box" 300 150
cp "$shots/moved.png" "$kept/about-moved.png"
read -r x y w h < <(probe dialog 1 | tail -n 1)
tap $((x + w / 2)) $((y + h / 2))                 # 閉じる
check "閉じる closes it" "$(closed)" "none"
probe select 1054 -1                              # no year: a year the list cannot give
tap_control 1057                                  # the invalid-input message
check "the message box" "$(probe dialog 0 | head -n 1) $(within "$(probe dialog 0 | tail -n 1)")" \
    "入力値不正 inside"
goes_with_it "the message box" 700 350
cp "$shots/moved.png" "$kept/message-moved.png"
# A window manager may map a restored window without the keyboard; a click
# in the box, away from its button, gives it back as a user would. Mutter
# does that only for a click it sees, which xdotool's are not: there the
# click is on its button.
read -r x y w h < <(probe dialog 0 | tail -n 1)
if [ -n "$wayland" ]; then
    read -r x y w h < <(probe dialog 1 | tail -n 1)
    tap $((x + w / 2)) $((y + h / 2))
    check "its button closes it" "$(closed)" "none"
else
    tap $((x + 8)) $((y + 8))
    key Return
    check "Return closes it" "$(closed)" "none"
fi

echo "== closed by the window manager"
wmctrl -i -c "$window"
finish "$app_pid"
check "the close box ends it with exit code 0" "$finished" "0"
check "no window is left" "$(managed | wc -l)" "0"

echo "== started turned"
start_app /landscape /unknown
check "/landscape: the inside is landscape" "$(size)" "320 240"
check "/landscape placements" "$(placed 1054) $(placed 1057)" "200 56 250 108"
key ctrl+q
finish "$app_pid"
check "Ctrl+Q ends it with exit code 0" "$finished" "0"

echo "== five starts at once"
pids=()
for i in 1 2 3 4 5; do
    wine "$app" </dev/null >/dev/null 2>&1 &
    pids+=($!)
done
for i in $(seq 100); do
    running=0
    for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null && running=$((running + 1)); done
    [ "$running" -le 1 ] && break
    sleep 0.2
done
check "four of five have ended" "$running" "1"
wait_managed
check "exactly one window" "$(managed | wc -l)" "1"
key ctrl+q
codes=""
for pid in "${pids[@]}"; do
    finish "$pid"
    codes=$codes$finished
done
check "every copy ended with 0" "$codes" "00000"

[ "$scale" = 1 ] || { checked; exit; } # the plain prefix is Wine's own, at 96 DPI
echo "== in a plain prefix"
make_plain_prefix
export WINEPREFIX=$root/build/windows/wineprefix-plain FONTCONFIG_FILE=/etc/fonts/fonts.conf
start_app
read -r x y w h < <(probe menu-button 0)
tap $((x + w / 2)) $((y + h / 2))                 # 操作
check "the menu bar's 操作 opens its pop-up" "$(probe popup | wc -w)" "4"
read -r x y w h < <(inside)
shoot "$kept/plain-menu.png" $((w + 80))x$((h + 80))+$((x - 40))+$((y - 40))
key Escape
key Escape
key ctrl+q
finish "$app_pid"
check "it ends with exit code 0" "$finished" "0"

checked
