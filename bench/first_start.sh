#!/usr/bin/env bash
# The installed package's start-up, in a fresh Debian root as root: the
# first start (no prefix) and a later one (Wine ended), each from the
# launcher's start until the program's window is on the display, alternating
# with Wine's own floor for the first, `wineboot -i` of an empty prefix as
# the launcher runs it (no display, no Mono or Gecko), the same with the
# display (as the launcher ran it before), and the copy of Wine's Windows
# libraries that wineboot makes into every prefix. Prints the median, the
# fastest and the slowest of each.
# Usage: first_start.sh ROUNDS DISPLAY, in a folder holding the .deb.
set -eu
rounds=$1
export DEBIAN_FRONTEND=noninteractive HOME=/root DISPLAY=$2 XAUTHORITY=$PWD/xauthority
apt-get update -qq
apt-get install -y -qq ./tolmirak_*.deb >/dev/null
apt-get install -y -qq --no-install-recommends xvfb xauth bc >/dev/null
(umask 077 && xauth -q add "$DISPLAY" MIT-MAGIC-COOKIE-1 "$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')")
Xvfb "$DISPLAY" -screen 0 640x480x24 -auth "$XAUTHORITY" -nolisten tcp -noreset </dev/null >/dev/null 2>&1 &
screen=$!
trap 'kill $screen' EXIT
until xdpyinfo >/dev/null 2>&1; do sleep 0.1; done
prefix=$HOME/.local/share/tolmirak/wineprefix
now() { date +%s.%N; }

# Seconds from the launcher's start to the program's window; then ends Wine.
start() {
    local began app
    began=$(now)
    tolmirak </dev/null >/dev/null 2>&1 &
    app=$!
    until LC_ALL=C.UTF-8 xwininfo -root -tree | grep -qF '"トルミラク": ("tolmirak.exe" '; do sleep 0.05; done
    echo "$(now) - $began" | bc
    WINEPREFIX=$prefix wineserver -k
    wait $app || true
    WINEPREFIX=$prefix wineserver -w
}
# Seconds of `wineboot -i` of an empty prefix; with "display", on the display.
floor() {
    local began display=
    [ "${1:-}" = display ] && display=$DISPLAY
    rm -rf /tmp/bare
    began=$(now)
    env -u DISPLAY ${display:+DISPLAY=$display} WINEPREFIX=/tmp/bare WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= \
        wineboot -i </dev/null >/dev/null 2>&1
    echo "$(now) - $began" | bc
    WINEPREFIX=/tmp/bare wineserver -w
}
libraries() {
    local began
    rm -rf /tmp/copy
    began=$(now)
    cp -r /usr/lib/*/wine/x86_64-windows /tmp/copy
    echo "$(now) - $began" | bc
}
summary() { sort -n | awk -v what="$1" '{t[NR] = $1} END {
    printf "%-34s median %5.2f s   fastest %5.2f   slowest %5.2f   (%d runs)\n", what, t[int((NR + 1) / 2)], t[1], t[NR], NR}'; }

: >first >later >bare >shown >copy
for round in $(seq "$rounds"); do
    rm -rf "$HOME/.local/share/tolmirak"
    start >>first
    start >>later
    floor >>bare
    floor display >>shown
    libraries >>copy
done
summary "first start, to the window" <first
summary "later start, Wine ended" <later
summary "wineboot -i of an empty prefix" <bare
summary "the same on the display" <shown
summary "copying Wine's Windows libraries" <copy
echo "prefix: $(du -sm "$prefix" | cut -f1) MB; $(wine --version 2>/dev/null)"
