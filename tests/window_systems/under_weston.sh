#!/bin/sh
# Runs a command as the client of a headless weston of its own: a private
# runtime folder (mode 0700, as Wayland requires), its own socket, and Qt's
# Wayland platform. Weston's output and the command's status come back.
set -eu
runtime=$(mktemp -d /tmp/lexoria-wayland-XXXXXX)
weston --backend=headless-backend.so --socket=lexoria --idle-time=0 \
  --log="$runtime/weston.log" &
weston=$!
trap 'kill "$weston" 2>/dev/null; wait "$weston" 2>/dev/null; cat "$runtime/weston.log" >&2; rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"
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
