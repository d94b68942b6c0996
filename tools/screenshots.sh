#!/usr/bin/env bash
# Saves a screenshot of each wizard page, the live preview, the splash, the About box and the
# code viewer into docs/screenshots/, and half-size pages for the help page, drawn on a virtual
# X display with the bundled example project opened; then the designer window, light and dark.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir" --target wizard-screenshots designer-screenshots >/dev/null
mkdir -p docs/screenshots resources/help/pictures
export -n QT_QPA_PLATFORM
# A neutral home folder with a few sample pictures: the file dialogs show it, not the checkout.
home=/tmp/home/user
[ -e /tmp/home ] && { echo "/tmp/home is in the way" >&2; exit 1; }
mkdir -p "$home/Pictures"
trap 'rm -rf /tmp/home' EXIT
cp resources/pictures/*.png "$home/Pictures/"
cp resources/backgrounds/b1.bmp resources/backgrounds/b2.bmp "$home/Pictures/"
# Run from there too: the example's relative output folder then lies in it.
tool=$(cd "$build_dir/bin" && pwd)/wizard-screenshots
repo=$(pwd)
(cd "$home" && HOME=$home XDG_CONFIG_HOME=$home/.config xvfb-run -a -s "-screen 0 1280x800x24" \
  "$tool" "$repo/examples/example.blp" "$repo/docs/screenshots" "$repo/resources/help/pictures")
designer=$(cd "$build_dir/bin" && pwd)/designer-screenshots
(cd "$home" && HOME=$home XDG_CONFIG_HOME=$home/.config xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$designer" "$repo/examples/example.blp" "$repo/docs/screenshots")
ls docs/screenshots
