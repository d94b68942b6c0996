#!/usr/bin/env bash
# Permission refused: run as an unprivileged user, since root passes every check. Each case
# says what it could not do, by name, and leaves nothing behind. Skips (77) unless root with
# setpriv. Usage: permission_test.sh CLI EXAMPLE.blp
set -uo pipefail
source "$(dirname "$0")/cli_test_lib.sh"
[ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null || exit 77
as_nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
"${as_nobody[@]}" test -x "$cli" -a -r "$example" || exit 77

# The folders below belong to root: the user may write only into "open" and "config".
chmod 755 "$work"
mkdir -m 755 "$work/locked"
mkdir -m 777 "$work/open" "$work/config"
# run_as_nobody NAME EXPECTED_EXIT ARGS... ; as run, in the unprivileged user's shoes
run_as_nobody() {
  local name=$1 expected=$2
  shift 2
  XDG_CONFIG_HOME=$work/config "${as_nobody[@]}" "$cli" "$@" >"$work/out" 2>"$work/err"
  local status=$?
  err=$(cat "$work/err")
  [ "$status" -eq "$expected" ] || fail "$name: exit $status, expected $expected; stderr: $err"
}
# nothing_in NAME FOLDER: no file at all, hidden temporaries included
nothing_in() { [ -z "$(ls -A "$2")" ] || fail "$1: left $(ls -A "$2")"; }

run_as_nobody "folder refused" 2 generate "$example" --output-dir "$work/locked/sub"
[ "$err" = "Cannot create folder \"$work/locked/sub\". Permission denied" ] ||
  fail "folder refused: $err"
nothing_in "folder refused" "$work/locked"

# Every image fails by name; the page cannot be written either, so the run fails.
run_as_nobody "files refused" 2 generate "$example" --output-dir "$work/locked"
[ "$(grep -c ': Cannot create file ".*\.jpg"\. Permission denied$' <<<"$err")" -eq 8 ] ||
  fail "files refused: not one line per image: $err"
grep -qxF "$work/locked/btn4s: Cannot create file \"$work/locked/btn4s.jpg\". Permission denied" \
  <<<"$err" || fail "files refused: btn4s not named: $err"
[ "$(tail -n 1 <<<"$err")" = "Cannot create file \"$work/locked/BTNPAGE.html\". Permission denied" ] ||
  fail "files refused: page not named last: $err"
nothing_in "files refused" "$work/locked"

# Files the user may not write stay as they are, named; the rest of the run goes on.
mkdir -m 777 "$work/kept"
echo mine >"$work/kept/btn1.png"
chown nobody "$work/kept/btn1.png"
chmod 444 "$work/kept/btn1.png"
echo root >"$work/kept/btn2s.gif"
run_as_nobody "read-only files" 1 generate "$example" --output-dir "$work/kept"
[ "$err" = "$work/kept/btn1: Error Opening File $work/kept/btn1.png! Permission denied
$work/kept/btn2s: Cannot create file \"$work/kept/btn2s.gif\". Permission denied" ] ||
  fail "read-only files: $err"
[ "$(cat "$work/kept/btn1.png" "$work/kept/btn2s.gif")" = "mine
root" ] || fail "read-only files: replaced"
[ "$(ls -A "$work/kept" | wc -l)" -eq 25 ] || fail "read-only files: $(ls -A "$work/kept")"

cp "$example" "$work/secret.blp"
chmod 600 "$work/secret.blp"
cd "$work" && run_as_nobody "project refused" 2 generate secret.blp --output-dir "$work/open/p"
cd - >/dev/null
[ "$err" = "secret.blp: File access denied" ] || fail "project refused: $err"
[ ! -e "$work/open/p" ] || fail "project refused: folder made"

cp "$example" "$work/picture.png"
chmod 600 "$work/picture.png"
variant "$work/own.blp" "rgNormalButtonBackground=2" "lblNormalButtonBMPfilename=$work/picture.png"
chmod 644 "$work/own.blp"
run_as_nobody "picture refused" 2 generate "$work/own.blp" --output-dir "$work/open/q"
[ "$err" = "$work/own.blp: Error Opening File $work/picture.png! Permission denied" ] ||
  fail "picture refused: $err"
[ ! -e "$work/open/q" ] || fail "picture refused: folder made"

# Stored settings that cannot be read cost a warning, not the run.
mkdir -p "$work/config/brindlewick"
printf '[Software]\n' >"$work/config/brindlewick/brindlewick.ini"
chmod 600 "$work/config/brindlewick/brindlewick.ini"
run_as_nobody "settings refused" 0 generate "$example" --output-dir "$work/open/r"
[ "$err" = "brindlewick: warning: Cannot read file \"$work/config/brindlewick/brindlewick.ini\". Permission denied; the default options are used" ] ||
  fail "settings refused: $err"
[ "$(ls "$work/open/r" | wc -l)" -eq 26 ] || fail "settings refused: not every file written"

finish "brindlewick-cli refused permission"
