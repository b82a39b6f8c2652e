# shellcheck shell=sh
# Sourced by scripts/package-chroot and scripts/chroot-test: a clean Debian 12
# minbase system made by debootstrap, with /proc and /dev for the programs run
# in it, and its removal. Run as root.

ISOMINT_MIRROR="${ISOMINT_MIRROR:-http://deb.debian.org/debian}"

# chroot_create <folder>: debootstraps bookworm into the empty <folder>.
chroot_create() {
    debootstrap --variant=minbase bookworm "$1" "$ISOMINT_MIRROR" >"$1.debootstrap.log" 2>&1 ||
        { tail -20 "$1.debootstrap.log" >&2; return 1; }
    rm -f "$1.debootstrap.log"
    # No service starts inside (the policy-rc.d convention of chroot builders).
    printf '#!/bin/sh\nexit 101\n' >"$1/usr/sbin/policy-rc.d"
    chmod 755 "$1/usr/sbin/policy-rc.d"
    # The program finds its folder through /proc/self/exe; apt logs through a pty.
    mount -t proc proc "$1/proc"
    mount --bind /dev "$1/dev"
    mount --bind /dev/pts "$1/dev/pts"
}

# chroot_run <folder> <command...>: runs a command in it, without questions.
chroot_run() {
    root="$1"
    shift
    chroot "$root" env DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8 \
        PATH=/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

# chroot_remove <folder>: unmounts and deletes it. The host's /dev is bound
# inside, so nothing is deleted while anything is still mounted there.
chroot_remove() {
    [ -d "$1" ] || return 0
    for mount in "$1/dev/pts" "$1/dev" "$1/proc"; do
        if mountpoint -q "$mount"; then umount "$mount" || umount -l "$mount"; fi
    done
    if grep -q " $1/" /proc/mounts; then
        echo "still mounted below $1; left in place" >&2
        return 1
    fi
    rm -rf --one-file-system "$1"
}
