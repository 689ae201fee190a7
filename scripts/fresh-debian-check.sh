#!/bin/bash
# Runs the README's test command, as root, inside a fresh Debian 12 minimal
# system made here with debootstrap: a missing install step in
# scripts/install-deps.sh then fails on any machine, whatever the host has
# installed. Needs root and Debian's mirror. The system is unmounted and
# removed afterwards, whatever the outcome.
# Usage: scripts/fresh-debian-check.sh [mirror]
set -euo pipefail
cd "$(dirname "$0")/.."
mirror="${1:-http://deb.debian.org/debian}"

if [ "$(id -u)" -ne 0 ]; then
    echo "fresh-debian-check: must run as root (debootstrap, chroot, mount)" >&2
    exit 1
fi
command -v debootstrap >/dev/null || {
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends debootstrap
}

# The test command exactly as the README gives it.
test_command=$(grep -m1 '^\./scripts/install-deps\.sh .*ctest' README.md)
[ -n "$test_command" ] || { echo "fresh-debian-check: no test command in README.md" >&2; exit 1; }

root=$(mktemp -d /var/tmp/quorvel-fresh.XXXXXX)
# mktemp makes the folder private; the root of a system is open to all users.
chmod 0755 "$root"

cleanup() {
    # Processes still running inside (a server a test left behind) keep the
    # mounts busy: end them first.
    for proc in /proc/[0-9]*; do
        if [ "$(readlink "$proc/root" 2>/dev/null)" = "$root" ]; then
            kill -9 "${proc#/proc/}" 2>/dev/null || true
        fi
    done
    for mount in "$root/dev" "$root/proc"; do
        if mountpoint -q "$mount"; then
            umount -R "$mount" 2>/dev/null || umount -R -l "$mount"
        fi
    done
    # --one-file-system: never follow a mount that failed to go away.
    if ! grep -q " $root/" /proc/mounts; then
        rm -rf --one-file-system "$root"
    else
        echo "fresh-debian-check: $root still has mounts; left in place" >&2
    fi
}
trap cleanup EXIT

echo "== debootstrap --variant=minbase bookworm $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.debootstrap.log" 2>&1 || {
    tail -30 "$root.debootstrap.log" >&2
    rm -f "$root.debootstrap.log"
    exit 1
}
rm -f "$root.debootstrap.log"

# Services installed by a package must not start inside the new system.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

mkdir -p "$root/root/quorvel"
# The checkout as it stands: tracked files and new files not ignored.
git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done |
    tar --null -T - -cf - | tar -xf - -C "$root/root/quorvel"

mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev"
mount --make-rslave "$root/dev"

echo "== in the fresh system: $test_command"
chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    /bin/bash -c "cd /root/quorvel && $test_command"
echo "== the README's test command passed on a fresh Debian 12 system"
