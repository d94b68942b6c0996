# Sourced by the smoke tests: ends the test as skipped (77) when a tool of the accessibility
# walks is missing, or as failed under CI, which installs everything.
missing=""
for tool in xvfb-run xwininfo dbus-run-session; do
  command -v $tool >/dev/null || missing="$missing $tool"
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || missing="$missing python3-pyatspi"
if [ -n "$missing" ]; then
  echo "missing:$missing (tools/install-deps.sh installs them)"
  [ "${CI:-}" = "true" ] && exit 1
  exit 77
fi
