#!/bin/sh
# Starts the reader from the user's own copy of the installed application
# directory. The reader writes its results page beside its pages, which an
# installed folder does not allow, so each user gets a copy under
# ${XDG_DATA_HOME:-~/.local/share}/lexoria on the first start and whenever
# the installed version changes. The copy is made in a temporary folder
# beside it and renamed into place once whole, so a failed copy never starts.
set -eu

version='@PROJECT_VERSION@'
stamp_name=.installed-version

fail() {
    printf 'lexoria: %s\n' "$*" >&2
    exit 1
}

# The installed directory lies at ../lib/lexoria from this script, wherever
# the package was unpacked.
launcher=$(readlink -f -- "$0")
installed=$(dirname -- "$(dirname -- "$launcher")")/lib/lexoria
[ -x "$installed/lexoria" ] || fail "no reader installed in $installed"

if [ -z "${XDG_DATA_HOME:-}" ] && [ -z "${HOME:-}" ]; then
    fail "neither XDG_DATA_HOME nor HOME is set, so there is no place for your copy of the reader"
fi
data=${XDG_DATA_HOME:-$HOME/.local/share}
copy=$data/lexoria

is_current() {
    [ -x "$copy/lexoria" ] && [ "$(cat -- "$copy/$stamp_name" 2>/dev/null)" = "$version" ]
}

# Copies the installed directory into a fresh folder beside the copy and
# swaps it in; the stamp is written last, so only a whole copy carries it.
refresh_copy() {
    fresh=$(mktemp -d -- "$data/.lexoria-new.XXXXXX") || fail "cannot create a folder in $data"
    trap 'rm -rf -- "$fresh"' EXIT
    cp -R -- "$installed/." "$fresh/" \
        || fail "cannot copy the reader into $data (is the disc full or the folder not writable?)"
    printf '%s\n' "$version" >"$fresh/$stamp_name" 2>/dev/null \
        || fail "cannot finish the copy of the reader in $data (is the disc full?)"
    if [ -e "$copy" ]; then
        mv -- "$copy" "$fresh.old" || fail "cannot move the old copy $copy aside"
    fi
    if ! mv -- "$fresh" "$copy"; then
        [ -e "$fresh.old" ] && mv -- "$fresh.old" "$copy"
        fail "cannot move the new copy into $copy"
    fi
    rm -rf -- "$fresh.old"
    trap - EXIT
}

if ! is_current; then
    mkdir -p -- "$data" 2>/dev/null || fail "cannot create $data"
    # One start at a time makes the copy; a second waits and finds it made.
    touch -- "$data/.lexoria.lock" 2>/dev/null || fail "cannot write in $data"
    exec 9>>"$data/.lexoria.lock"
    flock 9
    is_current || refresh_copy
    exec 9>&-
fi

# Chromium refuses to run its sandbox as root; everyone else keeps it.
if [ "$(id -u)" -eq 0 ]; then
    export QTWEBENGINE_DISABLE_SANDBOX=1
fi
exec "$copy/lexoria"
