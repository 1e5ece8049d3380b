#!/bin/sh
# Runs a test program on a display of its own under a real window manager: frames, title bars
# and maximised windows exist only there, and the shared display of the other tests has none.
exec xvfb-run -a -n "$(shuf -i 1000-1900 -n 1)" -s "-screen 0 1280x1024x24" sh -c '
  openbox >/dev/null 2>&1 &
  manager=$!
  sleep 1
  "$@"
  code=$?
  kill "$manager" 2>/dev/null
  exit $code' window-manager "$@"
