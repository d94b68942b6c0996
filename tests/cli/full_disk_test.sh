#!/usr/bin/env bash
# brindlewick-cli generate on a full disk: the files of the previous run stay whole and the run
# ends at once, saying why. Needs to mount a small tmpfs (root); otherwise skipped with exit 77.
# Usage: full_disk_test.sh CLI EXAMPLE.blp
set -uo pipefail
cli=$(realpath "$1")
example=$(realpath "$2")
work=$(mktemp -d)
disk="$work/disk"
mkdir "$disk"
cleanup() {
  mountpoint -q "$disk" && umount "$disk"
  rm -rf "$work"
}
trap cleanup EXIT
if [ "$(id -u)" -ne 0 ] || ! mount -t tmpfs -o size=256k tmpfs "$disk" 2>/dev/null; then
  echo "skipped: cannot mount a small tmpfs here"
  exit 77
fi
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

"$cli" generate "$example" --output-dir "$disk" >/dev/null 2>&1 || fail "first run failed"
cp -a "$disk" "$work/before"
# Fill what is left, then generate other pictures over the same names.
dd if=/dev/zero of="$disk/filler" bs=4k 2>/dev/null
cp -a "$disk/filler" "$work/before/"
sed 's|^image1.canvas.brush.color=.*\r$|image1.canvas.brush.color=255\r|;
     s|^rgNormalButtonBackground=.*\r$|rgNormalButtonBackground=0\r|' "$example" >"$work/red.blp"
"$cli" generate "$work/red.blp" --output-dir "$disk" >"$work/out" 2>"$work/err"
status=$?
# The first image that finds no room ends the run, in one line.
[ "$status" -eq 1 ] || fail "full disk: exit $status, expected 1"
[ "$(wc -l <"$work/err")" -eq 1 ] && grep -qF ". Disk full" "$work/err" ||
  fail "full disk: not one line: $(head -c 500 "$work/err")"
[ ! -s "$work/out" ] || fail "full disk: stdout: $(cat "$work/out")"
diff -r "$disk" "$work/before" >/dev/null || fail "full disk: files changed: $(diff -rq "$disk" "$work/before" | head -3)"

rm "$disk/filler"
"$cli" generate "$work/red.blp" --output-dir "$disk" >/dev/null 2>&1 || fail "room again: run failed"
cmp -s "$disk/btn1.png" "$work/before/btn1.png" && fail "room again: btn1.png not replaced"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "brindlewick-cli on a full disk: all checks passed"
