#!/usr/bin/env bash
# The installed package's start-up, in a fresh Debian root, for an ordinary
# account: the first start (no prefix, a copy of the system's template) and
# a later one (Wine ended), each from the launcher's start until the
# program's window is on the display, alternating with the same two starts
# without the template (the account's prefix made by Wine, as before the
# template) and with the making of the template that the package's
# configuration runs. Prints the median, the fastest and the slowest of
# each, the account's folder either way and what the install took.
# Usage: first_start.sh ROUNDS DISPLAY, run as root in a folder holding the .deb.
set -eu
rounds=$1
export DEBIAN_FRONTEND=noninteractive DISPLAY=$2
now() { date +%s.%N; }
apt-get update -qq
apt-get install -y -qq --no-install-recommends xvfb xauth bc >/dev/null
began=$(now)
apt-get install -y -qq ./tolmirak_*.deb >/dev/null
installed=$(echo "$(now) - $began" | bc | xargs printf %.1f)
useradd -m person
home=/home/person
as_person() { runuser -u person -- env HOME=$home DISPLAY="$DISPLAY" XAUTHORITY=$home/.Xauthority "$@"; }
as_person xauth -q add "$DISPLAY" MIT-MAGIC-COOKIE-1 "$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')"
as_person Xvfb "$DISPLAY" -screen 0 640x480x24 -auth $home/.Xauthority -nolisten tcp -noreset </dev/null >/dev/null 2>&1 &
# Everything the account runs ends with the script: runuser does not pass
# its signals on.
trap 'pkill -u person' EXIT
until as_person xdpyinfo >/dev/null 2>&1; do sleep 0.1; done
data=$home/.local/share/tolmirak
template=/var/cache/tolmirak/wineprefix

# Seconds from the launcher's start to the program's window; then ends Wine.
start() {
    local began app
    began=$(now)
    as_person tolmirak </dev/null >/dev/null 2>&1 &
    app=$!
    until as_person env LC_ALL=C.UTF-8 xwininfo -root -tree | grep -qF '"トルミラク": ("tolmirak.exe" '; do
        kill -0 $app 2>/dev/null || { echo "the launcher ended without a window" >&2; exit 1; }
        sleep 0.05
    done
    echo "$(now) - $began" | bc
    as_person env WINEPREFIX=$data/wineprefix wineserver -k
    wait $app || true
    as_person env WINEPREFIX=$data/wineprefix wineserver -w
}
# Seconds that the template takes to make, as the package's configuration
# makes it.
make_template() {
    local began
    began=$(now)
    /usr/lib/tolmirak/make-template >/dev/null
    echo "$(now) - $began" | bc
}
summary() { sort -n | awk -v what="$1" '{t[NR] = $1} END {
    printf "%-42s median %5.2f s   fastest %5.2f   slowest %5.2f   (%d runs)\n", what, t[int((NR + 1) / 2)], t[1], t[NR], NR}'; }

: >first >later >own_first >own_later >made
for round in $(seq "$rounds"); do
    rm -rf "$data"
    start >>first
    start >>later
    copied=$(du -sm "$data" | cut -f1)
    rm -rf "$data" "$template"
    start >>own_first
    start >>own_later
    own=$(du -sm "$data" | cut -f1)
    make_template >>made
done
summary "first start, a copy of the template" <first
summary "later start, Wine ended" <later
summary "first start without the template" <own_first
summary "later start without the template" <own_later
summary "making the template" <made
echo "the account's folder: $copied MB from the template, $own MB without it; the template: $(du -sm "$template" | cut -f1) MB"
echo "apt-get install of the package, Wine's packages and the template included: $installed s"
echo "$(wine --version 2>/dev/null)"
