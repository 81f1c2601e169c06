#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine on Xvfb with
# PulseAudio's null sink, one wineserver for the run. Ends with CTest's summary.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

setup
build
build_i686_programs Faultbook Glyphdeck
BENCHWARE_XVFB=1 display
prefix
sound
printer
server
cd "$BUILD"
ctest --output-on-failure -j"${BENCHWARE_TEST_JOBS:-1}" "$@"
