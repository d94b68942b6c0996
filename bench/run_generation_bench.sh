#!/usr/bin/env bash
# Times the whole `brindlewick-cli generate` process on the project that bench_GenerationRun
# runs in-process: 200 captions, option Both (600 images, 1,800 files, page, project copy),
# written into a folder on /dev/shm, against a Pillow script doing the same file work. The
# programs take turns run by run, so load from elsewhere falls on all of them alike; each
# gets the median of its runs. BASELINE_BUILD_DIR, when given, adds another build's CLI to
# the turns (for before/after figures).
#
# Each CLI also runs the project with smooth captions, double-size images and keyboard
# rollovers on (3,602 files), in the same turns, and its time is given against the plain run.
#
# Every run but the first writes into a folder that already holds its files: a regeneration,
# which leaves unchanged files alone. Each CLI also runs into an emptied folder in the same
# turns, and the plain run's time is given against it, with how many files of the regenerated
# folder got a new inode or modification time over all the turns.
# Each CLI also runs the plain project with --webp --css-rollovers (sprites, stylesheet and a
# lossless WebP beside every image), its time given against the plain run and its WebP bytes
# against the PNG bytes of the same run.
#
# LOOKS=1 adds, in the same turns, the project with rounded corners and gradients (RGBA PNG),
# its time against the plain run and its PNG bytes.
#
# Also reports peak memory (/usr/bin/time -v) and total PNG bytes; TEXTURED=1 adds the PNG
# bytes on the textured built-in backgrounds, SCALING=1 the wall time and peak memory at 2,000
# and 20,000 captions, COMPACT=1 the 20,000-caption run with compact PNG files against the
# same run without, in turns (COMPACT_RUNS, default 5), with the PNG bytes of both.
# Usage: bench/run_generation_bench.sh [BUILD_DIR [BASELINE_BUILD_DIR]]
#        RUNS=n (default 7), CPUS=list (taskset, e.g. 0 for one core)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-${BUILD_DIR:-build}}
baseline_dir=${2:-}
runs=${RUNS:-7}
clis=("$build_dir/bin/brindlewick-cli")
[ -n "$baseline_dir" ] && clis+=("$baseline_dir/bin/brindlewick-cli")
for cli in "${clis[@]}"; do
  [ -x "$cli" ] || { echo "build brindlewick-cli first ($cli missing)" >&2; exit 2; }
done
pin=()
[ -n "${CPUS:-}" ] && pin=(taskset -c "$CPUS")
work=$(mktemp -d /dev/shm/brindlewick-gen-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg); ${CPUS:+cpus $CPUS; }$runs runs each"

# Debian's Pillow (python3-pil) is installed for the system interpreter.
py=/usr/bin/python3
pillow=()
if "$py" -c "import PIL" 2>/dev/null; then
  cat >"$work/pillow_equivalent.py" <<'PY'
import sys
from PIL import Image, ImageDraw
out = sys.argv[1]
for n in range(1, 201):
    for suffix, color in (("", (255, 255, 0)), ("s", (0, 255, 255)), ("p", (0, 255, 0))):
        im = Image.new("RGB", (120, 32), color)
        d = ImageDraw.Draw(im)
        d.rectangle((1, 1, 118, 30), outline=(128, 128, 128))
        d.text((35, 10), f"Button {n}", fill=(0, 0, 0))
        stem = f"{out}/btn{n}{suffix}"
        im.save(stem + ".jpg", quality=90)
        im.save(stem + ".png")
        im.convert("P", palette=Image.Palette.WEB, dither=Image.Dither.NONE).save(stem + ".gif")
PY
  mkdir "$work/pillow"
  pillow=("$py" "$work/pillow_equivalent.py" "$work/pillow")
else
  echo "no Pillow: tools/install-deps.sh --bench installs python3-pil"
fi

# A project per CLI, each writing into its own folder; then the same with the further options.
commands=()
names=()
for i in "${!clis[@]}"; do
  mkdir "$work/out$i"
  FURTHER=0 LOOKS=0 bash bench/make_bench_project.sh 200 "$work/out$i" >"$work/bench$i.blp"
  "${clis[$i]}" generate "$work/bench$i.blp" >/dev/null
  [ "$(find "$work/out$i" -type f | wc -l)" -eq 1802 ] || { echo "expected 1,802 files" >&2; exit 1; }
  commands+=("${clis[$i]} generate $work/bench$i.blp")
  names+=("${clis[$i]}")
