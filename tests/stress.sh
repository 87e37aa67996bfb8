#!/usr/bin/env bash
# Runs the window-side suites of build/ (the Qt window and web-view tests,
# the hostile page and the search speed guard, the real-keys driver, the
# screen reader's, the window-manager, Wayland and
# package tests) N times, each run in a virtual X server as ./test runs them,
# beside two CPU-bound processes that take both cores of a small machine, so
# that a wait which holds only on an idle machine shows as a failed run.
# Prints one line per run and, last, "N passed, M failed"; the logs of the
# runs stay in build/stress/. Exit status 0 when every run passed.
set -uo pipefail
cd "$(dirname "$0")/.."

usage="usage: tests/stress.sh N   (runs the window-side suites of an existing build/, as ./test or ./run leave it, N times)"
[[ "${1:-}" =~ ^[1-9][0-9]*$ ]] || { echo "$usage" >&2; exit 2; }
[ -f build/CTestTestfile.cmake ] || { echo "no build/ here; $usage" >&2; exit 2; }
runs=$1
suites='^(reader_window_test|lexoria_picture_file_test|web_browser_test|hostile_page_test|search_speed_guard|startup_test|bundled_start_test|drive_reader|read_by_screen_reader|window_chrome_.*|wayland_reader_test|package)$'

# The web view's settings of ./test (tools/prepare.sh).
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}"

load=()
trap 'kill "${load[@]}" 2>/dev/null' EXIT
trap 'exit 130' INT TERM
for _ in 1 2; do yes >/dev/null & load+=($!); done

mkdir -p build/stress
passed=0 failed=0
for run in $(seq "$runs"); do
  log="build/stress/run$run.log" started=$SECONDS
  if xvfb-run -a -s "-screen 0 1280x1024x24" \
       ctest --test-dir build -R "$suites" --output-on-failure --timeout 900 >"$log" 2>&1; then
    passed=$((passed + 1))
    echo "run $run: passed in $((SECONDS - started)) s"
  else
    failed=$((failed + 1))
    failures=$(awk '/tests FAILED:/ { listed = 1; next } listed && / - / { printf "%s ", $3 }' "$log")
    echo "run $run: FAILED in $((SECONDS - started)) s: ${failures:-see the log} ($log)"
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
