# Sourced by the command-line test scripts: $cli is the program given as the first argument,
# $example the project given as the second, if any; $work a folder removed on exit; fail counts
# a failed check and finish reports them all.
cli=$(realpath "$1")
example=${2:+$(realpath "$2")}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# run NAME EXPECTED_EXIT ARGS... ; leaves stdout in $out, stderr in $err
run() {
  local name=$1 expected=$2
  shift 2
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$cli" "$@" >"$work/out" 2>"$work/err"
  local status=$?
  out=$(cat "$work/out")
  err=$(cat "$work/err")
  [ "$status" -eq "$expected" ] || fail "$name: exit $status, expected $expected; stderr: $err"
}

expect_err() { grep -qF -- "$2" <<<"$err" || fail "$1: stderr lacks '$2': $err"; }

# A copy of the example with KEY=VALUE lines replaced (CR LF kept).
variant() {
  local target=$1
  shift
  cp "$example" "$target"
  local pair
  for pair in "$@"; do
    sed -i "s|^${pair%%=*}=.*\r\$|${pair}\r|" "$target"
  done
}

# finish WHAT: exit 1 when any check failed.
finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "$1: all checks passed"
}
