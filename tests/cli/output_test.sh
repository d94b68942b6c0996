#!/usr/bin/env bash
# brindlewick-cli generate: files are replaced whole or not at all, names stay in the folder,
# and a project can come from a pipe. Usage: output_test.sh CLI EXAMPLE.blp
set -uo pipefail
source "$(dirname "$0")/cli_test_lib.sh"

with_captions() { # FILE COUNT: the captions replaced by COUNT numbered ones
  {
    head -n 1 "$1"
    for n in $(seq "$2"); do printf 'LabelText=Caption %d\r\n' "$n"; done
    tail -n +2 "$1" | grep -v '^LabelText='
  } >"$1.new" && mv "$1.new" "$1"
}

# Every file of the folder still equals the copy taken before, and no temporary is left.
same_as() { # NAME DIR COPY
  diff -r -x '.*.tmp' "$2" "$3" >/dev/null ||
    fail "$1: files changed: $(diff -rq -x '.*.tmp' "$2" "$3" | head -3)"
}
no_temporaries() { # NAME DIR
  local left
  left=$(find "$2" -maxdepth 1 -name '.*.tmp' | wc -l)
  [ "$left" -eq 0 ] || fail "$1: $left temporary file(s) left"
}

# Projects from a pipe, process substitution and a FIFO read as from a file.
mkdir "$work/pipe" "$work/subst" "$work/fifo"
run "pipe" 0 generate /dev/stdin --output-dir "$work/pipe" <"$example"
run "pipe from cat" 0 generate /dev/stdin --output-dir "$work/pipe" < <(cat "$example")
[ "$(find "$work/pipe" -type f | wc -l)" -eq 26 ] || fail "pipe: not 26 files"
run "process substitution" 0 generate <(cat "$example") --output-dir "$work/subst"
mkfifo "$work/project.fifo"
cat "$example" >"$work/project.fifo" &
run "fifo" 0 generate "$work/project.fifo" --output-dir "$work/fifo"
wait
run "endless pipe" 2 generate /dev/stdin --output-dir "$work/fifo" < <(cat /dev/zero)
expect_err "endless pipe" "/dev/stdin: Project read from a pipe is larger than 64 MB"
# A message that names the project needs no name in front.
run "endless device" 2 generate /dev/zero --output-dir "$work/fifo"
[ "$err" = "/dev/zero is not a regular file" ] || fail "endless device: said '$err'"
run "closed standard input" 2 generate /dev/stdin --output-dir "$work/fifo" <&-
expect_err "closed standard input" "/dev/stdin: standard input is closed; there is no project to read"

# A prefix that would leave the folder or lose files: refused before anything is written.
mkdir -p "$work/trav/out"
variant "$work/trav.blp" "edOutputDirectoryFileNamePrefix=../escaped"
run "prefix leaving the folder" 2 generate "$work/trav.blp" --output-dir "$work/trav/out"
expect_err "prefix leaving the folder" "Invalid file name prefix: \"../escaped\""
[ -z "$(ls -A "$work/trav/out")" ] && [ "$(ls -A "$work/trav")" = out ] ||
  fail "prefix leaving the folder: files written"
printf 'edOutputDirectoryFileNamePrefix=A\001\r\n' >>"$work/trav.blp"
run "control character in prefix" 2 generate "$work/trav.blp" --output-dir "$work/trav/out"
expect_err "control character in prefix" 'Invalid file name prefix: "A\x01"'

# A full disk part-way through (here a file size limit): the page and the images of the
# previous run stay whole, and the run says what failed.
mkdir "$work/limit"
variant "$work/sixty.blp"
with_captions "$work/sixty.blp" 60
run "sixty captions" 0 generate "$work/sixty.blp" --output-dir "$work/limit"
echo >>"$work/limit/BTNPAGE.html" # an unchanged page would not be written again
cp -a "$work/limit" "$work/limit.before"
(ulimit -f 4 && run "page past the limit" 2 generate "$work/sixty.blp" --output-dir "$work/limit"
 expect_err "page past the limit" "Cannot write file \"$work/limit/BTNPAGE.html\". Disk full"
 exit "$failures") || failures=$((failures + 1))
same_as "page past the limit" "$work/limit" "$work/limit.before"
no_temporaries "page past the limit" "$work/limit"

mkdir "$work/tiny"
run "example" 0 generate "$example" --output-dir "$work/tiny"
echo >>"$work/tiny/btn1.jpg" && echo >>"$work/tiny/BTNPAGE.html"
cp -a "$work/tiny" "$work/tiny.before"
(ulimit -f 2 && run "images past the limit" 2 generate "$example" --output-dir "$work/tiny"
 expect_err "images past the limit" "btn1.jpg\". Disk full"
 exit "$failures") || failures=$((failures + 1))
same_as "images past the limit" "$work/tiny" "$work/tiny.before"
no_temporaries "images past the limit" "$work/tiny"

