#!/usr/bin/env bash
# brindlewick-cli generate takes the JPEG options and the caption offsets the wizard stored in
# $XDG_CONFIG_HOME/brindlewick/brindlewick.ini. Usage: settings_test.sh CLI EXAMPLE.blp
set -uo pipefail
source "$(dirname "$0")/cli_test_lib.sh"

# A stored byte record in QSettings' INI form, from decimal byte values.
record() {
  local text="" b
  for b in "$@"; do text+=$(printf '\\x%x' "$b"); done
  echo "@ByteArray($text)"
}
zeros() { printf '0 %.0s' $(seq "$1"); }

# store NAME INI-LINES... ; generate the example with that store into $work/NAME
generate() {
  local name=$1
  shift
  mkdir -p "$work/$name/config/brindlewick" "$work/$name/out"
  printf '%s\n' "[Software]" "$@" >"$work/$name/config/brindlewick/brindlewick.ini"
  XDG_CONFIG_HOME="$work/$name/config" "$cli" generate "$project" --output-dir "$work/$name/out" \
    >/dev/null 2>"$work/$name/err" || fail "$name: exit $?: $(cat "$work/$name/err")"
}

# The first value of a JPEG file's first quantisation table.
first_quantiser() {
  od -An -tu1 -v -w1 "$1" | awk 'prev == 255 && $1 == 219 { at = NR } at && NR == at + 4 { print $1; exit } { prev = $1 }'
}

# Left-justified captions, so the offset moves them.
project="$work/left.blp"
sed 's|^rgNormalButtonTextJustification=.*\r$|rgNormalButtonTextJustification=0\r|' "$example" >"$project"

jpeg_quality_10="BRWK400\\fOverrideOptionsJPEG=$(record 10 0 0 0 0 0 1 1 $(zeros 50))"
text_offset_20="BRWK400\\fOverrideOptionsText=$(record 40 0 0 0 20 0 0 0 1 0 0 0)"

generate none
generate jpeg "$jpeg_quality_10"
generate text "$text_offset_20"
generate wrong "BRWK400\\fOverrideOptionsJPEG=10" "$text_offset_20"

# Quality 90 scales the first luminance quantiser 16 to 3, quality 10 to 80.
[ "$(first_quantiser "$work/none/out/btn1.jpg")" = 3 ] || fail "no store: not quality 90"
[ "$(first_quantiser "$work/jpeg/out/btn1.jpg")" = 80 ] || fail "stored quality 10 not used"
cmp -s "$work/none/out/btn1.png" "$work/jpeg/out/btn1.png" || fail "JPEG options changed a PNG"
[ -s "$work/jpeg/err" ] && fail "jpeg: stderr not empty: $(cat "$work/jpeg/err")"

cmp -s "$work/none/out/btn1.png" "$work/text/out/btn1.png" && fail "stored text offset not used"
cmp -s "$work/none/out/btn1.jpg" "$work/text/out/btn1.jpg" && fail "stored text offset not in the JPEG"

# A value of another type: one warning line, that set at its defaults, the other still read.
[ "$(wc -l <"$work/wrong/err")" -eq 1 ] || fail "wrong type: not one line: $(cat "$work/wrong/err")"
grep -qF "Invalid data type for 'fOverrideOptionsJPEG'" "$work/wrong/err" || fail "wrong type: no warning"
[ "$(first_quantiser "$work/wrong/out/btn1.jpg")" = 3 ] || fail "wrong type: not quality 90"
cmp -s "$work/text/out/btn1.png" "$work/wrong/out/btn1.png" || fail "wrong type: text offset lost"

finish "brindlewick-cli with stored settings"
