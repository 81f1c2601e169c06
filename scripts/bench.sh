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
for b in "${names[@]}"; do
  [ -f "$BUILD/$b.exe" ] && "$WINE" "$BUILD/$b.exe"
done
