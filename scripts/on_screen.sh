#!/usr/bin/env bash
# Runs a test program once more on a screen of another colour depth (1024 x 768
# at DEPTH bits per pixel, 8 being the 256-colour palette display). The
# prefix's shared desktop stays on the X display it first opened on, so the run
# gets a fresh X display and a copy of the ready prefix with a wineserver of
# its own; both go when it ends. The program finds the depth in
# BENCHWARE_DEPTH.
# Usage: on_screen.sh DEPTH WINE TEST_PROGRAM [test arguments]
set -euo pipefail
depth="$1"
wine="$2"
shift 2
server="${WINESERVER:-wineserver}"
base="${WINEPREFIX:?the ready prefix}"
own="$(mktemp -d "$base-screen$depth.XXXXXX")"

xvfb_pid=""
stop() {
  WINEPREFIX="$own" "$server" -k >/dev/null 2>&1 || true
  WINEPREFIX="$own" "$server" -w >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" >/dev/null 2>&1 || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$own"
}
trap stop EXIT

cp -a "$base/." "$own/"
export WINEPREFIX="$own"

n=140
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 "1024x768x$depth" -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$n"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done

export BENCHWARE_DEPTH="$depth"
"$server" -p >/dev/null 2>&1 || true
echo "on_screen: on a screen of $depth bits per pixel"
"$wine" "$@"
