#!/usr/bin/env bash
# Usage: tests/distro.sh [--reuse] RELEASE   (RELEASE: bookworm or trixie; as root)
# Runs ./test in a fresh minimal root of that Debian release
# (tools/debian_root.sh) and ends with one line that counts the tests of
# every ctest run: "RELEASE: N passed, M failed". The log is /var/tmp/lexoria-distro-RELEASE.log.
set -euo pipefail

release=${*: -1}
case "$*" in
  bookworm|trixie|"--reuse bookworm"|"--reuse trixie") ;;
  *) echo "usage: $0 [--reuse] bookworm|trixie" >&2; exit 2 ;;
esac
log=/var/tmp/lexoria-distro-$release.log
start=$SECONDS status=0
"$(dirname "$0")/../tools/debian_root.sh" "$@" ./test >"$log" 2>&1 || status=$?
echo "./test in $release ended with status $status after $((SECONDS - start)) s (log: $log)"
grep -E '^[0-9]+% tests passed|\((Skipped|Failed|Timeout)\)' "$log" || true

# Each ctest run ends with "P% tests passed, F tests failed out of T", where
# the passed include the skipped, which ctest lists as "(Skipped)".
read -r passed failed < <(sed -nE 's/^[0-9]+% tests passed, ([0-9]+) tests? failed out of ([0-9]+)$/\1 \2/p' "$log" |
  awk '{ failed += $1; passed += $2 - $1 } END { print passed + 0, failed + 0 }')
# ./test stops at its first failing step: one outside ctest (the set-up, a
# build, the root) counts as one failure.
[ "$status" -eq 0 ] || [ "$failed" -ne 0 ] || { tail -n 20 "$log"; failed=1; }
skipped=$(grep -cE '^[[:space:]]*[0-9]+ - .* \(Skipped\)$' "$log" || true)
echo "$release: $((passed - skipped)) passed, $failed failed"
[ "$status" -eq 0 ] && [ "$failed" -eq 0 ]
