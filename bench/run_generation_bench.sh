#!/usr/bin/env bash
# Times the whole `brindlewick-cli generate` process on the project that bench_GenerationRun
# runs in-process: 200 captions, option Both (600 images, 1,800 files, page, project copy),
# written into a folder on /dev/shm. Reports peak memory with /usr/bin/time -v, and compares
# with a Pillow script doing the same file work when python3 has PIL.
# Usage: bench/run_generation_bench.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-${BUILD_DIR:-build}}
cli="$build_dir/bin/brindlewick-cli"
[ -x "$cli" ] || { echo "build brindlewick-cli first ($cli missing)" >&2; exit 2; }
work=$(mktemp -d /dev/shm/brindlewick-gen-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT
project="$work/bench.blp"
out="$work/out"
mkdir "$out"

# The default project with 200 captions, option Both and an installed font.
{
  echo "ButtonLayoutFileVersion=400"
  for n in $(seq 200); do echo "LabelText=Button $n"; done
  echo "rgJavascriptOptions=2"
  echo "fHeight=32"
  echo "fWidth=120"
  for s in 1:Normal:65535:0 2:Selected:16776960:0 3:Pressed:65280:1; do
    IFS=: read -r i name color press <<<"$s"
    echo "rg${name}ButtonBackground=0"
    echo "lbl${name}ButtonBMPfilename="
    echo "image$i.canvas.brush.color=$color"
    echo "cb${name}ButtonPredefinedBitmaps=-1"
    [ "$name" = Normal ] && echo "cbNormalButtonVariableWidth=F"
    echo "rg${name}ButtonBorders=1"
    echo "rg${name}ButtonPress=$press"
    echo "image$i.canvas.font.name=DejaVu Sans"
    echo "image$i.canvas.font.color=-16777208"
    echo "image$i.canvas.font.size=8"
    for style in Bold Italic Underline StrikeOut; do echo "image$i.canvas.font.style.fs$style=F"; done
    echo "rg${name}ButtonTextJustification=1"
    echo "rg${name}ButtonTextOrientation=1"
    echo "cb${name}ButtonPickFontDropShadow=F"
    echo "lbl${name}ButtonPickFontDropShadowColor.color=16777215"
  done
  echo "lblOutputDirectoryFileName=$out"
  echo "edOutputDirectoryFileNamePrefix=BTN"
  echo "cbOutputDirectoryUseLabelsAsNames=F"
  echo "rgHTMLDirection=0"
  echo "rgHTMLMakeTable=0"
  echo "rgImageFileFormat=0"
} | sed 's/$/\r/' >"$project"

"$cli" generate "$project"
[ "$(find "$out" -type f | wc -l)" -eq 1802 ] || { echo "expected 1,802 files" >&2; exit 1; }

echo
echo "== whole process: brindlewick-cli generate (200 captions, Both) =="
if command -v hyperfine >/dev/null; then
  hyperfine --warmup 3 --runs "${RUNS:-20}" "$cli generate $project"
else
  runs=${RUNS:-20}
  start=$(date +%s%N)
  for _ in $(seq "$runs"); do "$cli" generate "$project" >/dev/null; done
  end=$(date +%s%N)
  echo "mean over $runs runs: $(((end - start) / runs / 1000000)) ms"
fi

echo
echo "== peak memory =="
/usr/bin/time -v "$cli" generate "$project" 2>&1 >/dev/null | grep -E "Maximum resident set size|Elapsed"

echo
echo "== Pillow equivalent =="
# Debian's Pillow (python3-pil) is installed for the system interpreter.
py=/usr/bin/python3
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
  if command -v hyperfine >/dev/null; then
    hyperfine --warmup 1 --runs 5 "$py $work/pillow_equivalent.py $work/pillow"
  else
    time "$py" "$work/pillow_equivalent.py" "$work/pillow"
  fi
else
  echo "skipped: no Pillow; tools/install-deps.sh --bench installs python3-pil"
fi
