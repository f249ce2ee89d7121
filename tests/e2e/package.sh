#!/usr/bin/env bash
# The packages as people get them. Built twice, from two clones of the
# commit in folders of different names: the same bytes. Then, in a fresh
# copy of each release's bare root (scripts/lib/debian.sh), as a person
# would: the Debian package installed with apt-get, checked with lintian,
# started by an ordinary account from its menu entry's command on an X
# display of that account's own, used, ended and purged; the zip unpacked
# and its exe started in a fresh prefix; and in that prefix, under the
# root's Wine, the Windows installer installed, started from its Start
# menu entry, upgraded, refused as a downgrade and removed. Runs as root, as the
# roots need; `--inside DISPLAY` is the part that runs in a root, with the
# account's X display (TOLMIRAK_PACKAGE_SCREEN, :95 unless set).
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/tests/e2e/check.sh"

if [ "${1:-}" = "--inside" ]; then
    cd /tmp/package-test
    export DEBIAN_FRONTEND=noninteractive
    home=/home/person
    screen=$2
    now() { date +%s.%N; }
    since() { LC_ALL=C printf '%.1f s' "$(echo "$(now) - $1" | bc)"; }

    apt-get update -qq
    apt-get install -y -qq --no-install-recommends lintian desktop-file-utils appstream xvfb xauth xdotool \
        x11-apps openbox unzip bc liblnk-utils man-db xfce4-settings xfconf >/dev/null
    start=$(now)
    apt-get install -y -qq ./tolmirak_*.deb >/dev/null
    check "apt-get installs the package" "$?" "0"
    echo "apt-get install, Wine and the template included: $(since "$start")"
    check "and pulls Wine from the archive" "$(dpkg-query -W -f='${Status}' wine64)" "install ok installed"
    check "lintian finds no errors" "$(lintian ./tolmirak_*.deb 2>&1 | grep -c '^E:')" "0"
    lintian -I ./tolmirak_*.deb 2>&1 | sed 's/^/lintian: /'
    check "man -L ja tolmirak shows the Japanese manual page" \
        "$(LANG=C.UTF-8 MANWIDTH=80 man -L ja tolmirak 2>&1 | grep -c '^名前$\|^ *tolmirak - 生まれ年の十二支から年齢を推定する$')" "2"
    check "the menu entry is valid" "$(desktop-file-validate /usr/share/applications/tolmirak.desktop)" ""
    check "its actions turn the window, named in Japanese too" \
        "$(grep -c '^Exec=tolmirak --\(landscape\|portrait\)$\|^Name\[ja\]=\(横\|縦\)向きで表示$' /usr/share/applications/tolmirak.desktop)" "4"
    check "the software centres' entry is valid: no errors, no warnings" \
        "$(appstreamcli validate --no-net /usr/share/metainfo/jp.example.tolmirak.metainfo.xml >appstream.log 2>&1; echo $?) $(grep -c '^ *[EW]:' appstream.log)" "0 0"
    sed 's/^/appstream: /' appstream.log

    template=/var/cache/tolmirak/wineprefix
    # Links that lead anywhere but into Wine's install, the prefix's own
    # drive or the root of the file system (drive Z:).
    stray_links() { find "$1" -type l ! -lname '/usr/*' ! -lname ../drive_c ! -lname / ! -lname '/dev/*' -printf '%p -> %l\n'; }
    echo "== the template: $(du -sh $template | cut -f1), made at install"
    check "it is made, root's, and writable by root alone" \
        "$(stat -c %U $template)/$(find /var/cache/tolmirak ! -type l \( ! -user root -o -perm /022 \) | wc -l)" "root/0"
    check "it holds no link out of Wine's install nor a word of root's" \
        "$(stray_links $template)$(grep -l '/root\|users\\\\root' $template/*.reg)" ""
    check "its profile folder belongs to no account" "$(ls $template/drive_c/users)" "$(printf 'Public\ntolmirak')"

    # Two accounts on one X display, the first account's, each with a copy
    # of its cookie.
    for account in person person2; do useradd -m $account; done
    as() {
        local account=$1
        shift
        runuser -u $account -- env HOME=/home/$account DISPLAY=$screen XAUTHORITY=/home/$account/.Xauthority "$@"
    }
    as_person() { as person "$@"; }
    as_person xauth -q add $screen MIT-MAGIC-COOKIE-1 "$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')" 2>/dev/null
    install -o person2 -g person2 -m 600 $home/.Xauthority /home/person2/.Xauthority
    # No reset when the last client leaves: a desktop session's display
    # always has clients. Room for the window at twice the scale.
    as_person Xvfb $screen -screen 0 1024x768x24 -auth $home/.Xauthority -nolisten tcp -noreset \
        </dev/null >/dev/null 2>&1 &
    for i in $(seq 50); do as_person xdpyinfo >/dev/null 2>&1 && break; sleep 0.2; done
    # A desktop's window manager.
    as_person openbox --sm-disable </dev/null >/dev/null 2>&1 &
    # The entry's own command, not its actions'.
    command=$(sed -n '/^\[Desktop Entry\]/,/^\[/ s/^Exec=//p' /usr/share/applications/tolmirak.desktop)
    # Starts the menu entry's command as the account given, in the language
    # given, with no terminal, in a session of its own, as a desktop's menu
    # does; $app is its process.
    menu_start() {
        as "$1" env LANG="$2" setsid -w sh -c "$command" </dev/null >>launcher.log 2>&1 &
        app=$!
    }
    # The text of the launcher's dialog window once one is on the screen,
    # within ten seconds.
    dialog_text() {
        local i
        for i in $(seq 50); do
            as_person xdotool search --name '^Tolmirak$' >/dev/null 2>&1 &&
                pgrep -a zenity | sed -n 's/.* --text //p' | grep . && return
            sleep 0.2
        done
    }
    prefix_of() { echo /home/$1/.local/share/tolmirak/wineprefix; }
    probe() { as "$1" env WINEPREFIX="$(prefix_of "$1")" WINEDEBUG=-all wine probe.exe "${@:2}" 2>/dev/null | tr -d '\r'; }
    windows() { as_person env LC_ALL=C.UTF-8 xwininfo -root -tree | grep -c '"トルミラク": ("tolmirak.exe" '; }
    # Waits up to a minute for the window of the account's start given: the
    # probe must not start Wine in a prefix that is still being made.
    window_of() {
        for i in $(seq 120); do
            [ "$(windows)" -gt 0 ] || ! kill -0 "$2" 2>/dev/null && break
            sleep 0.5
        done
        for i in $(seq 12); do [ "$(probe "$1" wait)" = ready ] && break; done
        probe "$1" wait
    }
    quit() {
        as "$1" xdotool key ctrl+q
        finish "$2"
        check "Ctrl+Q ends it with exit code 0" "$finished" "0"
        as "$1" env WINEPREFIX="$(prefix_of "$1")" timeout 60 wineserver -w
    }
    # The screen, once a window just shown on it has drawn.
    shot() { sleep 1; as_person xwd -root -silent >"$1.xwd"; }
    folder_mb() { du -sm "/home/$1/.local/share/tolmirak" | cut -f1; }

    echo "== two new accounts start it from the menu, each copying the template"
    for account in person person2; do
        start=$(now)
        menu_start $account C.UTF-8
        check "$account: the window appears" "$(window_of $account $app)" "ready"
        echo "$account: first start: $(since "$start"), its folder $(folder_mb $account) MB"
        check "$account: its folder holds under 16 MB" "$([ "$(folder_mb $account)" -lt 16 ] && echo under)" "under"
        check "$account: its prefix is its own, with a profile folder of its name and no link out" \
            "$(stat -c %U "$(prefix_of $account)")/$(ls "$(prefix_of $account)/drive_c/users")/$(stray_links /home/$account)" \
            "$account/$(printf 'Public\n%s' $account)/"
        shot $account
        quit $account $app
    done
    prefix=$(prefix_of person)

    echo "== the next start and one 0.5 s after it, in Japanese, as a double click gives"
    menu_start person ja_JP.UTF-8
    first=$app
    sleep 0.5
    menu_start person ja_JP.UTF-8
    second=$app
    check "the window appears" "$(window_of person $first)" "ready"
    finish $second
    check "the second start hands over with exit code 0" "$finished" "0"
    check "one window" "$(windows)" "1"
    read -r x y w h < <(probe person rect 1057) # 年齢推定
    as_person xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
    sleep 1
    check "a click on 年齢推定 fills the list" "$([ "$(probe person rows | wc -l)" -ge 12 ] && echo rows)" "rows"
    as_person xwd -root -silent >screen.xwd
    quit person $first

    echo "== a later start, once Wine has ended"
    start=$(now)
    as_person sh -c "$command" </dev/null >>launcher.log 2>&1 &
    app=$!
    check "the window appears" "$(probe person wait)" "ready"
    echo "later start: $(since "$start")"
    sleep 0.5
    window=$(as_person xprop -root _NET_CLIENT_LIST | grep -o '0x[0-9a-f]*')
    check "one managed window, of the class that the menu entry's StartupWMClass names" \
        "$(as_person xprop -id "$window" WM_CLASS | sed 's/.*, "\(.*\)"$/\1/')" \
        "$(sed -n 's/^StartupWMClass=//p' /usr/share/applications/tolmirak.desktop)"
    check "its title is トルミラク" "$(as_person env LC_ALL=C.UTF-8 xprop -id "$window" _NET_WM_NAME)" \
        '_NET_WM_NAME(UTF8_STRING) = "トルミラク"'
    quit person $app
    as_person tolmirak --landscape </dev/null >>launcher.log 2>&1 &
    app=$!
    probe person wait >/dev/null
    check "--landscape turns the screen: the window holds 320x240" \
        "$(as_person env LC_ALL=C.UTF-8 xwininfo -root -tree | grep -F '"トルミラク": ("tolmirak.exe" ' | grep -c ' 320x240+')" "1"
    for turn in portrait:240x320 landscape:320x240; do
        as_person tolmirak --${turn%:*} </dev/null >>launcher.log 2>&1
        check "tolmirak --${turn%:*} as a second start ends with 0 and turns the running window" \
            "$? $(sleep 0.5; as_person env LC_ALL=C.UTF-8 xwininfo -root -tree | grep -F '"トルミラク": ("tolmirak.exe" ' | grep -c " ${turn#*:}+")" "0 1"
    done
    quit person $app

    echo "== the DPI the launcher takes from what the desktop publishes"
    dpi_taken() { as_person env "$@" bash -c '. /usr/lib/tolmirak/prefix.sh && desktop_dpi' 2>&1; }
    check "a desktop that publishes nothing: 96" "$(dpi_taken)" "96"
    # An XSETTINGS manager (xsettingsd, which the package recommends), whose
    # settings each row writes as bytes: GTK's window scaling factor of the
    # type and value given, the first bytes given of it where it is cut short.
    as_person xsettingsd -c /dev/null </dev/null >/dev/null 2>&1 &
    manager=
    for i in $(seq 50); do
        for window in $(as_person xwininfo -root -children | grep -o '^ *0x[0-9a-f]*'); do
            as_person xprop -id "$window" _XSETTINGS_SETTINGS 2>/dev/null | grep -q = && manager=$window
        done
        [ -n "$manager" ] && break
        sleep 0.2
    done
    xsettings() {
        local type=0 kept=48
        [ "$2" != "of an unknown type" ] || type=7
        [ "$2" != "cut short" ] || kept=30
        local bytes="0,0,0,0,1,0,0,0,1,0,0,0,$type,0,23,0,$(printf Gdk/WindowScalingFactor | od -An -tu1 -v | tr -s ' \n' , | sed 's/^,//')0,1,0,0,0,$1,0,0,0"
        as_person xprop -id "$manager" -f _XSETTINGS_SETTINGS 8c -set _XSETTINGS_SETTINGS "$(echo "$bytes" | cut -d, -f1-$kept)"
    }
    # What it publishes: Xft.dpi | GTK's factor | how it is written, where
    # it is garbled | the environment | the DPI taken.
    while IFS='|' read -r xft factor how environment expected; do
        as_person xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "$(printf 'Xft.dpi:\t%s' "$xft")"
        xsettings "$factor" "$how"
        check "Xft.dpi $xft, GTK's factor $factor${how:+ $how}${environment:+, $environment}: $expected" \
            "$(dpi_taken $environment)" "$expected"
    done <<'ROWS'
96|1|||96
120|1|||96
144|1|||144
168|1|||144
192|1|||192
96|2|||192
96|2||GDK_SCALE=1|96
192|2||TOLMIRAK_SCALE=3|288
96|2|cut short||96
96|2|of an unknown type||96
ROWS
    pkill -u person -x xsettingsd

    # Wine 10 scales the program; Wine 8 would only enlarge its fonts.
    expected=480x640 dpi=192
    [ "$(wine --version 2>/dev/null | sed 's/^wine-\([0-9]*\).*/\1/')" -ge 10 ] || expected=240x320 dpi=
    # The DPI as the registry has it once Wine has ended (96, hexadecimal 60,
    # where it says none), and when the launcher last wrote it.
    dpi_of() {
        echo "$(sed -n '/^\[Control Panel\\\\Desktop\]/,/^\[/ s/^"LogPixels"=dword:0*//p' "$prefix/user.reg" |
            grep . || echo 60)/$(cat "$prefix/.tolmirak-dpi" 2>/dev/null)"
        stat -c %y "$prefix/.tolmirak-dpi" 2>/dev/null
    }
    # Twice the scale as Xft.dpi in the root window's resources (GNOME on
    # X, KDE), then as Xfce's window scaling, which xfsettingsd publishes
    # over XSETTINGS alone; MATE's and Cinnamon's daemons publish it alike.
    for desktop in Xft.dpi xfsettingsd; do
        echo "== on a desktop at twice the scale, published by $desktop"
        if [ $desktop = Xft.dpi ]; then
            as_person xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "$(printf 'Xft.dpi:\t192')"
        else
            as_person xprop -root -remove RESOURCE_MANAGER
            as_person dbus-run-session -- sh -c 'xfconf-query -c xsettings -p /Gdk/WindowScalingFactor -n -t int -s 2 &&
                exec xfsettingsd --no-daemon' </dev/null >/dev/null 2>&1 &
            for i in $(seq 50); do
                as_person dump_xsettings 2>/dev/null | grep -q '^Gdk/WindowScalingFactor 2$' && break
                sleep 0.2
            done
        fi
        for start in first second; do
            as_person sh -c "$command" </dev/null >>launcher.log 2>&1 &
            app=$!
            # Not before the window: a probe would start Wine's session while
            # the launcher still gives the prefix its DPI.
            window_of person $app >/dev/null
            sleep 0.5
            check "the $start start's window holds $expected" \
                "$(as_person env LC_ALL=C.UTF-8 xwininfo -root -tree | grep -F '"トルミラク": ("tolmirak.exe" ' | grep -c " $expected+")" "1"
            [ $desktop/$start != xfsettingsd/first ] || shot xfsettingsd
            quit person $app
            [ $start = second ] || written=$(dpi_of)
        done
        check "the prefix is at ${dpi:-96} DPI" "$(dpi_of | head -n 1)" "$([ -n "$dpi" ] && echo c0 || echo 60)/$dpi"
        check "the second start at the same scale writes no DPI again" "$(dpi_of)" "$written"
    done
    pkill -u person -x xfsettingsd
    as_person xprop -root -remove RESOURCE_MANAGER
    check "tolmirak --version gives the package's version" \
        "$(tolmirak --version)" "tolmirak $(dpkg-query -W -f='${Version}' tolmirak)"
    check "without a display it says why in one line and exits 1" \
        "$(runuser -u person -- env -u DISPLAY tolmirak 2>&1 | wc -l) $(runuser -u person -- env -u DISPLAY tolmirak >/dev/null 2>&1; echo $?)" "1 1"

    echo "== no room: a 2 MB tmpfs over ~/.local/share, for an account with no prefix"
    rm -rf "$home/.local/share/tolmirak"
    mount -t tmpfs -o size=2m,mode=700,uid="$(id -u person)",gid="$(id -g person)" tmpfs $home/.local/share
    menu_start person C.UTF-8
    text=$(dialog_text)
    shot no-room
    check "a dialog window names the folder" "$(echo "$text" | grep -c "in $home/.local/share/tolmirak: [0-9]* MB free")" "1"
    pkill -u person zenity
    finish $app
    check "and the start exits non-zero once it is closed" "$([ "$finished" -ne 0 ] && [ "$finished" -ne 124 ] && echo non-zero)" "non-zero"
    check "leaving no prefix" "$(ls -d "$prefix" 2>/dev/null)" ""
    umount $home/.local/share

    echo "== Wine reinstalled: its trigger makes the template again"
    made=$(cat $template/.tolmirak-settings)
    wine_package=$(dpkg -S /usr/share/wine/wine.inf | cut -d: -f1)
    start=$(now)
    apt-get install -y -qq --reinstall "$wine_package" >/dev/null 2>&1
    echo "reinstalling $wine_package, the trigger included: $(since "$start")"
    check "the template is made again, by this Wine" \
        "$(cmp -s - $template/.tolmirak-settings <<<"$made" || echo again)/$(stat -c %U $template)" "again/root"
    menu_start person2 C.UTF-8
    check "person2: the window appears" "$(window_of person2 $app)" "ready"
    check "person2: its prefix was made again from it" "$(cmp $template/.tolmirak-settings "$(prefix_of person2)/.tolmirak-settings" && echo again)" "again"
    quit person2 $app

    echo "== the template removed by hand: each start makes its account's prefix itself"
    rm -rf $template
    for at in 1 3; do
        menu_start person C.UTF-8
        sleep $at
        kill -9 -- "-$(ps -o pgid= -p "$(pgrep -u person -n -f /usr/bin/tolmirak)" | tr -d ' ')"
        wait $app
        check "a first start killed at $at s: the prefix is not taken as made" "$(ls "$prefix/.tolmirak-settings" 2>/dev/null)" ""
    done
    start=$(now)
    menu_start person ja_JP.UTF-8
    first=$app
    sleep 0.5
    menu_start person ja_JP.UTF-8
    second=$app
    note=$(dialog_text)
    shot note
    check "a note in Japanese is on the screen while the prefix is made" "${note:0:6}" "トルミラクの"
    check "the window appears" "$(window_of person $first)" "ready"
    echo "first start without the template, two at once: $(since "$start")"
    finish $second
    check "the second start hands over with exit code 0" "$finished" "0"
    check "one window" "$(windows)" "1"
    check "the note has closed" "$(pgrep -u person -c zenity)" "0"
    quit person $first
    full=$(folder_mb person)

    echo "== the template made again: a full prefix gives way to a copy"
    /usr/lib/tolmirak/make-template >/dev/null
    menu_start person C.UTF-8
    check "the window appears" "$(window_of person $app)" "ready"
    check "the account's folder, $full MB with Wine's libraries copied, holds under 16 MB" \
        "$([ "$full" -gt 100 ] && [ "$(folder_mb person)" -lt 16 ] && echo under)" "under"
    quit person $app

    echo "== purged"
    dpkg -L tolmirak >files
    apt-get purge -y -qq tolmirak >/dev/null
    check "apt-get purge removes the package" "$(dpkg-query -W -f='${Status}' tolmirak 2>/dev/null)" ""
    check "and leaves none of its files" "$(while read -r f; do [ -e "$f" ] && [ ! -d "$f" ] && echo "$f"; done <files)" ""
    check "nor its folders, nor the template" "$(ls -d /usr/lib/tolmirak /usr/share/doc/tolmirak /var/cache/tolmirak 2>/dev/null)" ""

    echo "== the zip, unpacked into an empty folder"
    version=$(ls tolmirak-*-win64.zip | sed 's/^tolmirak-\(.*\)-win64.zip$/\1/')
    windows_prefix=$home/zip-prefix
    # Wine in the prefix of the zip and the installer, as plain as Wine makes
    # it, but that no menu entries nor file types go to the account's desktop.
    in_windows() {
        as_person env WINEPREFIX=$windows_prefix WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d "$@"
    }
    shown() { as_person xdotool search --onlyvisible --class tolmirak.exe 2>/dev/null | wc -l | grep -c '^[1-9]'; }
    show() {
        for i in $(seq 240); do
            [ "$(shown)" = 1 ] && break
            sleep 0.5
        done
        shown
    }
    as_person mkdir $home/zip
    as_person unzip -q tolmirak-$version-win64.zip -d $home/zip
    zipped=$home/zip/tolmirak-$version-win64
    check "it holds the exe, its read-mes in English and Japanese, and its licence" \
        "$(ls "$zipped" | tr '\n' ' ')" "LICENSE.txt README.ja.txt README.txt tolmirak.exe "
    in_windows wine "$zipped/tolmirak.exe" </dev/null >/dev/null 2>&1 &
    check "its exe shows its window in a fresh prefix" "$(show)" "1"
    in_windows wineserver -k

    echo "== the installer, in that prefix, quiet, as msiexec /qn installs it"
    installed="$windows_prefix/drive_c/Program Files/Tolmirak"
    # The next version's installer, which the host built from the same files.
    newer=$(ls newer | sed -n 's/^tolmirak-\(.*\)-x64.msi$/\1/p')
    cp tolmirak-$version-x64.msi "$windows_prefix/drive_c/"
    cp newer/tolmirak-$newer-x64.msi "$windows_prefix/drive_c/newer.msi"
    head -c $(($(stat -c %s tolmirak-$version-x64.msi) / 2)) tolmirak-$version-x64.msi >"$windows_prefix/drive_c/cut.msi"
    msiexec() { in_windows wine msiexec "$@" </dev/null >/dev/null 2>&1; }
    # Installed apps' entries of Tolmirak, a line each: its name, version,
    # publisher, and 0x1 for no Modify button.
    entries() {
        in_windows wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
            tr -d '\r' | awk '
                function entry() { if (name == "Tolmirak") print name "/" version "/" publisher "/" fixed; name = "" }
                /^HKEY/ { entry() }
                { value = $0; sub(/^ *[^ ]+ +REG_[A-Z_]+ +/, "", value) }
                $1 == "DisplayName" { name = value }
                $1 == "DisplayVersion" { version = value }
                $1 == "Publisher" { publisher = value }
                $1 == "NoModify" { fixed = value }
                END { entry() }'
    }
    start_menu() { find "$windows_prefix/drive_c" -name Tolmirak.lnk; }
    leftovers() { echo "$(ls -d "$installed" 2>/dev/null)$(start_menu)$(entries)"; }
    msiexec /i "C:\\tolmirak-$version-x64.msi" /qn
    check "msiexec /i exits 0" "$?" "0"
    check "the installed exe is the zip's, byte for byte, with the zip's other files" \
        "$(cmp "$installed/tolmirak.exe" "$zipped/tolmirak.exe" && echo same) $(ls "$installed" | tr '\n' ' ')" \
        "same $(ls "$zipped" | tr '\n' ' ')"
    # Newer versions of lnkinfo double each backslash.
    target=$(lnkinfo "$(start_menu)" 2>/dev/null | sed -n 's/^\s*Local path\s*: //p' | sed 's/\\\\/\\/g')
    check "the Start menu's entry, Tolmirak, starts that exe" "$target" 'C:\Program Files\Tolmirak\tolmirak.exe'
    check "Installed apps lists it once, with its version and publisher and no Modify button" \
        "$(entries)" "Tolmirak/$version/Tolmirak Project/0x1"
    in_windows wine "$target" </dev/null >/dev/null 2>&1 &
    app=$!
    check "started from the entry's target, it shows its window" "$(show)" "1"
    sleep 1
    as_person xdotool key ctrl+q
    finish $app
    check "Ctrl+Q ends it with exit code 0" "$finished" "0"
    msiexec /i 'C:\newer.msi' /qn
    check "version $newer installs over it: exit code 0, one entry of the new version, one exe" \
        "$? $(entries) $(find "$windows_prefix/drive_c" -iname tolmirak.exe | wc -l)" \
        "0 Tolmirak/$newer/Tolmirak Project/0x1 1"
    # Wine's msi shows a failed launch condition's message in a box, as it
    # does with a window to show it in, and never writes it in the log: the
    # box's text, as Wine traces it.
    in_windows env WINEDEBUG=-all,+msgbox wine msiexec /i "C:\\tolmirak-$version-x64.msi" /qb </dev/null >older.log 2>&1 &
    app=$!
    for i in $(seq 120); do as_person xdotool search --name '^Install Failed$' >/dev/null 2>&1 && break; sleep 0.25; done
    as_person xdotool key Return
    finish $app
    check "the older one over it fails, showing why, and leaves the newer as it was" \
        "$([ "$finished" -ne 0 ] && [ "$finished" -ne 124 ] && echo failed) $(grep -c 'A newer version of Tolmirak is already installed; this one changes nothing' older.log) $(entries)" \
        "failed 1 Tolmirak/$newer/Tolmirak Project/0x1"
    msiexec /x 'C:\newer.msi' /qn
    check "msiexec /x removes the files, the folder, the Start menu's entry and Installed apps' one" \
        "$? $(leftovers)" "0 "
    msiexec /i 'C:\cut.msi' /qn
    check "an installer cut short fails, installing nothing" "$([ $? -ne 0 ] && echo failed) $(leftovers)" "failed "
    in_windows wineserver -w
    check "Wine wrote no menu entries for the account" \
        "$(find $home/.local/share/applications $home/.config/menus -path '*wine*' 2>/dev/null)" ""
    # The display's socket is seen from the host and the other roots.
    pkill -u person
    [ "$failed" -eq 0 ] || sed 's/^/launcher: /' launcher.log
    checked
    exit
