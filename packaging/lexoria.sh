#!/bin/sh
# Starts the reader from the user's own copy of the installed application
# directory. The reader writes its results page beside its pages, which an
# installed folder does not allow, so each user gets a copy under
# ${XDG_DATA_HOME:-~/.local/share}/@LEXORIA_PACKAGE_NAME@.
#
# The copy holds the folder's files and, in the program's place, a symbolic
# link to the installed program, which takes the folder of the link it was
# started by as its own. Only the installed file, which the user cannot write,
# is ever run: AppArmor gives the rights of the package's profile by the path
# the link leads to, so nothing the user puts in the copy gets them.
#
# The installed directory lists its files and links with their sizes and
# digests, and the copy keeps the list it was made from: a list that differs
# from the installed one means a copy of another build, even one of the same
# version; files or links whose paths or sizes differ from the list, or a
# program that is not the link, mean a damaged copy. Either way the copy is
# made anew, in a temporary folder beside it that is renamed into place once
# whole, so a failed copy never starts.
set -eu
unset CDPATH

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
program=$installed/lexoria
{ [ -x "$program" ] && [ -r "$installed/$manifest" ]; } || fail "no reader installed in $installed"

if [ -z "${XDG_DATA_HOME:-}" ] && [ -z "${HOME:-}" ]; then
    fail "neither XDG_DATA_HOME nor HOME is set, so there is no place for your copy of the reader"
fi
data=${XDG_DATA_HOME:-$HOME/.local/share}
copy=$data/$name
# A package name holds no dot, so the files of package NAME beside the copy,
# ".NAME.lock" and ".NAME.new-*", are never another package's.
temporary=$data/.$name.new-

# Types, sizes and paths, as the list has them, of the copy's files and links
# but the list, the program's link and the results page, whole or in the
# temporary file it is written to. The copy's path may hold characters that
# find takes as a pattern, so only names inside it are matched.
copy_files() {
    (cd -P -- "$copy" && find . -mindepth 1 \( -type f -o -type l \) ! -path "./$manifest" ! -path ./lexoria \
        ! -name found.html ! -name 'found.html.partial-??????' -printf '%y %s %P\n') | LC_ALL=C sort
}

listed_files() {
    cut -d ' ' -f 1,2,4- "$copy/$manifest" | grep -v -x 'f [0-9]* lexoria' | LC_ALL=C sort
}

is_current() {
    cmp -s -- "$installed/$manifest" "$copy/$manifest" && [ -L "$copy/lexoria" ] \
        && [ "$(readlink -- "$copy/lexoria")" = "$program" ] && [ "$(copy_files)" = "$(listed_files)" ]
}

# Temporary folders exist only while a start holds the lock, so any found
# without it were left by a start that was killed.
has_leftovers() {
    for left in "$temporary"*; do
        [ -e "$left" ] && return 0
    done
    return 1
}

# Copies the installed directory, links as links, into a fresh folder beside
# the copy, with a link in the program's place, and swaps it in.
refresh_copy() {
    fresh=$(mktemp -d -- "${temporary}XXXXXX") || fail "cannot create a folder in $data"
    trap 'rm -rf -- "$fresh"' EXIT
    { find "$installed" -mindepth 1 -maxdepth 1 ! -name lexoria -exec cp -RP -t "$fresh" -- {} + \
        && ln -s -- "$program" "$fresh/lexoria"; } \
        || fail "cannot copy the reader into $data (is the disc full or the folder not writable?)"
    if [ -e "$copy" ] || [ -L "$copy" ]; then
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
