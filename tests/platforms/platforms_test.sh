#!/usr/bin/env bash
# The captions, smoothed or not, must come out the same under the offscreen and xcb plugins.
# Smoothed ones also whatever a user's fontconfig asks for (subpixel order, hinting,
# antialiasing, autohinter); plain ones follow a forced autohinter, which Qt gives no way to
# refuse on hinted glyphs.
set -u
fingerprint=$1
if ! command -v xvfb-run >/dev/null; then
  echo "missing: xvfb-run (tools/install-deps.sh installs it)"
  [ "${CI:-}" = "true" ] && exit 1
  exit 77
fi
home=$(mktemp -d "${TMPDIR:-/tmp}/brindlewick-fonts-XXXXXX")
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config/fontconfig"
cat >"$home/.config/fontconfig/fonts.conf" <<'CONF'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <match target="font">
    <edit name="antialias" mode="assign"><bool>false</bool></edit>
    <edit name="rgba" mode="assign"><const>rgb</const></edit>
    <edit name="hinting" mode="assign"><bool>true</bool></edit>
    <edit name="hintstyle" mode="assign"><const>hintslight</const></edit>
    <edit name="autohint" mode="assign"><bool>true</bool></edit>
    <edit name="lcdfilter" mode="assign"><const>lcdlight</const></edit>
  </match>
</fontconfig>
CONF

plain=$(QT_QPA_PLATFORM=offscreen "$fingerprint") || exit 1
xcb=$(QT_QPA_PLATFORM=xcb xvfb-run -a -n $((100 + RANDOM % 5000)) -s "-screen 0 1024x768x24" \
  "$fingerprint") || exit 1
user=$(HOME=$home XDG_CONFIG_HOME=$home/.config QT_QPA_PLATFORM=offscreen "$fingerprint" |
  grep smooth) || exit 1
echo "offscreen: $plain"
echo "xcb:       $xcb"
echo "user fonts: $user"
[ -n "$plain" ] && [ "$plain" = "$xcb" ] && [ "$(echo "$plain" | grep smooth)" = "$user" ]
