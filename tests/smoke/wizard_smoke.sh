#!/usr/bin/env bash
# Starts the real wizard on a virtual X display and checks that its main window appears
# with the application title and size, then closes it.
set -u
app=$1
if ! command -v xvfb-run >/dev/null || ! command -v xwininfo >/dev/null; then
  echo "xvfb-run or xwininfo missing"
  exit 77
fi
export -n QT_QPA_PLATFORM
# xvfb-run -a takes the first free display from 99 up, and two runs at once can both pick it;
# a random start makes that unlikely when several test runs share a machine.
exec xvfb-run -a -n $((100 + RANDOM % 5000)) -s "-screen 0 1024x768x24" bash -c '
  "$0" & pid=$!
  for i in $(seq 1 50); do
    info=$(xwininfo -root -tree 2>/dev/null | grep "\"The Brindlewick v4.00\"")
    [ -n "$info" ] && break
    sleep 0.2
  done
  alive=0; kill -0 $pid 2>/dev/null && alive=1
  kill $pid 2>/dev/null; wait $pid 2>/dev/null
  if [ -z "$info" ]; then echo "no window titled The Brindlewick v4.00"; exit 1; fi
  if [ $alive -ne 1 ]; then echo "wizard exited early"; exit 1; fi
  echo "$info" | grep -q "622x311" || { echo "unexpected size: $info"; exit 1; }
  echo "window: $info"
' "$app"
