#!/usr/bin/env bash
# Runs a command on a private X display with the openbox window manager, so a test sees windows
# placed and framed as on a desktop. Exits 77 (a skipped test) when Xvfb or openbox is missing.
set -u
command -v Xvfb >/dev/null && command -v openbox >/dev/null || { echo "no Xvfb or openbox: skipped"; exit 77; }
dir=$(mktemp -d)
# Xvfb picks a free display number and writes it to the pipe.
exec 3>"$dir/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
xvfb=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$dir/display" ] && break; sleep 0.1; done
if [ ! -s "$dir/display" ]; then
  echo "Xvfb did not start: skipped"; cat "$dir/xvfb.log"; kill $xvfb 2>/dev/null; rm -rf "$dir"; exit 77
fi
export DISPLAY=":$(head -n1 "$dir/display")"
openbox >"$dir/openbox.log" 2>&1 &
wm=$!
# The window manager is ready once it owns the screen's manager selection.
if command -v xprop >/dev/null; then
  for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
fi
# and has taken over the screen's windows.
sleep 0.5
QT_QPA_PLATFORM=xcb "$@"
rc=$?
kill $wm $xvfb 2>/dev/null
wait $wm $xvfb 2>/dev/null
rm -rf "$dir"
exit $rc
