#!/usr/bin/env bash
# Times a cold start of the wizard up to page 1 painted, on a virtual X display: hyperfine
# over the whole wizard_start process (start, first paint, quit), and the in-process time
# to the first paint that the program prints.
# DESIGNER=1 times the designer window instead, up to its preview painted.
# Usage: bench/run_wizard_start_bench.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-${BUILD_DIR:-build}}
program="$build_dir/bin/wizard_start"
[ -x "$program" ] || { echo "build wizard_start first ($program missing)" >&2; exit 2; }
export -n QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash -c '
  "$0" $1 >/dev/null 2>&1   # warm the file cache once
  hyperfine --warmup 3 --runs 30 --style basic "$0 $1 2>/dev/null"
  for i in 1 2 3 4 5; do "$0" $1 2>/dev/null; done
' "$program" "$([ "${DESIGNER:-0}" = 1 ] && echo --designer)"
