#!/bin/bash
# Runs a command on a display of its own with a 640 x 480 screen (under Wine even an
# 800 x 600 screen has a full-screen height above 600 pixels):
#   small-screen.sh COMMAND ARGS...
# The display number is chosen by Xvfb itself (-displayfd), so parallel runs do not meet.
set -u
fifo=$(mktemp -u "${TMPDIR:-/tmp}/qvscreen.XXXXXX")
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
display=""
read -r -t 20 display <"$fifo" || true
rm -f "$fifo"
if [ -z "$display" ]; then
  kill $xvfb 2>/dev/null
  echo "small-screen.sh: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$display"
"$@"
rc=$?
kill $xvfb 2>/dev/null
wait $xvfb 2>/dev/null
exit $rc
