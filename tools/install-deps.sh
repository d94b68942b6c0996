#!/usr/bin/env bash
# Installs what building, running and testing need on a fresh Debian 12 machine.
# Safe to run again: only missing packages are installed.
set -euo pipefail

packages=(
  cmake g++ make pkg-config ninja-build
  qt6-base-dev qt6-base-dev-tools libqt6svg6
  libpng-dev libjpeg62-turbo-dev libgif-dev
  fonts-dejavu-core fonts-liberation
  xdg-utils
  libgtest-dev libbenchmark-dev
  clang-format
  xvfb xauth x11-utils
  dbus-daemon at-spi2-core python3-pyatspi gir1.2-atspi-2.0
)
if [ "${1:-}" = "--browser" ]; then
  packages+=(chromium)
  # Debian's nodejs brings npm only when no other node is installed.
  command -v node >/dev/null || packages+=(nodejs npm)
fi
if [ "${1:-}" = "--bench" ]; then
  packages+=(hyperfine python3-pil time)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
if ! $sudo apt-get install -y --no-install-recommends "${missing[@]}"; then
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
