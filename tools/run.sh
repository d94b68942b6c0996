#!/usr/bin/env bash
# Installs what is missing, builds, and starts the wizard. Without a display it generates the
# bundled example with brindlewick-cli into a temporary folder instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
# Only the two programs: the tests and benchmarks would keep a new user waiting many times as long.
UNITY=${UNITY:-ON} bash tools/build.sh brindlewick brindlewick-cli
build_dir=${BUILD_DIR:-build}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # Without a display, show what the wizard makes: the bundled example, generated.
  out=$(mktemp -d "${TMPDIR:-/tmp}/brindlewick-example-XXXXXX")
  echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset): the wizard needs one."
  echo "Generating the example project examples/example.blp with brindlewick-cli instead:"
  "$build_dir/bin/brindlewick-cli" generate examples/example.blp --output-dir "$out"
  echo "Images, sample page and project copy are in $out"
  echo "Open $out/BTNPAGE.html in a browser to try the buttons."
  exit 0
fi
exec "$build_dir/bin/brindlewick"
