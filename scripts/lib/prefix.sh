# The Wine prefix the program runs in, wherever it runs: the tests' and
# scripts/run's in the build tree, and each user's own once it is installed
# (this file goes into the package beside the settings). The functions work
# on $WINEPREFIX and call the wine, wineserver and wineboot in effect.

# Where this file and the settings beside it are.
PREFIX_LIB=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# What every Wine command of the program runs with.
program_environment() {
    export WINEARCH=win64
    export WINEDEBUG=${WINEDEBUG:--all}
    # No Mono or Gecko installer prompts, and no menu entries or file
    # associations written into the user's desktop: the program needs none.
    export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
    # Xlib reads its resource files again on every lookup while it has found
    # none, and Wine looks up the Xft settings at every font selection: an
    # empty file ends that.
    export XENVIRONMENT=${XENVIRONMENT:-/dev/null}
    # Only the fonts the program draws with (fonts.conf, beside this file).
    export FONTCONFIG_FILE=${FONTCONFIG_FILE:-$PREFIX_LIB/fonts.conf}
}

# Where Wine keeps its Windows-side libraries and the data it copies into
# a prefix.
WINE_FILES="$(echo /usr/lib/*/wine/*-windows) /usr/share/wine/nls"

# What a prefix is made from: the settings files, in order, and the Wine
# that made it, told by the times of its wine.inf (which Wine compares with
# a prefix's .update-timestamp to decide on an update) and of its library
# folders (which every upgrade of them changes).
prefix_settings() {
    cat "$@"
    echo "; Wine $(stat -c %Y /usr/share/wine/wine.inf $WINE_FILES | tr '\n' ' ')"
}

# Whether the prefix was made from these settings files by this Wine, after
# Wine's own fonts were installed.
prefix_is_current() {
    local made=$WINEPREFIX/.tolmirak-settings
    prefix_settings "$@" | cmp -s - "$made" && [ ! /usr/share/wine/fonts -nt "$made" ]
}

# Makes the prefix afresh from the settings files (REGEDIT4 files, imported
# in order) unless it is current: IPAGothic standing in for the Japanese and
# default interface fonts, no theme, and whatever screen the files add. A
# copy of the settings in the prefix, written last, records what it was made
# from, so a prefix cut short is never taken as made. Fails at the first step
# that fails, naming it on standard output.
make_prefix() {
    prefix_is_current "$@" && return 0
    # With no display, wineboot shows no window of its own, and takes two
    # fifths less time (its explorer and services start without X). A
    # wineboot that fails is told on standard error with its last words,
    # and tried once more in an empty prefix: it leaves the prefix half
    # made.
    local log try status
    log=$(mktemp) || { echo mktemp; return 1; }
    for try in 1 2; do
        wineserver -k 2>/dev/null || true
        rm -rf "${WINEPREFIX:?}"
        mkdir -p "$WINEPREFIX" || { echo mkdir; rm -f "$log"; return 1; }
        (unset DISPLAY && wineboot -i </dev/null >"$log" 2>&1) && status=0 || status=$?
        [ $status != 0 ] || break
        { echo "wineboot -i (exit $status), try $try:"; tail -n 5 "$log"; } >&2
    done
    rm -f "$log"
    [ $status = 0 ] || { echo "wineboot -i (exit $status)"; return 1; }
    (unset DISPLAY && wine regedit /S "$@" </dev/null >/dev/null 2>&1) || { echo "regedit (exit $?)"; return 1; }
    # Wine draws its own glyphs (a window's close box, check marks) with
    # Marlett and the other symbol fonts of its package, and finds fonts
    # only in the prefix; the text fonts stay the Japanese ones above.
    local font
    for font in marlett symbol webdings wingding; do
        ln -sf "/usr/share/wine/fonts/$font.ttf" "$WINEPREFIX/drive_c/windows/Fonts/" || { echo ln; return 1; }
    done
    # The registry reaches the prefix's files when the server ends.
    wineserver -k 2>/dev/null || true
    wineserver -w
    prefix_settings "$@" >"$WINEPREFIX/.tolmirak-settings" || { echo "the settings' copy"; return 1; }
}

