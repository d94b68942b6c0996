#!/usr/bin/env bash
# Configures and builds into ${BUILD_DIR:-build}: the targets named as arguments and what they
# need, or else everything. Programs land in <build>/bin/.
# Usage: tools/build.sh [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
generator=()
if command -v ninja >/dev/null && [ ! -f "$build_dir/Makefile" ]; then
  generator=(-G Ninja)
fi
# Any compiler warning fails the build (CI builds through here); WERROR=OFF lets one through.
# UNITY=ON compiles each library as a few large files: much sooner for a first build, but an
# edit recompiles its whole batch, so tests and CI leave it off.
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DBRINDLEWICK_WERROR="${WERROR:-ON}" \
  -DCMAKE_UNITY_BUILD="${UNITY:-OFF}" "${generator[@]}" >/dev/null
targets=()
[ $# -gt 0 ] && targets=(--target "$@")
cmake --build "$build_dir" -j"$(nproc)" "${targets[@]}"
