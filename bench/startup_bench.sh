#!/usr/bin/env bash
# Times the reader's start, from launch to the home page's DocumentComplete,
# against a bare web view loading the same home page; prints the median and
# the spread of several runs of each, in milliseconds.
#
#   bench/startup_bench.sh [build directory] [runs]
#
# Needs the targets startup_probe and bare_view built. Runs in a
# virtual X server of its own when no display is set.
set -euo pipefail

build=$(realpath "${1:-build}")
runs=${2:-9}

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$runs"
fi

export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu

home="$build/app/index.html"
reader="$build/bench/startup_probe"
bare="$build/bench/bare_view"
# shellcheck source=bench/summary.sh
source "$(dirname "$0")/summary.sh"

for file in "$home" "$reader" "$bare"; do
  [ -e "$file" ] || { echo "missing: $file" >&2; exit 1; }
done

# One start of a program with the launch time and the further arguments;
# prints its milliseconds to ready.
time_start() {
  timeout 60 "$1" "$(date +%s%N)" "${@:2}" 2>/dev/null
}

# A first start of each warms the file cache; it is not counted.
time_start "$reader" >/dev/null
time_start "$bare" "$home" >/dev/null

reader_times=() bare_times=()
for ((i = 0; i < runs; i++)); do
  reader_times+=("$(time_start "$reader")")
  bare_times+=("$(time_start "$bare" "$home")")
done

printf 'reader:    '; printf '%s\n' "${reader_times[@]}" | summary ms
printf 'bare view: '; printf '%s\n' "${bare_times[@]}" | summary ms
