#!/usr/bin/env bash
# Runs Decorum's test program where its changes cannot reach anything else:
# system colours, wallpaper and display mode persist in a Wine prefix, so the
# tests get a copy of the ready prefix with a wineserver of its own, on an X
# display of their own. Then the tests that read the colour depth run again on
# screens of 8 and 16 bits per pixel.
# Usage: own_prefix.sh WINE TEST_PROGRAM [test arguments]
set -euo pipefail
wine="$1"
tests="$2"
shift 2
server="${WINESERVER:-wineserver}"
base="${WINEPREFIX:?the ready prefix}"
own="$base-decorum"

xvfb_pid=""
stop() {
  WINEPREFIX="$own" "$server" -k >/dev/null 2>&1 || true
  WINEPREFIX="$own" "$server" -w >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" >/dev/null 2>&1 || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  xvfb_pid=""
}
trap 'stop; rm -rf "$own"' EXIT

# A fresh screen of the given depth for the prefix's processes, on a display
# number the X server picks itself (other test runs may start theirs meanwhile).
screen() {
  local number="$own.display"
  rm -f "$number"
  Xvfb -displayfd 3 -screen 0 "1024x768x$1" -nolisten tcp 3>"$number" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$number" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$number")"
  rm -f "$number"
}

rm -rf "$own"
cp -a "$base" "$own"
export WINEPREFIX="$own"

status=0
for depth in 24 8 16; do
  screen "$depth"
  "$server" -p >/dev/null 2>&1 || true
  export BENCHWARE_DEPTH="$depth"
  if [ "$depth" = 24 ]; then
    "$wine" "$tests" "$@" || status=$?
  else
    # Only the tests that depend on the depth; none when a filter asks for others.
    case " $* " in
      *--gtest_filter=*) ;;
      *) echo "own_prefix: on a screen of $depth bits per pixel"
         "$wine" "$tests" --gtest_filter='Depth*' || status=$? ;;
    esac
  fi
  stop
done
exit $status
