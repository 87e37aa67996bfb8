#!/usr/bin/env bash
# Resident memory of the reader with a 512-page statute of 32 MiB in memory,
# beside the reader with a one-page statute, a bare web view showing the same
# home page, and the corpus size. The reader should need no more than the view
# plus the corpus, and each page should cost about its size.
#
#   bench/memory_bench.sh [build directory] [pages] [page bytes]
#
# Needs the targets lexoria and bare_view built. Runs in a virtual X server
# of its own when no display is set.
set -euo pipefail

build=$(realpath "${1:-build}")
pages=${2:-512}
page_bytes=${3:-65536}
source_dir=$(cd "$(dirname "$0")/.." && pwd)

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$pages" "$page_bytes"
fi

export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# An application directory with the reader, its skin and language file, and
# a generated statute of the given number of pages.
make_app() {
  local app="$work/app$1"
  mkdir -p "$app"
  cp -r "$build/app/lexoria" "$build/app/slo.lng" "$build/app/Skin" "$app/"
  /usr/bin/python3 "$source_dir/tools/make_statute.py" "$app" --pages "$1" --page-bytes "$page_bytes" >/dev/null
  echo "$app"
}

app=$(make_app "$pages")
small_app=$(make_app 1)
corpus_kib=$(awk -F'"' '{ print $2 }' "$app/Wlist.idx" | (cd "$app" && xargs du -ck --apparent-size) | tail -1 | cut -f1)

# Peak resident memory of the program's own process, in KiB; the program
# is given time to load and show its home page, then stopped.
peak_rss() {
  local report="$work/time.txt"
  /usr/bin/time -f '%M' -o "$report" "$@" >/dev/null 2>&1 &
  local timer=$!
  sleep 15
  pkill -TERM -P "$timer" 2>/dev/null || true
  wait "$timer" 2>/dev/null || true
  tail -1 "$report"
}

reader_kib=$(peak_rss "$app/lexoria")
small_kib=$(peak_rss "$small_app/lexoria")
bare_kib=$(peak_rss "$build/bench/bare_view" 0 "$app/index.html" --stay)

printf 'corpus:             %7d KiB (%d pages)\n' "$corpus_kib" "$pages"
printf 'bare view:          %7d KiB peak resident\n' "$bare_kib"
printf 'reader, one page:   %7d KiB peak resident\n' "$small_kib"
printf 'reader, %3d pages:  %7d KiB peak resident\n' "$pages" "$reader_kib"
printf 'reader - bare view: %7d KiB = corpus + %d KiB\n' \
  "$((reader_kib - bare_kib))" "$((reader_kib - bare_kib - corpus_kib))"
printf 'cost of the pages:  %.2f x their size\n' \
  "$(echo "($reader_kib - $small_kib) / $corpus_kib" | bc -l)"
