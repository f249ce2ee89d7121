# Debian roots of either release under build/debian/<release>, as a fresh
# install has it: debootstrap's minbase with git and the host's CA bundle
# added, copied from the bare root in build/debian/<release>-minbase. A root
# is kept between runs and made afresh once it is a week old.
# The project's committed tree is cloned into /tolmirak inside it, and its
# scripts run there with /proc, /sys and /dev mounted for Wine, the X
# servers and Chromium.

declare -A DEBIAN_CODENAMES=([12]=bookworm [13]=trixie)

debian_root() { echo "$WINE_ROOT/build/debian/$1"; }

# Whether the root's marker is there and less than a week old.
recent_root() {
    local marker
    marker=$(debian_root "$1")/.tolmirak-root
    [ -f "$marker" ] && [ -z "$(find "$marker" -mtime +6)" ]
}

# The host's Debian archive, as its apt sources name it: the first source of
# the host's own release (not its -updates or -security suites), in deb822
# form or the one-line form. The roots of either release are made from it
# and keep it, so a machine behind a mirror of its own uses that mirror.
host_mirror() {
    local codename found
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    found=$({
        awk -v suite="$codename" '
            function take() { if (deb && uris != "" && (" " suites " ") ~ (" " suite " ")) print uris; deb = 0; uris = "" }
            FNR == 1 || /^$/ { take() }
            /^Types:/ { deb = / deb( |$)/ }
            /^URIs:/ { uris = $2 }
            /^Suites:/ { $1 = ""; suites = $0 }
            END { take() }' /etc/apt/sources.list.d/*.sources
        sed -n "s/^deb \(\[[^]]*\] \)\?\([^ ]*\) $codename .*/\2/p" /etc/apt/sources.list /etc/apt/sources.list.d/*.list
    } 2>/dev/null || true)
    [ -n "$found" ] || { echo "No source of Debian $codename in the host's apt sources" >&2; return 1; }
    echo "${found%%$'\n'*}"
}

# The host's apt proxy, if it has one, for debootstrap and the roots' apt.
host_proxy() {
    apt-config dump Acquire::http::Proxy 2>/dev/null | sed -n 's/^Acquire::http::Proxy "\(.*\)";$/\1/p'
}

# Makes the bare root of the release, debootstrap's minbase with the host's
# CA bundle, unless a recent one is there. It is only ever copied.
make_minbase_root() {
    local release=$1 root
    root=$(debian_root "$release-minbase")
    local codename=${DEBIAN_CODENAMES[$release]:?"no Debian release $release (12 or 13)"}
    recent_root "$release-minbase" && return 0
    remove_debian_root "$release-minbase"
    need_packages debootstrap
    local mirror proxy
    mirror=$(host_mirror)
    proxy=$(host_proxy)
    echo "Making a Debian $release root in $root from $mirror..."
    http_proxy=${proxy:-${http_proxy:-}} debootstrap --variant=minbase "$codename" "$root" "$mirror" >/dev/null
    [ -z "$proxy" ] || echo "Acquire::http::Proxy \"$proxy\";" >"$root/etc/apt/apt.conf.d/01proxy"
    # The bundle, and a copy where the root's ca-certificates package adds
    # it again whenever it remakes the bundle.
    mkdir -p "$root/etc/ssl/certs" "$root/usr/local/share/ca-certificates"
    cp /etc/ssl/certs/ca-certificates.crt "$root/etc/ssl/certs/"
    cp /etc/ssl/certs/ca-certificates.crt "$root/usr/local/share/ca-certificates/host-bundle.crt"
    touch "$root/.tolmirak-root"
}

# Makes a fresh copy of the release's bare root under the given name.
copy_minbase_root() {
    local release=$1 name=$2
    make_minbase_root "$release"
    remove_debian_root "$name"
    cp -a "$(debian_root "$release-minbase")" "$(debian_root "$name")"
    # The copy is only as recent as what is made of it.
    rm "$(debian_root "$name")/.tolmirak-root"
}

remove_debian_root() {
    unmount_debian_root "$1"
    rm -rf --one-file-system "$(debian_root "$1")"
}

# Makes the root of the release that the suites run in, the bare root with
# git, unless a recent one is there.
make_debian_root() {
    local release=$1
    recent_root "$release" && return 0
    copy_minbase_root "$release" "$release"
    in_debian_root "$release" sh -c 'apt-get update -qq && apt-get install -y -qq git >/dev/null'
    touch "$(debian_root "$release")/.tolmirak-root"
}

mount_debian_root() {
    local root
    root=$(debian_root "$1")
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
    local fs
    for fs in sys dev; do
        if ! mountpoint -q "$root/$fs"; then
            mount --rbind "/$fs" "$root/$fs"
            # Unmounting it later must not reach the host's own mounts.
            mount --make-rslave "$root/$fs"
        fi
    done
}

unmount_debian_root() {
    local root fs
    root=$(debian_root "$1")
    for fs in dev sys proc; do
        mountpoint -q "$root/$fs" 2>/dev/null && umount -R -l "$root/$fs"
    done
    return 0
}

# Runs a command inside the root, mounted for the time it runs, with a clean
# environment (TOLMIRAK_IN_ROOT=1 says where it runs) but for the host's
# pointers to its CA bundle (the same path in the root), so that downloads
# there verify as they do here.
in_debian_root() {
    local release=$1
    shift
    mount_debian_root "$release"
    local status=0 name passed=()
    for name in CI TOLMIRAK_NO_PIN SSL_CERT_FILE NODE_EXTRA_CA_CERTS GIT_SSL_CAINFO CURL_CA_BUNDLE; do
        [ -n "${!name:-}" ] && passed+=("$name=${!name}")
    done
    chroot "$(debian_root "$release")" /usr/bin/env -i TOLMIRAK_IN_ROOT=1 HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "${passed[@]}" "$@" ||
        status=$?
    unmount_debian_root "$release"
    return $status
}

# Brings the root's clone of the project to the committed tree of the host's,
# keeping the clone's build tree for the next run.
clone_into_debian_root() {
    local clone
    clone=$(debian_root "$1")/tolmirak
    [ -d "$clone/.git" ] || git clone -q "$WINE_ROOT" "$clone" || return 1
    git -C "$clone" fetch -q "$WINE_ROOT" HEAD
    git -C "$clone" reset -q --hard FETCH_HEAD
    git -C "$clone" clean -q -fdx -e build
}
