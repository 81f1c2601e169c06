#!/usr/bin/env bash
# Builds and runs every benchmark program under Wine on Xvfb; each prints its figures.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

setup
build
BENCHWARE_XVFB=1 display
prefix
server
for b in picture_bench listbox_bench progress_bench faultbook_bench glyphdeck_bench; do
  [ -f "$BUILD/$b.exe" ] && "$WINE" "$BUILD/$b.exe"
done
