#!/usr/bin/env bash
# Installs what building, running and testing need on a fresh Debian 12 machine.
# Safe to run again: only missing packages are installed.
set -euo pipefail

packages=(
  cmake g++ make pkg-config ninja-build
  qt6-base-dev qt6-base-dev-tools libqt6svg6
  libpng-dev zlib1g-dev libjpeg62-turbo-dev libgif-dev libwebp-dev
  webp
  fonts-dejavu-core fonts-liberation
  xdg-utils
  desktop-file-utils appstream dpkg-dev file man-db qt6-svg-dev lintian
  shared-mime-info libfile-mimeinfo-perl
  libgtest-dev libbenchmark-dev
  clang-format
  xvfb xauth x11-utils
  dbus-daemon at-spi2-core python3-pyatspi gir1.2-atspi-2.0
)
for flag in "$@"; do
  case $flag in
  --browser)
    packages+=(chromium)
    # Debian's nodejs brings npm only when no other node is installed.
    command -v node >/dev/null || packages+=(nodejs npm)
    ;;
  --bench) packages+=(hyperfine python3-pil time) ;;
  # The sanitizer and fuzzing build: clang with its runtimes (ASan, UBSan, libFuzzer) and
  # llvm-symbolizer for readable reports.
  --sanitize) packages+=(clang libclang-rt-14-dev llvm) ;;
  *) echo "install-deps.sh: unknown option $flag" >&2; exit 2 ;;
  esac
done

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