fi

. "$root/scripts/lib/packages.sh"
WINE_ROOT=$root
. "$root/scripts/lib/debian.sh"
out=$root/build/package-test
rm -rf "$out"
mkdir -p "$out"

echo "== two builds of the commit"
one=$out/one
two=$out/two/in/another/folder
for clone in "$one" "$two"; do
    git clone -q "$root" "$clone"
    "$clone/scripts/package" >/dev/null
done
packages=$one/build/package
for file in windows/app/tolmirak.exe $(cd "$one/build" && echo package/*); do
    check "the same bytes from both: ${file##*/}" "$(cmp "$one/build/$file" "$two/build/$file" && echo same)" "same"
done
stat -c '%n: %s bytes' "$packages"/*

echo "== the installer"
msi=$(echo "$packages"/*.msi)
msiinfo suminfo "$msi"
check "it is for x64, its Start menu's shortcut names the exe, and it replaces older versions and refuses newer" \
    "$(msiinfo suminfo "$msi" | sed -n 's/^Template: //p') $(msiinfo export "$msi" Shortcut | awk -F '\t' '$1 == "Start" { print $2, $5 }') $(msiinfo export "$msi" Upgrade | tr -d '\r' | awk -F '\t' 'NR > 3 { print $7 }' | sort | tr '\n' ' ')" \
    "x64;1033 ProgramMenuFolder [#tolmirak.exe] WIX_DOWNGRADE_DETECTED WIX_UPGRADE_DETECTED "
# The zip's files again, for the same installer of the next version, and
# for one whose source has an attribute wixl does not know.
cmake --install "$one/build/windows" --component windows --prefix "$out/files" >/dev/null
version=$(ls "$packages" | sed -n 's/^tolmirak-\(.*\)-win64.zip$/\1/p')
export SOURCE_DATE_EPOCH=$(git -C "$one" log -1 --format=%ct)
newer=$(echo "$version" | awk -F. -v OFS=. '{ $3++; $4 = 0; print }')
mkdir -p "$out/newer"
"$one/packaging/make-msi" "$newer" "$out/files" "$out/newer/tolmirak-$newer-x64.msi"
mkdir -p "$out/unknown"
cp -r "$one/app" "$one/packaging" "$out/unknown/"
sed -i 's/<Package /<Package Platform="x64" /' "$out/unknown/packaging/tolmirak.wxs"
check "wixl's warnings stop the build: an unknown attribute gives no installer" \
    "$("$out/unknown/packaging/make-msi" "$version" "$out/files" "$out/unknown.msi" >/dev/null 2>&1 || echo stopped)$(ls "$out/unknown.msi" 2>/dev/null)" "stopped"

trap 'for release in 12 13; do remove_debian_root "$release-try"; done' EXIT
for release in 12 13; do
    echo "== Debian $release"
    copy_minbase_root "$release" "$release-try"
    try=$(debian_root "$release-try")/tmp/package-test
    mkdir -p "$try"
    cp "$packages"/* "$root/build/windows/tests/windows/probe.exe" "$try/"
    cp -r "$out/newer" "$try/"
    mkdir -p "$try/tests/e2e"
    cp "$0" "$try/tests/e2e/package.sh"
    cp "$root/tests/e2e/check.sh" "$try/tests/e2e/"
    in_debian_root "$release-try" bash /tmp/package-test/tests/e2e/package.sh --inside "${TOLMIRAK_PACKAGE_SCREEN:-:95}"
    check "everything passed in Debian $release" "$?" "0"
    for shot in screen person person2 note no-room xfsettingsd; do cp "$try/$shot.xwd" "$out/debian-$release-$shot.xwd"; done
    remove_debian_root "$release-try"
done
checked
