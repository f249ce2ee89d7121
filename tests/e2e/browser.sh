#!/usr/bin/env bash
# The headless run, seen and used through a browser: scripts/run without a
# display, Chromium on the noVNC page it prints, a tap on Estimate, and the
# result rows read back from the window's side.
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
node browser.mjs "$url" "$out/browser.png"
check "the browser tapped" "$?" "0"
rows=$(WINEPREFIX=$root/build/run/wineprefix WINEDEBUG=-all DISPLAY=:97 \
    wine "$root/build/windows/tests/windows/probe.exe" rows 2>/dev/null | tr -d '\r' | wc -l)
check "the tap filled the list" "$([ "$rows" -ge 12 ] && echo rows)" "rows"
check "a screenshot of the page" "$([ -s "$out/browser.png" ] && echo saved)" "saved"

tmux send-keys -t "$session" C-c
left() { pgrep -f "scripts/run|app/tolmirak.exe|x11vnc -display :97|websockify .*:$port|Xvfb :97" | wc -l; }
for i in $(seq 50); do [ "$(left)" -eq 0 ] && break; sleep 0.2; done
check "Ctrl-C stops everything scripts/run started" "$(left)" "0"
tmux kill-session -t "$session" 2>/dev/null
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
