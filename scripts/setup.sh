#!/usr/bin/env bash
# Installs what building and running the suite needs on Debian 12: the i686
# MinGW-w64 cross compiler, CMake, GoogleTest's sources, 32-bit Wine, Xvfb,
# PulseAudio, CUPS with a PDF printer, and the screenshot tools. Safe to run
# again: it only installs what is missing.
set -euo pipefail

need=()
want() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed' || need+=("$1"); }

for p in cmake make g++-mingw-w64-i686 googletest wine wine32:i386 xvfb x11-apps \
         imagemagick pulseaudio cups printer-driver-cups-pdf poppler-utils \
         fonts-dejavu-core xdotool; do
  want "$p"
done

if [ ${#need[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  echo "setup: installing ${need[*]}" >&2
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
