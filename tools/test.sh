#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh --browser
if [ -f tests/browser/package.json ]; then
  (cd tests/browser && npm ci --no-audit --no-fund --loglevel=error)
fi
bash tools/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j2
