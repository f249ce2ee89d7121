#!/usr/bin/env bash
# The headless run, seen and used through a browser: scripts/run without a
# display, Chromium on the noVNC page it prints, scaled to the browser: a
# tap on Estimate at a phone's size, and at a desktop's the table copied out
# to noVNC's clipboard panel; each checked from the window's side.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/build/browser}
mkdir -p "$out"
cd "$root/tests/e2e/browser"
[ -d node_modules/playwright-core ] || npm install --no-audit --no-fund --silent

port=6081
log=$out/run.log
# In a terminal of its own (tmux), so that Ctrl-C reaches it as a person's would.
session=tolmirak-run-$$
tmux new-session -d -s "$session" \
    "env -u DISPLAY TOLMIRAK_PORT=$port '$root/scripts/run' >'$log' 2>&1"
for i in $(seq 300); do
    grep -q "^Open http" "$log" && break
    sleep 0.2
done
url=$(grep -o "http://127.0.0.1:$port/[^ ]*" "$log")
sleep 3 # the program's first paint

passed=0
failed=0
check() {
    if [ "$2" = "$3" ]; then passed=$((passed + 1)); echo "ok: $1"
    else failed=$((failed + 1)); echo "FAIL: $1: got '$2', expected '$3'"; fi
}
check "scripts/run prints a local address" "${url:+yes}" "yes"
probe() {
    WINEPREFIX=$root/build/run/wineprefix WINEDEBUG=-all DISPLAY=:97 \
        wine "$root/build/windows/tests/windows/probe.exe" "$@" 2>/dev/null | tr -d '\r'
}
rows() { probe rows | wc -l; }
width=$(node browser.mjs phone "$url" "$out/phone.png")
check "the phone tapped" "$?" "0"
check "the screen fills the phone's 390-pixel width" "$width" "390"
check "the tap filled the list" "$([ "$(rows)" -ge 12 ] && echo rows)" "rows"
output=$(node browser.mjs desktop "$url" "$out/browser.png")
check "the desktop browser copied" "$?" "0"
check "the screen fills the 480-pixel-high window" "$(echo "$output" | head -n 1)" "360"
check "the click on 形式 shows the text view" "$(probe visible 1061)" "1"
table=$(probe text 1061)
check "noVNC's clipboard panel holds the table, line for line" \
    "$(node -e 'process.stdout.write(JSON.parse(process.argv[1]))' "$(echo "$output" | tail -n 1)")" \
    "$table"
check "the Windows clipboard still holds it, Japanese included" "$(probe clipboard)" "$table"
check "screenshots of the page" "$([ -s "$out/phone.png" ] && [ -s "$out/browser.png" ] && echo saved)" "saved"

tmux send-keys -t "$session" C-c
left() { pgrep -f "scripts/run|app/tolmirak.exe|Xvnc :97|autocutsel|websockify .*:$port" | wc -l; }
for i in $(seq 50); do [ "$(left)" -eq 0 ] && break; sleep 0.2; done
check "Ctrl-C stops everything scripts/run started" "$(left)" "0"
tmux kill-session -t "$session" 2>/dev/null
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