done
further=${#commands[@]}
for i in "${!clis[@]}"; do
  mkdir "$work/further$i"
  FURTHER=1 LOOKS=0 bash bench/make_bench_project.sh 200 "$work/further$i" >"$work/further$i.blp"
  "${clis[$i]}" generate "$work/further$i.blp" >/dev/null
  [ "$(find "$work/further$i" -type f | wc -l)" -eq 3602 ] || { echo "expected 3,602 files" >&2; exit 1; }
  commands+=("${clis[$i]} generate $work/further$i.blp")
  names+=("${clis[$i]} (further options)")
done
looks=${#commands[@]}
if [ "${LOOKS:-0}" = 1 ]; then
  for i in "${!clis[@]}"; do
    mkdir "$work/looks$i"
    FURTHER=0 LOOKS=1 bash bench/make_bench_project.sh 200 "$work/looks$i" >"$work/looks$i.blp"
    "${clis[$i]}" generate "$work/looks$i.blp" >/dev/null
    commands+=("${clis[$i]} generate $work/looks$i.blp")
    names+=("${clis[$i]} (corners and gradients)")
  done
fi
# Emptied before each of its turns, outside the time.
empty=${#commands[@]}
declare -a emptied
for i in "${!clis[@]}"; do
  FURTHER=0 LOOKS=0 bash bench/make_bench_project.sh 200 "$work/empty$i" >"$work/empty$i.blp"
  emptied[${#commands[@]}]=$work/empty$i
  commands+=("${clis[$i]} generate $work/empty$i.blp")
  names+=("${clis[$i]} (into an empty folder)")
done
stamps() { stat -c '%n %i %y' "$1"/* | LC_ALL=C sort; }
for i in "${!clis[@]}"; do stamps "$work/out$i" >"$work/stamps$i"; done
webp=${#commands[@]}
for i in "${!clis[@]}"; do
  mkdir "$work/webp$i"
  commands+=("${clis[$i]} generate $work/bench$i.blp --webp --css-rollovers --output-dir $work/webp$i")
  names+=("${clis[$i]} (--webp --css-rollovers)")
  ${commands[-1]} >/dev/null
done
if [ ${#pillow[@]} -gt 0 ]; then
  "${pillow[@]}"
  commands+=("${pillow[*]}")
  names+=("Pillow")
fi

median() { sort -n | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }
# timed NAME COMMAND...: appends the command's wall and CPU (user + system) milliseconds to
# $work/wallNAME and $work/cpuNAME.
timed() {
  local name=$1
  shift
  { time "${pin[@]}" "$@" >/dev/null 2>&1; } 2>"$work/time"
  awk '{print $1 * 1000 >> "'"$work/wall$name"'"; print ($2 + $3) * 1000 >> "'"$work/cpu$name"'"}' \
    "$work/time"
}

echo
echo "== whole process, 200 captions, Both: medians of interleaved runs =="
# CPU time (user + system) is shown beside wall time: on a shared machine it moves less.
TIMEFORMAT='%3R %3U %3S'
for _ in $(seq "$runs"); do
  for i in "${!commands[@]}"; do
    if [ -n "${emptied[$i]:-}" ]; then
      rm -rf "${emptied[$i]}"
      mkdir "${emptied[$i]}"
    fi
    # shellcheck disable=SC2086
    timed "$i" ${commands[$i]}
  done
done
declare -a walls cpus
for i in "${!commands[@]}"; do
  walls[$i]=$(median <"$work/wall$i")
  cpus[$i]=$(median <"$work/cpu$i")
  printf '%-50s wall %6.0f ms  cpu %6.0f ms   (walls: %s)\n' "${names[$i]}" "${walls[$i]}" \
    "${cpus[$i]}" "$(sort -n "$work/wall$i" | tr '\n' ' ')"
done
if [ ${#pillow[@]} -gt 0 ]; then
  last=$((${#commands[@]} - 1))
  for i in "${!clis[@]}"; do
    awk -v n="${names[$i]}" -v a="${walls[$i]}" -v b="${walls[$last]}" -v c="${cpus[$i]}" \
      -v d="${cpus[$last]}" 'BEGIN {printf "%-50s %6.3f x Pillow wall, %6.3f x Pillow cpu\n", n, a / b, c / d}'
  done
fi
for i in "${!clis[@]}"; do
  for j in $((further + i)) $((webp + i)) $([ "${LOOKS:-0}" = 1 ] && echo $((looks + i))); do
    awk -v n="${names[$j]}" -v a="${walls[$j]}" -v b="${walls[$i]}" -v c="${cpus[$j]}" \
      -v d="${cpus[$i]}" 'BEGIN {printf "%-50s %6.2f x plain wall, %6.2f x plain cpu\n", n, a / b, c / d}'
  done
done
for i in "${!clis[@]}"; do
  j=$((empty + i))
  changed=$(stamps "$work/out$i" | diff - "$work/stamps$i" | grep -c '^<' || true)
  awk -v n="${names[$i]}" -v a="${walls[$i]}" -v b="${walls[$j]}" -v c="${cpus[$i]}" \
    -v d="${cpus[$j]}" -v f="$changed" 'BEGIN {printf "%-50s regenerating: %6.2f x empty folder wall, %6.2f x cpu; %d of 1802 files got a new inode or time\n", n, a / b, c / d, f}'
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"

echo
echo "== peak memory and PNG bytes, 200 captions =="
for i in "${!clis[@]}"; do
  rss=$(/usr/bin/time -v "${pin[@]}" "${clis[$i]}" generate "$work/bench$i.blp" 2>&1 >/dev/null |
    awk -F': ' '/Maximum resident/ {print $2}')
  echo "${names[$i]}: peak RSS $rss KiB, PNG bytes $(cat "$work/out$i"/*.png | wc -c)"
  png=$(cat "$work/webp$i"/*.png | wc -c)
  webp_bytes=$(cat "$work/webp$i"/*.webp | wc -c)
  awk -v n="${names[$((webp + i))]}" -v w="$webp_bytes" -v p="$png" \
    'BEGIN {printf "%s: WebP bytes %d, %.3f x the PNG bytes of the same run\n", n, w, w / p}'
  [ "${LOOKS:-0}" = 1 ] &&
    echo "${names[$i]}: PNG bytes with corners and gradients $(cat "$work/looks$i"/*.png | wc -c)"
done

if [ "${TEXTURED:-0}" = 1 ]; then
  echo
  echo "== PNG bytes of the 200-caption project on the textured backgrounds B93-B100 =="
  for i in "${!clis[@]}"; do
    total=0
    line=""
    for background in 93 94 95 96 97 98 99 100; do
      rm -rf "$work/textured"
      mkdir "$work/textured"
      bash bench/make_bench_project.sh 200 "$work/textured" "$background" >"$work/textured.blp"
      "${clis[$i]}" generate "$work/textured.blp" >/dev/null
      bytes=$(cat "$work/textured"/*.png | wc -c)
      total=$((total + bytes))
      line+=" B$background=$bytes"
    done
    echo "${names[$i]}: total $total;$line"
  done
  rm -rf "$work/textured"
fi

if [ "${SCALING:-0}" = 1 ]; then
  echo
  echo "== 2,000 and 20,000 captions: wall time and peak RSS =="
  for captions in 2000 20000; do
    for i in "${!clis[@]}"; do
      rm -rf "$work/scale"
      mkdir "$work/scale"
      bash bench/make_bench_project.sh "$captions" "$work/scale" >"$work/scale.blp"
      /usr/bin/time -v "${pin[@]}" "${clis[$i]}" generate "$work/scale.blp" 2>&1 >/dev/null |
        awk -F': ' -v c="$captions" -v n="${names[$i]}" \
          '/Elapsed/ {t = $2} /Maximum resident/ {m = $2} END {printf "%6d captions  %-50s wall %s  peak RSS %d KiB\n", c, n, t, m}'
    done
  done
  rm -rf "$work/scale"
fi

if [ "${COMPACT:-0}" = 1 ]; then
  compact_runs=${COMPACT_RUNS:-5}
  echo
  echo "== 20,000 captions, compact PNG files off and on: medians of $compact_runs interleaved runs =="
  echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
  for i in "${!clis[@]}"; do
    for on in 0 1; do
      mkdir "$work/compact$on-$i"
      COMPACT_PNG=$on bash bench/make_bench_project.sh 20000 "$work/compact$on-$i" >"$work/compact$on-$i.blp"
    done
  done
  for _ in $(seq "$compact_runs"); do
    for i in "${!clis[@]}"; do
      for on in 0 1; do timed "compact$on-$i" "${clis[$i]}" generate "$work/compact$on-$i.blp"; done
    done
  done
  for i in "${!clis[@]}"; do
    for on in 0 1; do
      bytes[on]=$(find "$work/compact$on-$i" -name '*.png' -printf '%s\n' | awk '{s += $1} END {print s}')
      wall[on]=$(median <"$work/wallcompact$on-$i")
      cpu[on]=$(median <"$work/cpucompact$on-$i")
      printf '%-50s compact PNG %-3s wall %6.0f ms  cpu %6.0f ms  PNG bytes %10d   (walls: %s)\n' \
        "${names[$i]}" "$([ $on = 1 ] && echo on || echo off)" "${wall[$on]}" "${cpu[$on]}" \
        "${bytes[$on]}" "$(sort -n "$work/wallcompact$on-$i" | tr '\n' ' ')"
    done
    awk -v n="${names[$i]}" -v a="${wall[1]}" -v b="${wall[0]}" -v c="${cpu[1]}" -v d="${cpu[0]}" \
      -v e="${bytes[1]}" -v f="${bytes[0]}" 'BEGIN {printf "%-50s on: %5.2f x off wall, %5.2f x off cpu, PNG bytes %4.1f%% smaller\n", n, a / b, c / d, 100 * (1 - e / f)}'
  done
  echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
fi
