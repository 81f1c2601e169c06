#!/usr/bin/env bash
# Installs what building and running the suite needs on Debian 12: the MinGW-w64
# cross compilers (i686 and x86_64), CMake, GoogleTest's sources, Wine (32-bit
# where this machine can run 32-bit code, 64-bit always), Xvfb, PulseAudio, CUPS
# with a PDF printer, and the screenshot tools. Safe to run again: it only
# installs what is missing.
set -euo pipefail

arch="$(bash "$(dirname "${BASH_SOURCE[0]}")/arch.sh")"

need=()
want() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed' || need+=("$1"); }

for p in cmake make g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest wine wine64 xvfb \
         x11-apps x11-xserver-utils imagemagick pulseaudio cups printer-driver-cups-pdf \
         poppler-utils file xdotool fonts-wine; do
  want "$p"
done
[ "$arch" = i686 ] && want wine32:i386

if [ ${#need[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  if [ "$arch" = i686 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  echo "setup: installing ${need[*]}" >&2
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
