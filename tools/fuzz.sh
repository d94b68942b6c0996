#!/usr/bin/env bash
# Runs every libFuzzer target of a BRINDLEWICK_FUZZ build for SECONDS each (default 30),
# starting from the committed seeds. New inputs go to <build>/fuzz-work/<target>/, crashes,
# leaks, timeouts and out-of-memory inputs to <build>/fuzz-artifacts/<target>/.
# FUZZ_FLAGS adds libFuzzer options (for example -max_len=65536 on a long run).
# Usage: BUILD_DIR=build-sanitize bash tools/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build-sanitize}
seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(project_file settings_record png jpeg gif bmp webp)
source tools/sanitizer-env.sh
# Freed memory that ASan holds back to catch late uses counts towards the RSS limit; with its
# default 256 MB two large pictures in a row would pass 512 MB that no single input takes.
export ASAN_OPTIONS=$ASAN_OPTIONS:quarantine_size_mb=64
export QT_QPA_PLATFORM=offscreen

# One second or 512 MB per input is the most any input may cost; the timeout leaves headroom
# for the slower instrumented build.
fuzz_one() {
  local t=$1 work="$build_dir/fuzz-work/$1" artifacts="$build_dir/fuzz-artifacts/$1"
  mkdir -p "$work" "$artifacts"
  "$build_dir/bin/fuzz-$t" -max_total_time="$seconds" -rss_limit_mb=512 -timeout=5 \
    -dict="fuzz/$t.dict" -artifact_prefix="$artifacts/" -print_final_stats=1 \
    ${FUZZ_FLAGS:-} "$work" "fuzz/corpus/$t" >"$build_dir/fuzz-$t.log" 2>&1
}

report() {
  local t=$1 status=$2 log="$build_dir/fuzz-$1.log"
  if [ "$status" -eq 0 ]; then
    echo "fuzz-$t: $(grep -E '^stat::(number_of_executed_units|slowest_unit_time_sec|peak_rss_mb)' \
      "$log" | tr '\n' ' ')work corpus: $(ls "$build_dir/fuzz-work/$t" | wc -l) inputs"
  else
    tail -n 60 "$log"
    echo "fuzz-$t FAILED; the input is in $build_dir/fuzz-artifacts/$t/ (full log: $log)"
    failed+=("$t")
  fi
}

# FUZZ_JOBS targets run at once (default 1, as on a shared machine).
jobs=${FUZZ_JOBS:-1}
failed=()
for ((i = 0; i < ${#targets[@]}; i += jobs)); do
  batch=("${targets[@]:i:jobs}")
  echo "fuzzing ${batch[*]} for ${seconds}s"
  pids=()
  for t in "${batch[@]}"; do
    fuzz_one "$t" &
    pids+=($!)
  done
  for k in "${!batch[@]}"; do
    status=0
    wait "${pids[$k]}" || status=$?
    report "${batch[$k]}" "$status"
  done
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]}"
  exit 1
fi
