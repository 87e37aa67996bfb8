#!/usr/bin/env bash
# lexoria-search --write on a generated statute: for each typed query the
# found.html written, the pages listed and the exit status must equal the
# ones kept beside this script.
# Usage: search_end_to_end.sh LEXORIA_SEARCH MAKE_STATUTE [--update]
set -uo pipefail
program=$1 make_statute=$2 update=${3:-}
here=$(dirname "$0")
app=$(mktemp -d) && trap 'rm -rf "$app"' EXIT
/usr/bin/python3 "$make_statute" "$app" --pages 12 --page-bytes 4000 --plant Xylofon=2,5,11 --plant "xylo  fon=7"
cp "$here/slo.lng" "$app/"

# Name and words as typed, UTF-8 as on a command line.
queries=(
  "capitals|Xylofon" "windows_capitals|ŠOTOR" "two_words_and_comma|Žaga,|ŠKODA"
  "space_runs|  ZAKON|||O  " "hyphen|xylo|-|fon" "only_in_markup|charset"
  "mixed_case|ČeBeLa" "brackets_dropped|(3)" "nowhere|xyzzy" "missing_character|a中"
  "punctuation_leaves_a_space|?!|..."
)
failures=0
for entry in "${queries[@]}"; do
  IFS='|' read -r -a words <<<"$entry"
  name=${words[0]}
  rm -f "$app/found.html"
  "$program" --write "$app" "${words[@]:1}" >"$app/listing"
  { echo "status $?"; cat "$app/listing" "$app/found.html"; } >"$app/actual"
  if [[ $update == --update ]]; then
    cp "$app/actual" "$here/$name.expected"
  elif ! cmp -s "$app/actual" "$here/$name.expected"; then
    echo "$name: got"; cat -A "$app/actual"; failures=$((failures + 1))
  fi
done

# A query with nothing left after normalisation prints and writes nothing.
rm -f "$app/found.html"
listing=$("$program" --write "$app" "  ")
status=$?
if [[ $status != 1 || -n $listing || -e $app/found.html ]]; then
  echo "empty query: status $status, printed '$listing'"; failures=$((failures + 1))
fi
echo "${#queries[@]} queries and the empty one, $failures failed"
exit $((failures > 0))
