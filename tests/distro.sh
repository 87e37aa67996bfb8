#!/usr/bin/env bash
# Usage: tests/distro.sh [--reuse] RELEASE   (RELEASE: bookworm or trixie; as root)
# Makes a minimal root of that Debian release in /var/tmp/lexoria-distro/RELEASE,
# clones this checkout's HEAD into it and runs ./test there, as a new user's
# machine would; the last line counts the tests of every ctest run:
# "RELEASE: N passed, M failed". The root is made afresh unless --reuse is
# given and a finished one is there; either way the clone is new. The log
# stays beside the root.
set -euo pipefail

reuse=no
if [ "${1:-}" = --reuse ]; then reuse=yes; shift; fi
release=${1:-}
case "$release" in
  bookworm|trixie) ;;
  *) echo "usage: $0 [--reuse] bookworm|trixie" >&2; exit 2 ;;
esac
[ "$(id -u)" -eq 0 ] || { echo "$0: debootstrap and chroot need root" >&2; exit 2; }
command -v debootstrap >/dev/null || { echo "$0: needs debootstrap (apt-get install debootstrap)" >&2; exit 2; }

top=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
head=$(git -C "$top" rev-parse HEAD)
base=/var/tmp/lexoria-distro
root=$base/$release
log=$base/$release.log
# The archive this machine's apt already reaches, else Debian's own.
mirror=$(grep -hoE '^[^#]*https?://[^ ]+/debian/?( |$)' /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
  /etc/apt/sources.list.d/*.sources 2>/dev/null | grep -oE 'https?://[^ ]+' | head -n 1 || true)
mirror=${mirror:-http://deb.debian.org/debian}

mounts=(proc sys dev dev/pts dev/shm)
unmount_all() {
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    if mountpoint -q "$root/${mounts[i]}"; then umount "$root/${mounts[i]}" || umount -l "$root/${mounts[i]}"; fi
  done
}
trap unmount_all EXIT
# Whatever an interrupted run left mounted goes before the root is removed.
unmount_all

mkdir -p "$base"
if [ $reuse = no ] || [ ! -e "$root/.lexoria-root-made" ]; then
  rm -rf --one-file-system "$root"
  echo "Making a minimal $release root in $root from $mirror"
  debootstrap --variant=minbase "$release" "$root" "$mirror" >"$base/$release-debootstrap.log" 2>&1 ||
    { tail -n 20 "$base/$release-debootstrap.log" >&2; exit 1; }
  touch "$root/.lexoria-root-made"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
for m in "${mounts[@]}"; do mount --bind "/$m" "$root/$m"; done

rm -rf --one-file-system "$root/root/lexoria"
git clone -q "$top" "$root/root/lexoria"
git -C "$root/root/lexoria" checkout -q --detach "$head"

echo "Running ./test at $head in $release (log: $log)"
start=$SECONDS
status=0
chroot "$root" env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
  bash -c 'cd /root/lexoria && ./test' >"$log" 2>&1 || status=$?
echo "./test ended with status $status after $((SECONDS - start)) s"
grep -E '^[0-9]+% tests passed|\(Skipped\)|\(Failed\)|\(Timeout\)|\*\*\*' "$log" || true

# Each ctest run ends with "P% tests passed, F tests failed out of T".
read -r passed failed < <(sed -nE 's/^[0-9]+% tests passed, ([0-9]+) tests? failed out of ([0-9]+)$/\1 \2/p' "$log" |
  awk '{ failed += $1; passed += $2 - $1 } END { print passed + 0, failed + 0 }')
# ./test stops at its first failing step; one that failed outside ctest (the
# set-up, a build) counts as one failure.
if [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; then
  tail -n 20 "$log"
  failed=1
fi
echo "$release: $passed passed, $failed failed"
[ "$status" -eq 0 ] && [ "$failed" -eq 0 ]
