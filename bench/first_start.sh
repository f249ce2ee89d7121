#!/usr/bin/env bash
# The installed package's start-up, in a fresh Debian root, for an ordinary
# account: the first start (no prefix, a copy of the system's template) and
# a later one (Wine ended), each from the launcher's start until the
# program's window is on the display, alternating with the same two starts
# without the template (the account's prefix made by Wine, as before the
# template), with the making of the template that the package's
# configuration runs, with a start soon after the program ended, and with
# an empty Win32 window (empty_window.exe) in a plain prefix of the
# account's, as Wine makes it, Wine ended. Prints the median, the fastest
# and the slowest of each, their ratios, the account's folder either way
# and what the install took; then, for one more start of each, Wine's
# session part by part and the memory it holds.
# Usage: first_start.sh ROUNDS DISPLAY, run as root in a folder holding the
# .deb and empty_window.exe.
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

plain=$home/.wine
cp empty_window.exe /tmp/
as_person wine wineboot -i >/dev/null 2>&1
as_person env WINEPREFIX=$plain wineserver -w

# Seconds from a start to its window, the command and the window given:
# the launcher and the program's window, unless told otherwise. With
# INSIDE set, also writes down what the session holds while the window is
# there. Then ends Wine, or with LINGER set ends only the program, as a
# close does, and writes down what Wine's session holds a second later.
program_window='"トルミラク": ("tolmirak.exe" '
start() {
    local began app prefix=${PREFIX:-$data/wineprefix}
    began=$(now)
    as_person ${COMMAND:-tolmirak} </dev/null >/dev/null 2>"${TRACE_TO:-/dev/null}" &
    app=$!
    until as_person env LC_ALL=C.UTF-8 xwininfo -root -tree | grep -qF "${WINDOW:-$program_window}"; do
        kill -0 $app 2>/dev/null || { echo "no window from ${COMMAND:-tolmirak}" >&2; exit 1; }
        sleep 0.05
    done
    echo "$(now) - $began" | bc
    [ -z "${INSIDE:-}" ] || { sleep 1; ps -u person -o rss=,comm= >"$INSIDE"; }
    if [ -n "${LINGER:-}" ]; then
        pkill -u person -f 'tolmirak\.exe'
        wait $app || true
        sleep 1
        ps -u person -o rss=,comm= >"$LINGER"
        return
    fi
    as_person env WINEPREFIX=$prefix wineserver -k
    wait $app || true
    as_person env WINEPREFIX=$prefix wineserver -w
}
# The empty window in the plain prefix, as start does the program.
empty() {
    PREFIX=$plain COMMAND="wine /tmp/empty_window.exe" WINDOW='"Empty": ("empty_window.exe" ' start
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

: >first >later >own_first >own_later >made >empty >again
for round in $(seq "$rounds"); do
    empty >>empty
    rm -rf "$data"
    start >>first
    start >>later
    LINGER=lingering start >/dev/null
    start >>again
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
summary "empty window, a plain prefix, Wine ended" <empty
summary "a start 1 s after the program ended" <again
median() { sort -n "$1" | awk '{t[NR] = $1} END {print t[int((NR + 1) / 2)]}'; }
echo "later start / empty window: $(echo "scale=2; $(median later) / $(median empty)" | bc)," \
    "first start / later start: $(echo "scale=2; $(median first) / $(median later)" | bc)"
echo "the account's folder: $copied MB from the template, $own MB without it; the template: $(du -sm "$template" | cut -f1) MB"
echo "apt-get install of the package, Wine's packages and the template included: $installed s"
echo "$(wine --version 2>/dev/null)"

# One more later start of the program and of the empty window, traced: when
# each process of Wine's session starts, and each driver and Wine's X11
# driver loads, in ms after Wine's first trace; then each process's memory
# (RSS) while the window is there, and once the program has ended.
parts() {
    awk '!/^[0-9]+\.[0-9]+:/ {next} {split($1, f, ":"); t = f[1]; if (t0 == "") t0 = t}
        /loaddll:build_module Loaded/ {
            n = $0; sub(/.*Loaded L"/, "", n); sub(/".*/, "", n); sub(/.*\\/, "", n)
            if (n ~ /\.exe$/ && !seen[f[2]]++) line = line sprintf(" %s %d", n, (t - t0) * 1000)
            else if (n ~ /\.sys$|winex11/) line = line sprintf(" (%s %d)", n, (t - t0) * 1000)
        }
        END {print substr(line, 2)}' "$1" | fold -s -w 100 | sed 's/^/  /'
}
memory() {
    sort -k2 "$1" | awk '$2 ~ /\.ex|^wineserver/ {mb = $1 / 1024; total += mb; printf "%s %.1f, ", $2, mb}
        END {printf "total %.1f MB\n", total}' | fold -s -w 100 | sed 's/^/  /'
}
rm -rf "$data"
start >/dev/null
TRACE_TO=traced INSIDE=inside WINEDEBUG=+timestamp,+pid,+loaddll start >/dev/null
TRACE_TO=traced_empty INSIDE=inside_empty WINEDEBUG=+timestamp,+pid,+loaddll empty >/dev/null
echo "the program's session, traced (ms):"
parts traced
echo "the empty window's, traced (ms):"
parts traced_empty
echo "memory while the program's window is there (RSS, MB):"
memory inside
echo "while the empty window is there:"
memory inside_empty
echo "1 s after the program ended, while Wine lingers (3 s):"
memory lingering
