#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then runs them all again in a clang
# build under AddressSanitizer and UndefinedBehaviorSanitizer and fuzzes each fuzz target
# briefly (tools/sanitize.sh). SANITIZE=0 leaves that second pass out.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh --browser --sanitize
if [ -f tests/browser/package.json ]; then
  (cd tests/browser && npm ci --no-audit --no-fund --loglevel=error)
fi
bash tools/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j2
if [ "${SANITIZE:-1}" != 0 ]; then
  bash tools/sanitize.sh
fi
