#!/usr/bin/env bash
# The fixed texts compared whole with the stored copies in tests/data/texts, so that a column
# out of place shows. Usage: fixed_texts_test.sh CLI WIZARD CLI_MAN_PAGE VERSION
# After a deliberate change, write the copies again with
#   REGENERATE=1 ctest --test-dir build -R cli/fixed_texts
set -uo pipefail
source "$(dirname "$0")/cli_test_lib.sh"
wizard=$2
man_page=$3
version=$4
stored=$(realpath "$(dirname "$0")/../data/texts")

# check NAME COMMAND... : its standard output, the version spelt @VERSION@, against NAME.
check() {
  local name=$1
  shift
  "$@" 2>&1 | sed "s/$version/@VERSION@/g" >"$work/$name"
  if [ -n "${REGENERATE:-}" ]; then
    cp "$work/$name" "$stored/$name"
  elif ! diff -u "$stored/$name" "$work/$name" >&2; then
    fail "$name differs from the stored copy"
  fi
}

check brindlewick-cli-help.txt "$cli" --help
check brindlewick-help.txt "$wizard" --help
check brindlewick-cli.1 cat "$man_page"

finish "fixed texts"
