#!/usr/bin/env bash
# Hostile projects stay within bounded time and memory and say why. Usage: limits_test.sh CLI
set -uo pipefail
source "$(dirname "$0")/cli_test_lib.sh"

# run NAME EXPECTED_EXIT PROJECT_LINES... : a project of those lines, generated into $work/NAME
# with at most 1 GB of address space and 20 s; leaves stderr in $err.
run() {
  local name=$1 expected=$2
  shift 2
  mkdir -p "$work/$name"
  printf '%s\r\n' "$@" >"$work/$name.blp"
  (
    # AddressSanitizer reserves far more address space than it uses, so there the cap is on RSS.
    if [ -n "${BRINDLEWICK_SANITIZER_BUILD:-}" ]; then
      export ASAN_OPTIONS=${ASAN_OPTIONS:-}:hard_rss_limit_mb=1024
    else
      ulimit -v 1048576
    fi
    exec timeout 20 env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen \
      "$cli" generate "$work/$name.blp" --output-dir "$work/$name"
  ) >/dev/null 2>"$work/err"
  local status=$?
  err=$(head -c 100000 "$work/err")
  [ "$status" -eq "$expected" ] || fail "$name: exit $status, expected $expected; stderr: ${err:0:500}"
}

expect_err() { grep -qF -- "$2" <<<"$err" || fail "$1: stderr lacks '$2': ${err:0:500}"; }

limits="(at most 16384 pixels a side and 64 megapixels)"

# One pixel more than 64 megapixels: refused before any pixel memory is taken.
run "area" 1 "fWidth=8193" "fHeight=8193" "LabelText=A" "LabelText=B" "rgJavascriptOptions=1"
expect_err "area" "$work/area/btn1: cannot render a 8193 x 8193 button $limits"
expect_err "area" "$work/area/btn2p: not rendered: the normal button of this caption failed"
[ -f "$work/area/BTNPAGE.html" ] || fail "area: no page"

run "side" 1 "fWidth=300" "fHeight=2147483647" "LabelText=A" "rgJavascriptOptions=3"
expect_err "side" "cannot render a 300 x 2147483647 button $limits"

# A caption of a million characters in a button of variable width.
run "caption" 1 "LabelText=$(head -c 1000000 /dev/zero | tr '\0' W)" \
  "cbNormalButtonVariableWidth=T" "rgJavascriptOptions=3"
expect_err "caption" "btn1: cannot render a button wider than 16384 pixels: the caption is too long"

# A megabyte of digits is quoted by its first 40 characters only.
run "integer" 2 "fHeight=$(head -c 1000000 /dev/zero | tr '\0' 7)x"
expect_err "integer" "'7777777777777777777777777777777777777777...' is not a valid integer value"
[ "$(wc -c <"$work/err")" -lt 300 ] || fail "integer: $(wc -c <"$work/err") bytes of stderr"

run "missing bitmap" 2 "LabelText=A" "rgNormalButtonBackground=2" \
  "lblNormalButtonBMPfilename=$work/nowhere.bmp"
expect_err "missing bitmap" "Cannot open file \"$work/nowhere.bmp\". No such file or directory"

# 35 bytes of GIF declare a 16384 x 4096 picture: it fits at its own size, never doubled.
printf 'GIF89a\x00\x40\x00\x10\x80\x00\x00\x00\x00\x00\xff\xff\xff,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x4c\x01\x00;' \
  >"$work/huge.gif"
run "twin" 1 "LabelText=A" "rgJavascriptOptions=0" "rgSelectedButtonBackground=2" \
  "lblSelectedButtonBMPfilename=$work/huge.gif" "HiDpiImages=T"
expect_err "twin" "btn1s@2x: cannot double the background picture to 32768 x 8192 pixels $limits"
for f in btn1.png btn1@2x.png btn1s.png; do
  [ -f "$work/twin/$f" ] || fail "twin: $f not written"
done

# The same 35 bytes as every state's picture: 16384 x 4096 buttons would take gigabytes. The run
# is refused with its figures before any picture is decoded, and nothing is written.
states=()
for state in Normal Selected Pressed; do
  states+=("rg${state}ButtonBackground=2" "lbl${state}ButtonBMPfilename=$work/huge.gif")
done
run "budget" 2 "LabelText=A" "rgJavascriptOptions=2" "${states[@]}"
expect_err "budget" "$work/budget.blp: This run would take 1536 MB of memory, more than the 320 MB a run may use, mostly for its 16384 x 4096 buttons."
[ -z "$(ls -A "$work/budget")" ] || fail "budget: files written"

# A 16384-pixel-wide button fits every format but WebP: refused before any file is written.
printf 'GIF89a\x00\x40\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x4c\x01\x00;' \
  >"$work/wide.gif"
run "webp" 2 "LabelText=A" "rgJavascriptOptions=3" "rgNormalButtonBackground=2" \
  "lblNormalButtonBMPfilename=$work/wide.gif" "WebPImages=T"
expect_err "webp" "Cannot write \"$work/webp/btn1.webp\": a WebP picture is at most 16383 pixels a side, and this one would be 16384 x 1 pixels."
[ -z "$(ls -A "$work/webp")" ] || fail "webp: files written"

# A 16 x 16 run-length bitmap padded to 3 GB: no more is read than its rows can need.
python3 - "$work/rle.bmp" <<'PY'
import struct, sys
rle = b"\x10\x01\x00\x00" * 16 + b"\x00\x01"
palette = b"\x00\x00\x00\x00\xff\xff\xff\x00"
offset = 14 + 40 + len(palette)
head = b"BM" + struct.pack("<IHHI", offset + len(rle), 0, 0, offset)
info = struct.pack("<IiiHHIIiiII", 40, 16, 16, 1, 8, 1, len(rle), 2835, 2835, 2, 0)
open(sys.argv[1], "wb").write(head + info + palette + rle)
PY
truncate -s 3G "$work/rle.bmp"
run "rle" 0 "LabelText=A" "rgJavascriptOptions=3" "rgNormalButtonBackground=2" \
  "lblNormalButtonBMPfilename=$work/rle.bmp"
[ -f "$work/rle/btn1.png" ] || fail "rle: btn1.png not written"

# A folder given as a picture keeps its classic words, and the name follows them.
mkdir "$work/folder.png"
run "folder" 2 "LabelText=A" "rgNormalButtonBackground=2" "lblNormalButtonBMPfilename=$work/folder.png"
expect_err "folder" "$work/folder.blp: Error Reading File! ($work/folder.png)"

finish "brindlewick-cli limits"
