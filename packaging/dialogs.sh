# What the launcher tells the user, in Japanese where LC_ALL, LC_MESSAGES or
# LANG (the first of them that is set) says ja, in English otherwise. Each
# text goes to standard error; started from the menu, with no terminal
# there, it is shown in a dialog window as well, with zenity, the GTK
# dialog tool that Wine's helper scripts use and GNOME desktops have.

# zenity, reading its texts as the UTF-8 they are, in the user's locale or,
# where that is not installed (it reads them as ASCII then), in C.UTF-8.
dialog() {
    if [ "$(locale charmap 2>/dev/null)" = UTF-8 ]; then
        zenity "$@"
    else
        LC_ALL=C.UTF-8 zenity "$@"
    fi
}

in_japanese() {
    case ${LC_ALL:-${LC_MESSAGES:-${LANG:-}}} in
    ja*) return 0 ;;
    *) return 1 ;;
    esac
}

# Tells the user one thing: say error|warning ENGLISH JAPANESE. A dialog
# waits until it is closed.
say() {
    local text=$2
    in_japanese && text=$3
    echo "tolmirak: $text" >&2
    [ -t 2 ] || dialog "--$1" --title Tolmirak --no-markup --width 360 --text "$text" 2>/dev/null || true
}

# Shows a pulsing progress window while the prefix is made, and says so on
# standard error; close_note closes it. The window reads descriptor 8 and
# closes itself when it ends, so it also closes when this shell ends. It
# does not hold the prefix's lock (descriptor 9).
show_note() {
    local text="Tolmirak is preparing Wine for its first start. This takes up to a minute."
    in_japanese && text="トルミラクの初回起動のため、Wine を準備しています。1 分ほどかかります。"
    echo "tolmirak: $text ($WINEPREFIX)" >&2
    exec 8> >(dialog --progress --pulsate --no-cancel --auto-close --title Tolmirak --width 360 \
        --text "$text" 2>/dev/null 9>&-)
}

close_note() { exec 8>&-; }
