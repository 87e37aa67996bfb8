#!/bin/sh
# Runs a command as the client of a headless weston of its own: a private
# runtime folder (mode 0700, as Wayland requires), its own socket, and Qt's
# Wayland platform. The command's status comes back, and weston's log with
# a failure.
set -eu
runtime=$(mktemp -d /tmp/lexoria-wayland-XXXXXX)
export XDG_RUNTIME_DIR="$runtime"
weston --backend=headless-backend.so --socket=lexoria --idle-time=0 \
  --log="$runtime/weston.log" &
weston=$!
trap 'status=$?; kill "$weston"; wait "$weston" || true
      [ "$status" -eq 0 ] || cat "$runtime/weston.log" >&2; rm -rf "$runtime"; exit "$status"' EXIT
tries=0
until [ -S "$runtime/lexoria" ]; do
  tries=$((tries + 1))
  if [ "$tries" -gt 600 ] || ! kill -0 "$weston" 2>/dev/null; then
    echo "weston did not open its socket" >&2
    exit 1
  fi
  sleep 0.1
done
unset DISPLAY
WAYLAND_DISPLAY=lexoria QT_QPA_PLATFORM=wayland "$@"
