#!/usr/bin/env bash
# Installs what is missing, builds, and starts the wizard. Without a display it says so.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
build_dir=${BUILD_DIR:-build}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset): the wizard needs one."
  exit 0
fi
exec "$build_dir/bin/brindlewick"
