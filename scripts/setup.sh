#!/usr/bin/env bash
# Installs what building and running the suite needs on Debian 12: the MinGW-w64
# cross compilers (i686 and x86_64), CMake, GoogleTest's sources, Wine (32-bit
# where this machine can run 32-bit code, 64-bit always), Xvfb, PulseAudio, CUPS
# with a PDF printer, the screenshot tools, and fonts: Wine's own and faces of
# the same metrics as those the programs name. Safe to run again: it only
# installs what is missing.
#
# 32-bit Wine is installed on its own, after the rest: when the package mirror
# cannot give it (its i386 packages lag behind the installed 64-bit libraries,
# as while a mirror is being synced), the suite still builds every 32-bit target
# and runs its tests under 64-bit Wine (scripts/arch.sh then says x86_64).
set -euo pipefail

here="$(dirname "${BASH_SOURCE[0]}")"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

missing() {
  local p out=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || out+=("$p")
  done
  echo "${out[@]}"
}

updated=""
update() {
  [ -n "$updated" ] && return 0
  # A mirror in the middle of a sync fails some of its lists; what it did
  # fetch is still good enough to install from.
  $SUDO apt-get update -qq || echo "setup: some package lists could not be fetched; using what there is" >&2
  updated=1
}

install() {
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}

need=($(missing cmake make g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest wine wine64 xvfb \
          x11-apps x11-xserver-utils imagemagick pulseaudio cups printer-driver-cups-pdf \
          poppler-utils file xdotool fonts-wine fonts-liberation))
if [ ${#need[@]} -gt 0 ]; then
  echo "setup: installing ${need[*]}" >&2
  update
  install "${need[@]}"
fi

if [ "$(bash "$here/arch.sh" --kernel)" = i686 ] && [ -n "$(missing wine32:i386)" ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
    updated=""
  fi
  echo "setup: installing wine32:i386" >&2
  update
  if ! install wine32:i386 2>/dev/null; then
    echo "setup: 32-bit Wine cannot be installed from this mirror now;" \
         "the tests will run as the x86_64 build under 64-bit Wine" >&2
  fi
fi
