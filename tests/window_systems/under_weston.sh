#!/bin/sh
# Runs a command as the client of a headless weston of its own: a private
# runtime folder (mode 0700, as Wayland requires), its own socket, and Qt's
# Wayland platform. The command's status comes back, and weston's log with
# a failure.
set -eu
export XDG_RUNTIME_DIR="$(mktemp -d /tmp/lexoria-wayland-XXXXXX)"
weston --backend=headless-backend.so --socket=lexoria --idle-time=0 --log="$XDG_RUNTIME_DIR/weston.log" &
trap 'status=$?; kill $! 2>/dev/null || true; wait $! || true; [ "$status" -eq 0 ] || cat "$XDG_RUNTIME_DIR/weston.log" >&2
      rm -rf "$XDG_RUNTIME_DIR"; exit "$status"' EXIT
# Up to a minute for the socket, as long as weston runs.
for _ in $(seq 600); do
  [ -S "$XDG_RUNTIME_DIR/lexoria" ] || ! kill -0 $! 2>/dev/null && break
  sleep 0.1
done
# A compositor that cannot start here is the machine's limit, not the
# reader's fault: the test steps aside (status 77, CTest's SKIP_RETURN_CODE).
[ -S "$XDG_RUNTIME_DIR/lexoria" ] || { echo "skipped: weston did not open its socket here" >&2; exit 77; }
unset DISPLAY
WAYLAND_DISPLAY=lexoria QT_QPA_PLATFORM=wayland "$@"
