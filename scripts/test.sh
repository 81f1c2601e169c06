#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine on Xvfb with
# PulseAudio's null sink, one wineserver for the run. Ends with CTest's summary.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

setup
build_i686_all
build
if [ "$ARCH" = i686 ]; then
  echo "test: i686 build, tests run under 32-bit Wine"
else
  echo "test: 32-bit code cannot run here (or 32-bit Wine is not installed): every i686 target" \
       "was built in $BUILD-i686; the tests run as the x86_64 build under 64-bit Wine"
fi
BENCHWARE_XVFB=1 display
prefix
sound
printer
small_volume
server
cd "$BUILD"
status=0
ctest --output-on-failure -j"${BENCHWARE_TEST_JOBS:-1}" "$@" || status=$?
echo "test: tested target $ARCH"
exit $status
