#!/usr/bin/env bash
# The one-shot search of the command line against grep over the same folder
# of 512 pages of 64 KiB, each timed as a whole process: lexoria-search
# should need at most 1.5 times what "grep -F -l -r -i" needs.
#
#   bench/cli_search_bench.sh [build directory] [runs]
#
# Needs the targets lexoria-search and search_bench_statute built.
set -euo pipefail

build=$(realpath "${1:-build}")
runs=${2:-21}
statute="$build/bench/statute"
search="$build/lexoria-search"
# shellcheck source=bench/summary.sh
source "$(dirname "$0")/summary.sh"

for file in "$search" "$statute/Wlist.idx"; do
  [ -e "$file" ] || { echo "missing: $file" >&2; exit 1; }
done

# grep lowers byte by byte in the C locale, as the search lowers its pages.
export LC_ALL=C

# Microseconds of one run of the command, its output dropped.
time_run() {
  local start
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 || true
  echo $((($(date +%s%N) - start) / 1000))
}

# Times both programs in turn for one query, the first as written on the
# command line and the second as the pages spell it in ISO-8859-2.
compare() {
  local name=$1 words=$2 pattern=$3 search_times=() grep_times=()
  time_run "$search" "$statute" "$words" >/dev/null
  time_run grep -F -l -r -i "$pattern" "$statute" >/dev/null
  for ((i = 0; i < runs; i++)); do
    search_times+=("$(time_run "$search" "$statute" "$words")")
    grep_times+=("$(time_run grep -F -l -r -i "$pattern" "$statute")")
  done
  local search_median grep_median
  search_median=$(printf '%s\n' "${search_times[@]}" | median)
  grep_median=$(printf '%s\n' "${grep_times[@]}" | median)
  printf '%s\n  lexoria-search: ' "$name"; printf '%s\n' "${search_times[@]}" | summary us
  printf '  grep:           '; printf '%s\n' "${grep_times[@]}" | summary us
  awk -v s="$search_median" -v g="$grep_median" 'BEGIN { printf "  ratio %.2f (goal <= 1.5)\n", s / g }'
}

compare "no match (xylofon)" xylofon xylofon
compare "every page (člen)" člen $'\xe8len'
