#!/usr/bin/env bash
# Peak memory of a generation run stays flat as the caption count grows tenfold. What it
# measures does not depend on load; only its time does, hence the generous ctest timeout.
# Usage: memory_test.sh CLI
set -euo pipefail
cli=$(realpath "$1")
# AddressSanitizer holds freed memory back in its quarantine, so peak RSS grows with the work.
if [ -n "${BRINDLEWICK_SANITIZER_BUILD:-}" ]; then
  echo "skipped: peak memory means nothing under AddressSanitizer"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# peak_kib CAPTIONS: the peak resident size of one run, in KiB.
peak_kib() {
  local captions=$1 dir=$work/out$1
  mkdir "$dir"
  {
    echo "ButtonLayoutFileVersion=400"
    seq -f "LabelText=Caption %g with a longer text" "$captions"
    echo "rgJavascriptOptions=3"
    echo "fWidth=40"
    echo "fHeight=12"
    echo "lblOutputDirectoryFileName=$dir"
  } | sed 's/$/\r/' >"$work/p$captions.blp"
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen python3 -c '
import resource, subprocess, sys
subprocess.run(sys.argv[1:], check=True, stdout=subprocess.DEVNULL)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)' "$cli" generate "$work/p$captions.blp"
  rm -rf "$dir"
}

small=$(peak_kib 1000)
large=$(peak_kib 10000)
growth=$((large - small))
echo "peak RSS: 1,000 captions $small KiB, 10,000 captions $large KiB, growth $growth KiB"
# It grew by 12 MiB while the page was built in memory; the caption list itself needs ~1.
if [ "$growth" -gt 3072 ]; then
  echo "FAIL: peak memory grows by $growth KiB for 9,000 more captions" >&2
  exit 1
fi
