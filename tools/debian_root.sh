#!/usr/bin/env bash
# Usage: tools/debian_root.sh [--reuse] RELEASE COMMAND...   (as root)
# Runs COMMAND as root in a clone of this checkout's last commit inside a
# minimal root of the Debian release RELEASE (bookworm, trixie), as on a new
# user's machine: /var/tmp/lexoria-distro/RELEASE, made with debootstrap from
# the archive this machine's apt uses. The root is made afresh unless --reuse
# is given and a finished one is there; the clone is always new. Exits with
# COMMAND's status.
set -euo pipefail

reuse=no
if [ "${1:-}" = --reuse ]; then reuse=yes; shift; fi
release=${1:-}
case "$release" in
  bookworm|trixie) shift ;;
  *) echo "usage: $0 [--reuse] bookworm|trixie COMMAND..." >&2; exit 2 ;;
esac
[ $# -gt 0 ] || { echo "usage: $0 [--reuse] bookworm|trixie COMMAND..." >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "$0: debootstrap and chroot need root" >&2; exit 2; }
command -v debootstrap >/dev/null || { echo "$0: needs debootstrap (apt-get install debootstrap)" >&2; exit 2; }

top=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
head=$(git -C "$top" rev-parse HEAD)
root=/var/tmp/lexoria-distro/$release
mirror=$(grep -hoE '^[^#]*https?://[^ ]+/debian/?( |$)' /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
  /etc/apt/sources.list.d/*.sources 2>/dev/null | grep -oE 'https?://[^ ]+' | head -n 1 || true)
mirror=${mirror:-http://deb.debian.org/debian}

if [ $reuse = no ] || [ ! -e "$root/.lexoria-root-made" ]; then
  rm -rf --one-file-system "$root"
  mkdir -p "$root"
  echo "Making a minimal $release root in $root from $mirror"
  debootstrap --variant=minbase "$release" "$root" "$mirror" >"$root.debootstrap.log" 2>&1 ||
    { tail -n 20 "$root.debootstrap.log" >&2; exit 1; }
  touch "$root/.lexoria-root-made"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"

rm -rf --one-file-system "$root/root/lexoria"
git clone -q "$top" "$root/root/lexoria"
git -C "$root/root/lexoria" checkout -q --detach "$head"
echo "Running $* at $head in $release"
# The root becomes the root of a mount and a process namespace of its own, not
# a chroot, in which the kernel refuses user namespaces and with them
# Chromium's sandbox. Its mounts and processes live only there: the kernel
# ends them with the command, or with this script, and the machine keeps
# nothing mounted.
unshare --mount --pid --fork --kill-child --propagation private -- bash -c '
  set -e
  mount --bind "$1" "$1"
  mount -t proc proc "$1/proc"
  mount --rbind /sys "$1/sys"
  mount --rbind /dev "$1/dev"
  mkdir -p "$1/.host"
  cd "$1"
  pivot_root . .host
  umount -l /.host
  shift
  exec env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    bash -c "cd /root/lexoria && exec \"\$@\"" bash "$@"' bash "$root" "$@"
