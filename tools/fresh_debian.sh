#!/usr/bin/env bash
# Runs a command on a clone of this repository's committed state inside a
# fresh minimal Debian root, as on a newcomer's machine with nothing but the
# base system installed: the README's commands must set up everything else.
#
#   tools/fresh_debian.sh trixie bash tools/test.sh    # the test command on Debian 13
#   KEEP_ROOT=1 tools/fresh_debian.sh trixie bash tools/run.sh
#
# Needs root, debootstrap (installed when missing) and the package sources of
# this machine, which the root uses too. The minimal root is made once with
# debootstrap and kept in /var/cache/vantrel/debian-SUITE.tar; the packages
# the root downloads are kept beside it, so a later run installs the same
# packages without downloading them again. Each run unpacks a new root into
# build/fresh-debian-SUITE/ and removes it afterwards (KEEP_ROOT=1 keeps it).
# Exits with the command's status.
set -euo pipefail

[ $# -ge 2 ] || { echo "usage: $0 SUITE COMMAND [ARGS...]" >&2; exit 2; }
suite=$1
shift
[[ "$suite" =~ ^[a-z]+$ ]] || { echo "fresh_debian.sh: no Debian suite '$suite'" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "fresh_debian.sh: needs root (debootstrap, chroot, mount)" >&2; exit 2; }
project=$(cd "$(dirname "$0")/.." && pwd)
cache=/var/cache/vantrel
base=$cache/debian-$suite.tar
archives=$cache/debian-$suite-archives
work=$project/build/fresh-debian-$suite
root=$work/root

# The suites of this machine's package sources, renamed for the root's.
sources() {
    local this
    this=$(. /etc/os-release && echo "$VERSION_CODENAME")
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed "s/\b$this\b/$suite/g" /etc/apt/sources.list.d/debian.sources
    else
        sed "s/\b$this\b/$suite/g" /etc/apt/sources.list
    fi
}
mirror() {
    { sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null
      awk '/^deb /{print $2}' /etc/apt/sources.list 2>/dev/null; } | grep -v security | head -n 1
}

# Every process still running inside the root is ended, so that nothing it
# started (a display server, a Wine server) outlives the run or keeps its
# mounts busy.
end_processes_in_root() {
    local link pid
    for link in /proc/[0-9]*/root; do
        [ "$(readlink "$link" 2>/dev/null)" = "$root" ] || continue
        pid=${link#/proc/}
        kill -KILL "${pid%/root}" 2>/dev/null || true
    done
}
cleanup() {
    end_processes_in_root
    local mount
    for mount in "$root/var/cache/apt/archives" "$root/dev/shm" "$root/proc"; do
        if mountpoint -q "$mount"; then umount "$mount" || umount -l "$mount"; fi
    done
    if [ "${KEEP_ROOT:-0}" = 1 ]; then
        echo "fresh_debian.sh: root kept in $root"
    else
        rm -rf "$work"
    fi
}

if [ ! -s "$base" ]; then
    command -v debootstrap >/dev/null ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q -o DPkg::Lock::Timeout=600 debootstrap
    mkdir -p "$cache"
    rm -rf "$work"
    mkdir -p "$root"
    echo "fresh_debian.sh: making a minimal Debian $suite root (once)"
    debootstrap --variant=minbase "$suite" "$root" "$(mirror)" >"$work/debootstrap.log" 2>&1 ||
        { tail -n 20 "$work/debootstrap.log" >&2; echo "fresh_debian.sh: debootstrap failed" >&2; exit 2; }
    tar -C "$root" -cf "$base.new" . && mv "$base.new" "$base"
    rm -rf "$work"
fi

rm -rf "$work"
mkdir -p "$root" "$archives"
trap cleanup EXIT
tar -C "$root" -xf "$base"
rm -f "$root/etc/apt/sources.list" "$root"/etc/apt/sources.list.d/*
sources >"$root/etc/apt/sources.list.d/debian.sources"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
mkdir -p "$root/dev/shm" && mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
mount --bind "$archives" "$root/var/cache/apt/archives"
git clone -q "$project" "$root/root/project"

in_root() {
    chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 CI="${CI:-}" \
        FRESH_DEBIAN_SUITE="$suite" PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        /bin/bash -c "$1" </dev/null
}
# git, to clone the project as a newcomer would have; nothing else.
in_root 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends git ca-certificates' \
    >"$work/git.log" 2>&1 || { tail -n 20 "$work/git.log" >&2; echo "fresh_debian.sh: could not install git" >&2; exit 2; }
start=$(date +%s)
echo "fresh_debian.sh: running '$*' in a fresh Debian $suite root"
set +e
in_root "cd /root/project && $(printf '%q ' "$@")"
status=$?
set -e
echo "fresh_debian.sh: '$*' in a fresh Debian $suite root: status $status after $(($(date +%s) - start)) s"
exit "$status"
