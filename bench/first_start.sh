#!/usr/bin/env bash
# The installed package's start-up, in a fresh Debian root as root: the
# first start (no prefix) and a later one (Wine ended), each from the
# launcher's start until the program's window is on the display, alternating
# with Wine's own floor for the first, `wineboot -i` of an empty prefix as
# the launcher runs it (no display, no Mono or Gecko). Prints the median,
# the fastest and the slowest of each.
# Usage: first_start.sh ROUNDS DISPLAY, in a folder holding the .deb.
set -eu
rounds=$1
export DEBIAN_FRONTEND=noninteractive HOME=/root DISPLAY=$2 XAUTHORITY=$PWD/xauthority
apt-get update -qq
apt-get install -y -qq ./tolmirak_*.deb >/dev/null
apt-get install -y -qq --no-install-recommends xvfb xauth bc >/dev/null
(umask 077 && xauth -q add "$DISPLAY" MIT-MAGIC-COOKIE-1 "$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')")
Xvfb "$DISPLAY" -screen 0 640x480x24 -auth "$XAUTHORITY" -nolisten tcp -noreset </dev/null >/dev/null 2>&1 &
trap 'kill $!' EXIT
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
floor() {
    local began
    rm -rf /tmp/bare
    began=$(now)
    env -u DISPLAY WINEPREFIX=/tmp/bare WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= \
        wineboot -i </dev/null >/dev/null 2>&1
    echo "$(now) - $began" | bc
    WINEPREFIX=/tmp/bare wineserver -w
}
summary() { sort -n | awk -v what="$1" '{t[NR] = $1} END {
    printf "%-34s median %5.2f s   fastest %5.2f   slowest %5.2f   (%d runs)\n", what, t[int((NR + 1) / 2)], t[1], t[NR], NR}'; }

: >first >later >bare
for round in $(seq "$rounds"); do
    rm -rf "$HOME/.local/share/tolmirak"
    start >>first
    start >>later
    floor >>bare
done
summary "first start, to the window" <first
summary "later start, Wine ended" <later
summary "wineboot -i of an empty prefix" <bare
echo "prefix: $(du -sm "$prefix" | cut -f1) MB; $(wine --version)"
