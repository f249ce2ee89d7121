#!/usr/bin/env bash
# End-to-end: the real tolmirak.exe on the virtual X screen, used with real
# pointer and key events (xdotool), and checked from another process (probe)
# and from the host's clipboard (xclip).
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/lib/wine.sh"
wine_environment
app="$root/build/windows/app/tolmirak.exe"
probe_exe="$root/build/windows/tests/windows/probe.exe"
. "$root/tests/e2e/check.sh"

probe() { wine "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
tap() { xdotool mousemove "$1" "$2" click 1; sleep 0.4; }
tap_rect() { tap $(($1 + $3 / 2)) $(($2 + $4 / 2)); }
tap_control() { tap_rect $(probe rect "$1"); }
# Keys go to the window under the pointer: keep it on the main window's title.
key() { xdotool mousemove 60 40 key "$1"; sleep 0.6; }

first_line() { probe text 1061 | head -n 1; }

# The youngest birth year of a sign in reference year y, birthday passed, and
# its age: the first row of the table.
youngest() { # y sign
    local m=$((($1 - 1900) % 12))
    local b=$(($1 - m + $2))
    [ "$b" -gt "$1" ] && b=$((b - 12))
    echo "$b $(($1 - b))"
}

start_app() {
    wine "$app" </dev/null >/dev/null 2>&1 &
    app_pid=$!
    probe wait >/dev/null
    sleep 0.5
}

echo "== a person's session"
start_app
tap_control 1052                                  # the sign list opens
tap $(probe combo-item 1052 1)                    # 丑(うし)
check "sign chosen by tapping" "$(probe text 1052)" "丑(うし)"
year=$(probe text 1054)
read -r birth age < <(youngest "$year" 1)
tap_control 1057                                  # 年齢推定
check "estimate: first line of the text" "$(first_line | cut -d, -f2-)" "$birth,$age"
check "estimate: the list's bottom row" "$(probe rows | tail -n 1 | cut -d'|' -f2-3)" "$birth|$age"
tap_control 1059                                  # ->和暦
check "era toggle caption" "$(probe text 1059)" "->西暦"
check "era labels" "$(first_line | cut -d, -f2-)" "平成$((birth - 1988)),$age"
tap_control 1060                                  # 形式
check "view toggle shows the text" "$(probe visible 1061)$(probe visible 1062)" "10"
tap_control 1052
tap $(probe combo-item 1052 2)                    # 寅(とら)
check "another sign chosen by tapping" "$(probe text 1052)" "寅(とら)"
read -r birth age < <(youngest "$year" 2)
tap_rect $(probe menu-button 0)                   # 操作
read -r px py pw ph < <(probe popup)
check "menu bar pop-up opens" "$([ -n "${ph:-}" ] && [ "$ph" -gt 0 ] && echo open)" "open"
tap $((px + 20)) $((py + 10))                     # 年齢推定, the first item
check "menu estimate uses the new sign" "$(first_line | cut -d, -f2-)" "平成$((birth - 1988)),$age"
tap_control 1061                                  # into the text view
key ctrl+Home
key shift+ctrl+End
key ctrl+c
table=$(probe text 1061)
check "copy: the host's clipboard holds the table, line for line" \
    "$(xclip -o -selection clipboard)" "$table"
check "copy: lines end as the X clipboard carries them (LF)" \
    "$(xclip -o -selection clipboard | grep -c $'\r')" "0"
key ctrl+a
dialog=$(probe dialog 1)
check "Ctrl+A opens the About box" "$(echo "$dialog" | head -n 1)" "Tolmirak のバージョン情報"
tap_rect $(echo "$dialog" | tail -n 1)            # 閉じる
check "閉じる closes it" "$(probe dialog 1 | tail -n 1)" "none"
key ctrl+q
finish "$app_pid"
check "Ctrl+Q ends the program with exit code 0" "$finished" "0"
check "no window is left" "$(probe copies | cut -d' ' -f1)" "0"

echo "== a second start"
start_app
wine "$app" </dev/null >/dev/null 2>&1
check "the second process ends with 0" "$?" "0"
sleep 0.5
check "one window, in the foreground" "$(probe copies)" "1 foreground"
key ctrl+q
finish "$app_pid"

checked
