#!/usr/bin/env bash
# Usage: scripts/run.sh PROGRAM   (Faultbook, Glyphdeck, ...)
# Installs what is missing, builds, and starts the program under Wine. With no
# display it runs on Xvfb and writes a screenshot a few seconds after start.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

prog="${1:-}"
if [ -z "$prog" ]; then
  echo "usage: scripts/run.sh PROGRAM (Faultbook, Glyphdeck, Tunebox, Decorum, Tallyman, Sweeper, Paneherd or Huepick)" >&2
  exit 2
fi
setup
build --target "$prog"
exe="$BUILD/$prog.exe"
[ -f "$exe" ] || { echo "run: no program named $prog" >&2; exit 2; }
display
prefix
sound
printer
server

if [ -n "${XVFB_STARTED:-}" ]; then
  # Keys a user would press at start: Faultbook asks for its range first, and
  # Enter takes the default answer.
  case "$prog" in
    Faultbook) keys="${BENCHWARE_KEYS-Return}" ;;
    *) keys="${BENCHWARE_KEYS-}" ;;
  esac
  shot="$BUILD/$prog.png"
  "$WINE" "$exe" &
  app=$!
  sleep "${BENCHWARE_SHOT_DELAY:-6}"
  if [ -n "$keys" ]; then
    xdotool key $keys
    sleep 2
  fi
  bash "$ROOT/scripts/screenshot.sh" "$shot"
  echo "screenshot: $shot"
  kill "$app" >/dev/null 2>&1 || true
else
  "$WINE" "$exe"
fi
