#!/usr/bin/env bash
# brindlewick-cli generate: exit codes, messages and files. Usage: generate_test.sh CLI EXAMPLE.blp
set -uo pipefail
source "$(dirname "$0")/cli_test_lib.sh"

count_files() { find "$1" -maxdepth 1 -type f | wc -l; }

# Usage errors.
run "help" 0 --help
grep -qF "generate PROJECT.blp" <<<"$out" || fail "help: no usage on stdout"
run "version" 0 --version
run "no arguments" 2
run "unknown command" 2 render "$example"
run "no project" 2 generate
run "unknown option" 2 generate "$example" --colour
run "two projects" 2 generate "$example" "$example"
run "output dir without value" 2 generate "$example" --output-dir
[ "$err" = "brindlewick-cli: Missing value after '--output-dir'.
Try 'brindlewick-cli --help'." ] || fail "output dir without value: $err"

# Unreadable projects: the reader's message, nothing written.
mkdir "$work/none"
run "missing project" 2 generate "$work/nothing.blp" --output-dir "$work/none"
expect_err "missing project" "File not found"
variant "$work/bad-int.blp" "fHeight=abc"
run "bad integer" 2 generate "$work/bad-int.blp" --output-dir "$work/none"
expect_err "bad integer" "'abc' is not a valid integer value"
variant "$work/bad-ext.blp" "rgNormalButtonBackground=2" "lblNormalButtonBMPfilename=$work/picture.tif"
run "unknown picture" 2 generate "$work/bad-ext.blp" --output-dir "$work/none"
expect_err "unknown picture" "Unknown picture file extension (.tif)"
[ "$(count_files "$work/none")" -eq 0 ] || fail "unreadable projects wrote files"

# Everything written: 4 captions x (Normal + Selected) x 3 formats + page + copy.
mkdir "$work/all"
run "example" 0 generate "$example" --output-dir "$work/all"
[ -z "$err" ] || fail "example: stderr not empty: $err"
[ "$out" = "Wrote 8 of 8 images (26 files), $work/all/BTNPAGE.html and $work/all/btnproject.blp" ] ||
  fail "example: stdout: $out"
[ "$(count_files "$work/all")" -eq 26 ] || fail "example: $(count_files "$work/all") files, expected 26"
for f in btn1.jpg btn1.png btn1.gif btn4s.gif BTNPAGE.html btnproject.blp; do
  [ -s "$work/all/$f" ] || fail "example: $f missing"
done
# The copy is the example itself with the output directory given on the command line.
variant "$work/expected-copy.blp" "lblOutputDirectoryFileName=$work/all"
cmp -s "$work/expected-copy.blp" "$work/all/btnproject.blp" || fail "example: project copy differs"
grep -qF 'src="btn4s.png"' "$work/all/BTNPAGE.html" || fail "example: page does not show btn4s.png"

# An own background image in PNG, read through the registered decoders.
mkdir "$work/png"
variant "$work/png.blp" "rgNormalButtonBackground=2" "lblNormalButtonBMPfilename=$work/all/btn2.png"
run "own PNG background" 0 generate "$work/png.blp" --output-dir "$work/png"
[ -s "$work/png/btn2.png" ] || fail "own PNG background: btn2.png missing"

# The project's own output directory when none is given; no display needed either way.
mkdir "$work/own"
variant "$work/own.blp" "lblOutputDirectoryFileName=$work/own" "rgJavascriptOptions=3"
run "own output directory" 0 generate "$work/own.blp"
[ "$(count_files "$work/own")" -eq 14 ] || fail "own output directory: $(count_files "$work/own") files"

# An empty folder given on the command line is refused, not taken as the current one.
mkdir "$work/cwd"
pushd "$work/cwd" >/dev/null
run "empty output dir" 2 generate "$example" --output-dir ""
expect_err "empty output dir" "--output-dir needs a folder"
popd >/dev/null
[ "$(count_files "$work/cwd")" -eq 0 ] || fail "empty output dir: files written"

# A name beyond the file system's limit: refused before anything is written.
long=$(printf 'x%.0s' $(seq 300))
variant "$work/long.blp" "cbOutputDirectoryUseLabelsAsNames=T" "rgJavascriptOptions=3"
sed -i "s|^LabelText=Products\r\$|LabelText=$long\r|" "$work/long.blp"
run "name too long" 2 generate "$work/long.blp" --output-dir "$work/long"
[ "$err" = "File name too long: ${long:0:40}" ] || fail "name too long: $err"
[ ! -e "$work/long" ] || fail "name too long: folder made"

# Only the twins are too long: each is dropped with a line, the page does not offer it.
mkdir "$work/some"
sed -i "s|^LabelText=$long\r\$|LabelText=${long:0:250}\r|" "$work/long.blp"
run "twin too long" 1 generate "$work/long.blp" --output-dir "$work/some" --hidpi
[ "$err" = "$work/some/${long:0:250}@2x: File name too long" ] || fail "twin too long: $err"
grep -qF "srcset=\"${long:0:250}.png 1x\"" "$work/some/BTNPAGE.html" || fail "twin too long: srcset"
! grep -qF "${long:0:250}@2x" "$work/some/BTNPAGE.html" || fail "twin too long: page names it"

# Two captions that would write one file through a suffix the run adds: nothing is made.
variant "$work/clash.blp" "cbOutputDirectoryUseLabelsAsNames=T"
sed -i "s|^LabelText=Products\r\$|LabelText=Home-sprite\r|" "$work/clash.blp"
run "captions clash" 2 generate "$work/clash.blp" --output-dir "$work/clash" --css-rollovers
[ "$err" = 'Captions "Home" and "Home-sprite" would both write "home-sprite.png"' ] ||
  fail "captions clash: $err"
[ ! -e "$work/clash" ] || fail "captions clash: folder made"

# A folder so deep that the images fit PATH_MAX and the page would not: nothing is written.
deep=$work
while [ ${#deep} -lt 3830 ]; do deep=$deep/$(printf 'd%.0s' $(seq 200)); done
deep=$deep/$(printf 'e%.0s' $(seq $((4083 - ${#deep}))))
mkdir -p "$deep"
run "path too long" 2 generate "$example" --output-dir "$deep"
[ "$err" = "File name too long: ${deep:0:40}" ] || fail "path too long: $err"
[ "$(count_files "$deep")" -eq 0 ] || fail "path too long: files written"

# A folder that does not exist is made, with its parents, also through "..".
run "missing folder" 0 generate "$example" --output-dir "$work/missing/up/../sub"
[ "$(count_files "$work/missing/sub")" -eq 26 ] || fail "missing folder: $(count_files "$work/missing/sub") files"
touch "$work/plain"
run "folder under a file" 2 generate "$example" --output-dir "$work/plain/sub"
[ "$err" = "Cannot create folder \"$work/plain/sub\". Not a directory" ] || fail "folder under a file: $err"

# Without --output-dir the example writes into "buttons" under the current folder.
mkdir "$work/here"
cd "$work/here" && run "example's own folder" 0 generate "$example"
cd - >/dev/null
[ "$(count_files "$work/here/buttons")" -eq 26 ] || fail "example's own folder: files not in ./buttons"

# Not a project: nothing written.
printf '# Title\nSome text.\n' >"$work/README.md"
cd "$work" && run "not a project" 2 generate README.md --output-dir "$work/readme"
cd - >/dev/null
[ "$err" = "README.md is not a project file" ] || fail "not a project: $err"
[ ! -e "$work/readme" ] || fail "not a project: folder made"

# A project copy that cannot be written: the page is there, the run fails.
mkdir -p "$work/nocopy/btnproject.blp"
run "project copy fails" 2 generate "$example" --output-dir "$work/nocopy"
[ -f "$work/nocopy/BTNPAGE.html" ] || fail "project copy fails: page missing"
expect_err "project copy fails" "$work/nocopy/btnproject.blp: File access denied"

# A button that cannot be drawn.
mkdir "$work/zero"
variant "$work/zero.blp" "fWidth=0" "rgNormalButtonBackground=0" "rgJavascriptOptions=3"
run "zero width" 1 generate "$work/zero.blp" --output-dir "$work/zero"
expect_err "zero width" "$work/zero/btn1: cannot render a 0 x 36 button"
[ "$out" = "Wrote 0 of 4 images (2 files), $work/zero/BTNPAGE.html and $work/zero/btnproject.blp" ] ||
  fail "zero width: stdout: $out"

# The options: flags turn them on for the run and the copy records them; the project's own
# keys are followed without flags.
mkdir "$work/flags" "$work/keys"
run "option flags" 0 generate "$example" --output-dir "$work/flags" --smooth --hidpi --keyboard-rollovers --webp
grep -qF 'srcset="btn1.webp 1x, btn1@2x.webp 2x"' "$work/flags/BTNPAGE.html" || fail "option flags: no srcset"
grep -qF 'onFocus=' "$work/flags/BTNPAGE.html" || fail "option flags: no onFocus"
[ -f "$work/flags/btn1s@2x.webp" ] || fail "option flags: no WebP twin"
printf 'SmoothCaptions=T\r\nHiDpiImages=T\r\nKeyboardRollovers=T\r\nWebPImages=T\r\n' >"$work/expected-tail"
tail -n 4 "$work/flags/btnproject.blp" | cmp -s - "$work/expected-tail" || fail "option flags: copy lacks the keys"
variant "$work/keys.blp"
printf 'KeyboardRollovers=T\r\n' >>"$work/keys.blp"
run "option keys" 0 generate "$work/keys.blp" --output-dir "$work/keys"
grep -qF 'onFocus=' "$work/keys/BTNPAGE.html" || fail "option keys: no onFocus"
! grep -qF 'srcset=' "$work/keys/BTNPAGE.html" || fail "option keys: srcset without HiDpiImages"
! grep -qF 'onFocus=' "$work/all/BTNPAGE.html" || fail "example: onFocus without the option"
mkdir "$work/css"
run "css flag" 0 generate "$example" --output-dir "$work/css" --css-rollovers
[ -f "$work/css/btn1-sprite.png" ] && [ -f "$work/css/BTNPAGE.css" ] || fail "css flag: no sprite or stylesheet"
tail -n 1 "$work/css/btnproject.blp" | grep -qF 'CssRollovers=T' || fail "css flag: copy lacks the key"
! ls "$work/all" | grep -qE 'sprite|\.css$' || fail "example: sprite or stylesheet without the option"

# The compact PNG flag: the copy records it, the PNG files take a palette, the page stays.
mkdir "$work/compact"
run "compact flag" 0 generate "$example" --output-dir "$work/compact" --compact-png
tail -n 1 "$work/compact/btnproject.blp" | grep -qF 'CompactPng=T' || fail "compact flag: copy lacks the key"
for f in btn1.png btn4s.png; do
  [ "$(od -An -tu1 -j25 -N1 "$work/compact/$f")" -eq 3 ] || fail "compact flag: $f has no palette"
done
cmp -s "$work/all/BTNPAGE.html" "$work/compact/BTNPAGE.html" || fail "compact flag: page differs"

# Again into the folders of those runs without the options: the same page as the plain run's.
for dir in flags css; do
  run "$dir again without options" 0 generate "$example" --output-dir "$work/$dir"
  cmp -s "$work/all/BTNPAGE.html" "$work/$dir/BTNPAGE.html" || fail "$dir again: page differs"
done

finish "brindlewick-cli generate"
