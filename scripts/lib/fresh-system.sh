# shellcheck shell=bash
# Fresh Debian systems, made one way; what it runs needs interruptible.sh sourced as well.
#
# fresh_system RELEASE ARCHITECTURES [PACKAGES] sets fresh_tarball to the path of a tarball of a minimal
# Debian of that release, with the comma-separated architectures (the first one native) and
# packages, made by mmdebstrap from the release's own suite, so that the halves of a multiarch
# system are of one version whatever state the mirror's update suites are in. It is made once
# for each recipe and kept in TALVEX_FRESH_CACHE (/var/cache/talvex-fresh unless set), one run
# making it while the others wait; autopkgtest's unshare server takes it as it is. Fails with 3
# where the release's packages cannot be fetched.
#
# enter_fresh_system TARBALL unpacks a copy of it for this script alone into $root, and in_root
# COMMAND... runs COMMAND in it as root with a clean environment, in mount and process
# namespaces of its own: whatever it mounts or leaves running ends with it, or with this script.
# start_in_root is in_root in the background, its pid in $in_root_pid. keep_root=true leaves
# the system in place afterwards, for a closer look.
fresh_cache=${TALVEX_FRESH_CACHE:-/var/cache/talvex-fresh}

# The suite of the release a script is named, by number (13, 12) or by name; fails otherwise.
debian_release() {
    case $1 in
    13 | trixie) echo trixie ;;
    12 | bookworm) echo bookworm ;;
    *) return 2 ;;
    esac
}
debian_mirror=http://deb.debian.org/debian

fresh_system() {
    local options=(--variant=minbase --architectures="$2" ${3:+--include="$3"}) lock
    local tarball
    tarball=$(echo "${options[*]} $1 $debian_mirror" | sha256sum | cut -c1-12)
    tarball=$fresh_cache/$1-${2//,/+}-$tarball.tar
    mkdir -p "$fresh_cache"
    exec {lock}>"$tarball.lock"
    if ! flock -n "$lock"; then
        echo "fresh-system: waiting for another run making $tarball" >&2
        flock "$lock"
    fi
    if [ ! -e "$tarball" ]; then
        echo "fresh-system: making $tarball: Debian $1 for $2${3:+, with $3} (once)" >&2
        # Its scratch folder too, which mmdebstrap cannot always delete in the time an
        # interrupt gives it.
        mkdir -p "$tarball.scratch"
        on_exit "rm -rf --one-file-system '$tarball.new' '$tarball.scratch'"
        if ! interruptible env TMPDIR="$tarball.scratch" mmdebstrap --quiet --format=tar \
            "${options[@]}" "$1" "$tarball.new" "$debian_mirror" 2>"$tarball.log"; then
            echo "fresh-system: no fresh $1 for $2 could be made: mmdebstrap said" \
                "$(grep -E '^(E|W):' "$tarball.log" | tail -n 1) (all: $tarball.log)" >&2
            exec {lock}>&-
            return 3
        fi
        mv "$tarball.new" "$tarball"
    fi
    exec {lock}>&-
    fresh_tarball=$tarball
}

# Runs the foreign architecture's programs through QEMU's user-mode emulator, by
# qemu-user-static's own registration: for this script alone where it is not registered.
emulate_architecture() {
    local binfmt=/proc/sys/fs/binfmt_misc name=qemu-$1
    mountpoint -q "$binfmt" || mount -t binfmt_misc binfmt_misc "$binfmt"
    [ ! -e "$binfmt/$name" ] || return 0
    cat "/usr/lib/binfmt.d/$name.conf" >"$binfmt/register"
    on_exit "echo -1 >'$binfmt/$name'"
}

enter_fresh_system() {
    root=$(mktemp -d "$fresh_cache/system.XXXXXX")
    if ${keep_root:-false}; then
        on_exit "echo 'The system stays in $root' >&2"
    else
        # --one-file-system: a mount that outlived its namespace is never deleted through.
        on_exit "rm -rf --one-file-system '$root'"
    fi
    tar -xf "$1" -C "$root"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
}

# What the system shares with this machine, by bind mount: the virtual displays' sockets, and
# any further folders that $shared names. Its /tmp is its own, and goes with it.
shared=()
start_in_root() {
    setsid setpriv --pdeathsig KILL unshare --mount --pid --fork --kill-child sh -c '
        root=$1 shared=$2
        shift 2
        for dir in /dev /sys /tmp/.X11-unix $shared; do
            [ ! -e "$dir" ] || { mkdir -p "$root$dir" && mount --rbind "$dir" "$root$dir"; }
        done
        mount -t proc proc "$root/proc"
        exec chroot "$root" "$@"' sh "$root" "${shared[*]}" \
        env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 TERM=dumb \
        DEBIAN_FRONTEND=noninteractive TALVEX_FRESH_CACHE="$fresh_cache" ${CI:+CI="$CI"} \
        ${TALVEX_ASSUME_NO_32BIT:+TALVEX_ASSUME_NO_32BIT="$TALVEX_ASSUME_NO_32BIT"} "$@" &
    in_root_pid=$!
    on_exit "stop_group $in_root_pid"
}
in_root() {
    local code=0
    start_in_root "$@"
    wait "$in_root_pid" || code=$?
    return "$code"
}
