#!/usr/bin/env bash
# Starts the real wizard on a virtual X display and checks that its main window appears
# with the application title and size, then closes it. Then walks the pages 1 to 16 through
# the accessibility bus alone (atspi_walk.py), under a D-Bus session of its own, and starts it
# once more with the example project under a name that is not UTF-8, under another session so
# nothing of the walk is cached, and once with a long project whose run it stops.
set -u
app=$1
here=$(cd "$(dirname "$0")" && pwd)
# Without a display: one line and exit 1, not Qt's abort; --help and --version still work.
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
said=$("${nodisplay[@]}" "$app" 2>&1); rc=$?
expected="brindlewick: no display found; set DISPLAY or WAYLAND_DISPLAY, or use brindlewick-cli generate"
if [ $rc -ne 1 ] || [ "$said" != "$expected" ]; then
  echo "without a display: exit $rc, said: $said"; exit 1
fi
for option in --help:PROJECT.blp --version:brindlewick; do
  "${nodisplay[@]}" "$app" ${option%%:*} | grep -qF "${option#*:}" || { echo "${option%%:*} failed"; exit 1; }
done
source "$here/require_tools.sh"
export -n QT_QPA_PLATFORM
out=$(mktemp -d "${TMPDIR:-/tmp}/brindlewick-walk-XXXXXX")
trap 'rm -rf "$out"' EXIT
# One X server for both parts; -noreset, as a server resetting after the first program left
# refuses the next one for a moment. xvfb-run -a takes the first free display from 99 up, and
# two runs at once can both pick it; a random start makes that unlikely on a shared machine.
xvfb-run -a -n $((100 + RANDOM % 5000)) -e /dev/stderr -s "-screen 0 1024x768x24 -noreset" bash -c '
  "$0" & pid=$!
  for i in $(seq 1 50); do
    # The hidden 1x1 group leader of Qt carries the title too, but no window class.
    info=$(xwininfo -root -tree 2>/dev/null | grep "\"The Brindlewick v4.00\": (\"")
    [ -n "$info" ] && break
    sleep 0.2
  done
  alive=0; kill -0 $pid 2>/dev/null && alive=1
  kill $pid 2>/dev/null; wait $pid 2>/dev/null
  if [ -z "$info" ]; then echo "no window titled The Brindlewick v4.00"; exit 1; fi
  if [ $alive -ne 1 ]; then echo "wizard exited early"; exit 1; fi
  # 622 wide; the menu bar comes on top of the 622 x 311 client area.
  size=$(echo "$info" | grep -o "[0-9]*x[0-9]*+" | head -1)
  w=${size%%x*}; h=${size#*x}; h=${h%+}
  if [ "$w" != 622 ] || [ "$h" -le 311 ] || [ "$h" -gt 360 ]; then
    echo "unexpected size: $info"; exit 1
  fi
  echo "window: $info"
  walk() {
    dbus-run-session -- /usr/bin/python3 "$@" 2>&1 |
      grep -v -e "^dbus-daemon" -e "SpiRegistry daemon" -e "XDG_RUNTIME_DIR"
    return "${PIPESTATUS[0]}"
  }
  mkdir "$2/stop"
  # A name that is not UTF-8 opens as any other.
  named="$2/example$(printf "\\377").blp"
  cp "$3" "$named"
  walk "$1" "$0" "$2" && walk "$1" --open "$0" "$named" && walk "$1" --stop "$0" "$3" "$2/stop"
' "$app" "$here/atspi_walk.py" "$out" "$here/../../examples/example.blp"
