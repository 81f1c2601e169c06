#!/usr/bin/env bash
# Builds and runs every benchmark program under Wine on Xvfb; each prints its figures.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

setup
build
BENCHWARE_XVFB=1 display
prefix
server
sound
printer
# Every benchmark, or those named: scripts/bench.sh sweeper_bench
names=("$@")
[ ${#names[@]} -gt 0 ] || mapfile -t names < <(cd "$BUILD" && ls *_bench.exe | sed 's/\.exe$//')
# With BENCHWARE_DEPTH=8 (or 16) they run on a screen of that colour depth.
for b in "${names[@]}"; do
  [ -f "$BUILD/$b.exe" ] || continue
  if [ -n "${BENCHWARE_DEPTH:-}" ]; then
    bash "$ROOT/scripts/on_screen.sh" "$BENCHWARE_DEPTH" "$WINE" "$BUILD/$b.exe"
  else
    "$WINE" "$BUILD/$b.exe"
  fi
done
