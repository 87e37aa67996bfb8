#!/bin/sh
# Starts the reader from the user's own copy of the installed application
# directory. The reader writes its results page beside its pages, which an
# installed folder does not allow, so each user gets a copy under
# ${XDG_DATA_HOME:-~/.local/share}/@LEXORIA_PACKAGE_NAME@.
#
# The installed directory lists its files with their sizes and digests, and
# the copy keeps the list it was made from: a list that differs from the
# installed one means a copy of another build, even one of the same version;
# files whose paths or sizes differ from the list mean a damaged copy. Either
# way the copy is made anew, in a temporary folder beside it that is renamed
# into place once whole, so a failed copy never starts.
set -eu

name='@LEXORIA_PACKAGE_NAME@'
manifest=.installed-files

fail() {
    printf '%s: %s\n' "$name" "$*" >&2
    exit 1
}

# The installed directory lies at ../lib/NAME from this script, wherever the
# package was unpacked.
launcher=$(readlink -f -- "$0")
installed=$(dirname -- "$(dirname -- "$launcher")")/lib/$name
{ [ -x "$installed/lexoria" ] && [ -r "$installed/$manifest" ]; } || fail "no reader installed in $installed"

if [ -z "${XDG_DATA_HOME:-}" ] && [ -z "${HOME:-}" ]; then
    fail "neither XDG_DATA_HOME nor HOME is set, so there is no place for your copy of the reader"
fi
data=${XDG_DATA_HOME:-$HOME/.local/share}
copy=$data/$name
temporary=$data/.$name-new.

# Paths and sizes, as the list has them, of the copy's files but the list
# itself and the results page, whole or in the temporary file it is written to.
copy_files() {
    find "$copy" -type f ! -path "$copy/$manifest" ! -name found.html ! -name 'found.html.partial-??????' \
        -printf '%s %P\n' | LC_ALL=C sort
}

listed_files() {
    cut -d ' ' -f 1,3- "$copy/$manifest" | LC_ALL=C sort
}

is_current() {
    cmp -s -- "$installed/$manifest" "$copy/$manifest" && [ -x "$copy/lexoria" ] \
        && [ "$(copy_files)" = "$(listed_files)" ]
}

# Temporary folders exist only while a start holds the lock, so any found
# without it were left by a start that was killed.
has_leftovers() {
    for left in "$temporary"*; do
        [ -e "$left" ] && return 0
    done
    return 1
}

# Copies the installed directory into a fresh folder beside the copy and
# swaps it in.
refresh_copy() {
    fresh=$(mktemp -d -- "${temporary}XXXXXX") || fail "cannot create a folder in $data"
    trap 'rm -rf -- "$fresh"' EXIT
    cp -R -- "$installed/." "$fresh/" \
        || fail "cannot copy the reader into $data (is the disc full or the folder not writable?)"
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

if ! is_current || has_leftovers; then
    mkdir -p -- "$data" 2>/dev/null || fail "cannot create $data"
    # One start at a time makes the copy; a second waits and finds it made.
    touch -- "$data/.$name.lock" 2>/dev/null || fail "cannot write in $data"
    exec 9>>"$data/.$name.lock"
    flock 9
    rm -rf -- "$temporary"*
    is_current || refresh_copy
    exec 9>&-
fi

# Chromium refuses to run its sandbox as root; everyone else keeps it.
if [ "$(id -u)" -eq 0 ]; then
    export QTWEBENGINE_DISABLE_SANDBOX=1
fi
exec "$copy/lexoria"
