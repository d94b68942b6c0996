# Sourced by the command-line test scripts: $cli is the program given as the first argument,
# $work a folder removed on exit; fail counts a failed check and finish reports them all.
cli=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# finish WHAT: exit 1 when any check failed.
finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "$1: all checks passed"
}
