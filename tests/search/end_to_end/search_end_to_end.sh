#!/usr/bin/env bash
# lexoria-search --write on a generated statute: for each typed query the
# found.html written, the pages listed and the exit status must equal the
# ones kept beside this script; a query with nothing left after
# normalisation ("empty") prints and writes nothing.
# Usage: search_end_to_end.sh LEXORIA_SEARCH MAKE_STATUTE [--update]
set -uo pipefail
program=$1 update=${3:-} here=$(dirname "$0") app=$(mktemp -d) failures=0
trap 'rm -rf "$app"' EXIT
/usr/bin/python3 "$2" "$app" --pages 12 --page-bytes 4000 --plant Xylofon=2,5,11 --plant "xylo  fon=7"
cp "$here/slo.lng" "$app/"
# Name and words as typed, UTF-8 as on a command line.
queries=(
  "capitals|Xylofon" "windows_capitals|ŠOTOR" "two_words_and_comma|Žaga,|ŠKODA" "space_runs|  ZAKON|||O  "
  "hyphen|xylo|-|fon" "only_in_markup|charset" "mixed_case|ČeBeLa" "brackets_dropped|(3)" "nowhere|xyzzy"
  "missing_character|a中" "punctuation_leaves_a_space|?!|..." "empty|  "
)
for entry in "${queries[@]}"; do
  IFS='|' read -r -a words <<<"$entry"
  rm -f "$app/found.html"
  "$program" --write "$app" "${words[@]:1}" >"$app/listing"
  { echo "status $?"; cat "$app/listing" "$app/found.html" 2>/dev/null; } >"$app/actual"
  if [[ $update == --update ]]; then
    cp "$app/actual" "$here/${words[0]}.expected"
  elif ! cmp -s "$app/actual" "$here/${words[0]}.expected"; then
    echo "${words[0]}: got"; cat -A "$app/actual"; failures=$((failures + 1))
  fi
done
# A pipe in a listed page's place: the search fails at once with status 2,
# naming the index line and the page. The document table's own tests refuse
# the other pages that are no regular file or too large to hold.
page=$app/clen0001.html && rm "$page" && mkfifo "$page"
message=$(timeout 20 "$program" "$app" xylofon 2>&1 >/dev/null)
[[ $? == 2 && $message == "$app/Wlist.idx line 1: the listed page $page: is "* ]] \
  || { echo "pipe page: $message"; failures=$((failures + 1)); }
echo "${#queries[@]} queries and a pipe page, $failures failed"
exit $((failures > 0))