# What a prefix takes, in KiB: Wine copies its Windows-side libraries into
# every prefix, and adds some 60 MB of its own files and registry.
prefix_room_needed() {
    echo $(($(du -sk /usr/lib/*/wine/x86_64-windows | awk '{s += $1} END {print s}') + 64 * 1024))
}

# The profile folder's name in a shared template prefix, made anew under the
# account's name in each copy of it.
TEMPLATE_USER=tolmirak

# Whether the prefix's Wine libraries are links into Wine's install, as in a
# copy of the shared template.
prefix_is_linked() { [ -L "$WINEPREFIX/drive_c/windows/system32/ntdll.dll" ]; }

# What a copy of the template takes, in KiB: its files (the links as links)
# and room for the registry to grow.
copy_room_needed() { echo $(($(du -sk "$1" | cut -f1) + 4 * 1024)); }

# Makes the prefix a copy of the template prefix given: Wine's libraries
# stay links into Wine's install, everything else (the registry above all,
# which Wine rewrites in place) becomes the account's own, and the profile
# folder takes the account's name, as Wine names it from $USER. The copy is
# made beside the prefix and renamed into place, so a copy cut short is
# never taken as made. Fails naming the step, as make_prefix does.
copy_template() {
    local template=$1 user=${USER:-$(id -un)} new name step
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX".copy-* "${WINEPREFIX:?}"
    new=$(mktemp -d "$WINEPREFIX.copy-XXXXXX") || { echo mktemp; return 1; }
    # The registry writes C:\users\NAME as C:\\users\\NAME.
    name=$(printf '%s' "$user" | sed 's/[\/&]/\\&/g')
    if ! cp -a "$template/." "$new/" 2>/dev/null; then
        step="copying $template"
    elif [ "$user" != "$TEMPLATE_USER" ] && ! mv "$new/drive_c/users/$TEMPLATE_USER" "$new/drive_c/users/$user"; then
        step="the profile folder"
    elif ! sed -i 's/\\\\users\\\\'"$TEMPLATE_USER"'\(\\\\\|"\)/\\\\users\\\\'"$name"'\1/g' "$new/user.reg" "$new/system.reg"; then
        step="the registry"
    elif mv -T "$new" "$WINEPREFIX"; then
        return 0
    else
        step="renaming the copy"
    fi
    rm -rf "$new"
    echo "$step"
    return 1
}

# The DPI the desktop asks programs to draw at, in steps of half the
# scale (96, 144, 192, ...): TOLMIRAK_SCALE (1, 1.5, 2 or 3); else
# GDK_SCALE; else GTK's window scaling factor where the desktop's settings
# daemon (Xfce, MATE, Cinnamon, GNOME) publishes one above 1 over
# XSETTINGS, read by dump_xsettings; else the Xft.dpi resource that GNOME,
# KDE and Xfce put on the root window. Xft.dpi is taken to the nearest step,
# down where it lies halfway: 120, often set only for larger text, stays
# 96. A desktop that publishes nothing, or settings that cannot be read,
# give 96.
desktop_dpi() {
    case ${TOLMIRAK_SCALE:-} in
    1|2|3) echo $((96 * TOLMIRAK_SCALE)); return ;;
    1.5) echo 144; return ;;
    esac
    case ${GDK_SCALE:-} in [1-9]) echo $((96 * GDK_SCALE)); return ;; esac
    # Both read at once, each from a connection of its own.
    awk '
        /^Gdk\/WindowScalingFactor [1-9]$/ { factor = $2 }
        match($0, /Xft\.dpi:(\\t| )*[0-9.]+/) {
            dpi = substr($0, RSTART, RLENGTH)
            sub(/^Xft\.dpi:(\\t| )*/, "", dpi)
        }
        END {
            steps = int((dpi + 23) / 48)
            print (factor > 1 ? 96 * factor : steps < 2 ? 96 : 48 * steps)
        }' <(dump_xsettings 2>/dev/null) <(xprop -root RESOURCE_MANAGER 2>/dev/null)
}

# Whether Wine scales a program that is not DPI-aware to the prefix's DPI,
# as Wine 10 and later do; Wine 8 only enlarges its fonts.
wine_scales() { [ "$(wine --version 2>/dev/null | sed -n 's/^wine-\([0-9]*\).*/\1/p')" -ge 10 ] 2>/dev/null; }

# Gives the prefix the DPI given where Wine scales, 96 where it does not.
# The prefix records the DPI it was given, so that the registry is written
# only when it changes; a prefix made anew has 96. Wine's session keeps the
# DPI it started with, so a change ends it: the next program starts one of
# its own.
scale_prefix() {
    local dpi=96 made=$WINEPREFIX/.tolmirak-dpi
    [ "$1" = 96 ] || ! wine_scales || dpi=$1
    [ "$(cat "$made" 2>/dev/null || echo 96)" != "$dpi" ] || return 0
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        </dev/null >/dev/null 2>&1 && echo "$dpi" >"$made"
    wineserver -k 2>/dev/null || true
    wineserver -w
}

# Holds the lock beside the prefix on descriptor 9 (flock), waiting while
# another start holds it. What this shell starts with the descriptor open
# holds the lock too, until it ends.
lock_prefix() {
    exec 9>>"$(dirname "$WINEPREFIX")/prefix.lock"
    flock 9
}

# Gives the prefix's virtual desktop the size, WIDTHxHEIGHT. The desktop
# takes its size when Wine makes it, so this ends Wine in the prefix, and
# every program running there with it.
turn_desktop() {
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$1" /f >/dev/null 2>&1
    wineserver -k 2>/dev/null || true
    wineserver -w
}
