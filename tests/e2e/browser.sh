#!/usr/bin/env bash
# The headless run, seen and used through a browser: scripts/run without a
# display, Chromium on the noVNC page it prints, scaled to the browser: a
# tap on Estimate at a phone's size, and at a desktop's the table copied out
# to noVNC's clipboard panel; each checked from the window's side. Then what
# the run keeps from others: a wrong password, a VNC client without one, and
# another local account on each X server the project started. Last, a run
# that listens on another address over TLS, tapped from the phone.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/build/browser}
umask 077 # the run's log holds its password
mkdir -p "$out"
cd "$root/tests/e2e/browser"
[ -d node_modules/playwright-core ] || npm install --no-audit --no-fund --silent
sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo

port=6081
log=$out/run.log
session=tolmirak-run-$$
. "$root/tests/e2e/check.sh"
probe() {
    WINEPREFIX=$root/build/run/wineprefix WINEDEBUG=-all DISPLAY=:97 \
        XAUTHORITY=$root/build/run/xauthority \
        wine "$root/build/windows/tests/windows/probe.exe" "$@" 2>/dev/null | tr -d '\r'
}
rows() { probe rows | wc -l; }
browse() { TOLMIRAK_URL=$url node browser.mjs "$@"; }

# Starts scripts/run with the given settings in a terminal of its own (tmux),
# so that Ctrl-C reaches it as a person's would, and reads the address it
# prints.
start_run() {
    : >"$log"
    tmux new-session -d -s "$session" \
        "env -u DISPLAY TOLMIRAK_PORT=$port $* '$root/scripts/run' >'$log' 2>&1"
    for i in $(seq 300); do
        grep -q "^Open http" "$log" && break
        sleep 0.2
    done
    url=$(grep -o "https\?://[^ ]*:$port/[^ ]*" "$log")
    sleep 3 # the program's first paint
}
# What is left of the processes that scripts/run starts.
left() { pgrep -f "scripts/run|app/tolmirak.exe|Xvnc :97|autocutsel|websockify .*:$port" | wc -l; }
stop_run() {
    tmux send-keys -t "$session" C-c
    for i in $(seq 50); do [ "$(left)" -eq 0 ] && break; sleep 0.2; done
    check "Ctrl-C stops everything scripts/run started" "$(left)" "0"
    tmux kill-session -t "$session" 2>/dev/null
}

echo "== on loopback, with the run's password"
start_run
check "scripts/run prints a local address with a password" \
    "$(echo "$url" | grep -c "^http://127.0.0.1:$port/.*&password=[A-Za-z0-9]\{8\}$")" "1"
output=$(browse phone "$out/phone.png")
check "the phone tapped" "$?" "0"
check "the screen fills the phone's width beside the handle's strips" "$(echo "$output" | head -n 1)" "360"
check "the control bar's handle leaves the screen's left edge clear" "$(echo "$output" | tail -n 1)" "clear"
check "the tap filled the list" "$([ "$(rows)" -ge 12 ] && echo rows)" "rows"
output=$(browse desktop "$out/browser.png")
check "the desktop browser copied" "$?" "0"
check "the screen fills the 480-pixel-high window" "$(echo "$output" | head -n 1)" "360"
check "the click on 形式 shows the text view" "$(probe visible 1061)" "1"
table=$(probe text 1061)
check "noVNC's clipboard panel holds the table, line for line" \
    "$(node -e 'process.stdout.write(JSON.parse(process.argv[1]))' "$(echo "$output" | tail -n 1)")" \
    "$table"
check "the Windows clipboard still holds it, Japanese included" "$(probe clipboard)" "$table"
check "screenshots of the page" "$([ -s "$out/phone.png" ] && [ -s "$out/browser.png" ] && echo saved)" "saved"

check "a wrong password is refused in the browser" \
    "$(url=${url/password=*/password=wrong} browse refused "$out/refused.png" | grep -c -i 'fail')" "1"
# A plain VNC client: the security types offered, then a VNC
# authentication answered without the password (RFB 3.8).
handshake=$(python3 - <<'EOF'
import socket
s = socket.create_connection(("127.0.0.1", 5997), timeout=5)
s.recv(12); s.sendall(b"RFB 003.008\n")
count = s.recv(1)[0]
types = sorted(s.recv(count))
verdict = "no VncAuth"
if 2 in types:
    s.sendall(bytes([2])); s.recv(16); s.sendall(bytes(16))
    verdict = "refused" if int.from_bytes(s.recv(4), "big") == 1 else "admitted"
print("types", *types, verdict)
EOF
)
check "a VNC client without the password: VncAuth only, and refused" "$handshake" "types 2 refused"
check "the cookies and the password only their owner can read" \
    "$(stat -c %a "$root/build/run/xauthority" "$root/build/run/vncpasswd" "$root/build/windows/xauthority" | tr '\n' ' ')" \
    "600 600 600 "
# Another local account, made for the test, on the tests' screen and the
# run's: neither lets it look (xdpyinfo) nor move the pointer (xdotool).
other=tolmirak-other-$$
$sudo useradd --no-create-home --shell /usr/sbin/nologin "$other"
as_other() { $sudo runuser -u "$other" -- env -u XAUTHORITY "$@" >/dev/null 2>&1; echo $?; }
for display in :91 :97; do
    check "another account cannot open $display" "$(as_other xdpyinfo -display "$display")" "1"
    check "another account cannot drive $display" "$(as_other env DISPLAY="$display" xdotool getmouselocation)" "1"
done
check "another account cannot read the run's cookie" "$(as_other cat "$root/build/run/xauthority")" "1"
$sudo userdel "$other"
stop_run

echo "== on 127.0.0.2, over TLS"
openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.2 \
    -keyout "$out/key.pem" -out "$out/cert.pem" 2>/dev/null
cat "$out/key.pem" >>"$out/cert.pem"
start_run TOLMIRAK_LISTEN=127.0.0.2 TOLMIRAK_CERT="$out/cert.pem"
check "scripts/run prints the https address it listens on" "${url%%/vnc.html*}" "https://127.0.0.2:$port"
output=$(browse phone "$out/phone-tls.png")
check "the phone tapped over TLS" "$?" "0"
check "the tap over TLS filled the list" "$([ "$(rows)" -ge 12 ] && echo rows)" "rows"
stop_run

checked