# An unchanged file keeps its inode and time, and the folder (".") sees no temporary; a changed
# caption changes its own images, the page and the copy, and with CSS rollovers its sprite and
# the stylesheet, which holds the button's width.
stamps() { (cd "$1" && stat -c '%n %i %y' -- . * | LC_ALL=C sort); }
keeps_unchanged() { # NAME CHANGED FLAGS...
  local name=$1 expected=$2 before changed
  shift 2
  mkdir "$work/keep-$name"
  run "$name" 0 generate "$work/keep.blp" --output-dir "$work/keep-$name" "$@"
  before=$(stamps "$work/keep-$name")
  run "$name again" 0 generate "$work/keep.blp" --output-dir "$work/keep-$name" "$@"
  [ "$(stamps "$work/keep-$name")" = "$before" ] ||
    fail "$name again: $(diff <(echo "$before") <(stamps "$work/keep-$name") | head -4)"
  run "$name, one caption changed" 0 generate "$work/keep2.blp" --output-dir "$work/keep-$name" "$@"
  changed=$(echo $(diff <(echo "$before") <(stamps "$work/keep-$name") | sed -n 's/^> \([^ ]*\) .*/\1/p'))
  [ "$changed" = "$expected" ] || fail "$name, one caption changed: changed $changed"
}
variant "$work/keep.blp" "cbNormalButtonVariableWidth=T"
sed 's/^LabelText=About Us\r$/LabelText=About Them All\r/' "$work/keep.blp" >"$work/keep2.blp"
own="btn2.gif btn2.jpg btn2.png btn2s.gif btn2s.jpg btn2s.png"
keeps_unchanged classic ". BTNPAGE.html $own btnproject.blp"
keeps_unchanged css ". BTNPAGE.css BTNPAGE.html btn2-sprite.png $own btnproject.blp" --css-rollovers

# A run killed part-way through its large images: every file is the old one or a whole new
# picture (one may just have been finished), and the next run removes any temporary that the
# killed one left. Images are encoded before their file is made, so one is seldom left.
ends_whole() { # FILE: ends as a complete JPEG, PNG or GIF stream does
  case $1 in
  *.jpg) [ "$(tail -c 2 "$1" | od -An -tx1 | tr -d ' \n')" = ffd9 ] ;;
  *.png) [ "$(tail -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = 49454e44ae426082 ] ;;
  *.gif) [ "$(tail -c 1 "$1" | od -An -tx1 | tr -d ' \n')" = 3b ] ;;
  *) false ;;
  esac
}
mkdir "$work/killed"
run "before the killed run" 0 generate "$example" --output-dir "$work/killed"
cp -a "$work/killed" "$work/killed.before"
variant "$work/big.blp" "fWidth=4000" "fHeight=4000" "rgNormalButtonBackground=0" \
  "rgSelectedButtonBackground=0"
"$cli" generate "$work/big.blp" --output-dir "$work/killed" >/dev/null 2>&1 &
big=$!
shopt -s nullglob dotglob
for _ in $(seq 2000); do
  temporaries=("$work/killed"/.*.tmp)
  [ ${#temporaries[@]} -gt 0 ] && break
  [ -n "$(find "$work/killed" -type f -newer "$work/big.blp" -print -quit)" ] && break
  sleep 0.01
done
kill -0 "$big" 2>/dev/null || fail "killed run: finished before it could be killed"
kill -9 "$big"
wait "$big" 2>/dev/null
for f in "$work/killed.before"/*; do
  name=$(basename "$f")
  cmp -s "$f" "$work/killed/$name" || ends_whole "$work/killed/$name" ||
    fail "killed run: $name is neither the old file nor whole"
done
shopt -u nullglob dotglob
run "after the killed run" 0 generate "$example" --output-dir "$work/killed"
no_temporaries "after the killed run" "$work/killed"

# Runs of four projects with the same names at once: every file is whole, from one of them.
for i in 1 2 3 4; do
  variant "$work/race$i.blp" "rgNormalButtonBackground=0" "image1.canvas.brush.color=$((i * 4000000))"
  with_captions "$work/race$i.blp" 30
  mkdir "$work/race$i"
  run "race reference $i" 0 generate "$work/race$i.blp" --output-dir "$work/race$i"
done
mkdir "$work/shared"
for i in 1 2 3 4; do
  "$cli" generate "$work/race$i.blp" --output-dir "$work/shared" >/dev/null 2>&1 &
done
wait
for f in "$work/shared"/*; do
  name=$(basename "$f")
  [[ $name == *.blp ]] && continue # records its own folder
  whole=0
  for i in 1 2 3 4; do cmp -s "$f" "$work/race$i/$name" && whole=1; done
  [ "$whole" -eq 1 ] || fail "overlapping runs: $name is from none of the runs"
done
[ "$(find "$work/shared" -type f | wc -l)" -eq 182 ] || fail "overlapping runs: not 182 files"
no_temporaries "overlapping runs" "$work/shared"

# Names that are not UTF-8 keep their bytes, whatever the locale: the project is found and the
# files land in exactly the folder named.
odd=$(printf 'n\377\376')
cp "$example" "$work/$odd.blp"
for locale in C.UTF-8 C; do
  LC_ALL=$locale run "not UTF-8 under $locale" 0 generate "$work/$odd.blp" \
    --output-dir "$work/to$odd/$locale"
  [ "$(find "$work/to$odd/$locale" -type f | wc -l)" -eq 26 ] ||
    fail "not UTF-8 under $locale: not 26 files in the folder named"
done
[ -z "$(LC_ALL=C find "$work" -name "*$(printf '\357\277\275')*")" ] ||
  fail "not UTF-8: a name with U+FFFD was made"

finish "brindlewick-cli output"
