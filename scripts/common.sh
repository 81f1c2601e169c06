# Shared by run.sh and test.sh: set-up, build, the Wine prefix, and the
# background services (Xvfb, PulseAudio, wineserver), which are stopped again
# when the calling script exits.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BENCHWARE_BUILD:-$ROOT/build}"

# The Windows target this machine runs: i686 under 32-bit Wine, or x86_64 under
# 64-bit Wine where 32-bit code cannot run at all (or 32-bit Wine could not be
# installed). Chosen again once set-up has installed what was missing.
ARCH_GIVEN="${BENCHWARE_ARCH:-}"
choose_arch() {
  ARCH="${ARCH_GIVEN:-$(bash "$ROOT/scripts/arch.sh")}"
  export BENCHWARE_ARCH="$ARCH"
  if [ "$ARCH" = i686 ]; then
    export WINEARCH=win32
    WINE=wine
    unset WINELOADER WINESERVER
  else
    unset WINEARCH
    WINE=/usr/lib/wine/wine64
    export WINELOADER=/usr/lib/wine/wine64
    export WINESERVER=/usr/lib/wine/wineserver64
  fi
}
choose_arch
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

STARTED_PIDS=()
cleanup() {
  "${WINESERVER:-wineserver}" -k >/dev/null 2>&1 || true
  for p in "${STARTED_PIDS[@]}"; do kill "$p" >/dev/null 2>&1 || true; done
  if [ -n "${PULSE_STARTED:-}" ]; then pulseaudio --kill >/dev/null 2>&1 || true; fi
  if [ -n "${CUPS_STARTED:-}" ]; then pkill -x cupsd >/dev/null 2>&1 || true; fi
  if [ -n "${SMALL_MOUNTED:-}" ]; then umount "$SMALL_MOUNTED" >/dev/null 2>&1 || umount -l "$SMALL_MOUNTED" >/dev/null 2>&1 || true; fi
}
trap cleanup EXIT

setup() { bash "$ROOT/scripts/setup.sh"; choose_arch; }

build() {
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw.cmake" \
        -DBENCHWARE_ARCH="$ARCH" -DCMAKE_CROSSCOMPILING_EMULATOR="$WINE" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$BUILD" -j"$(nproc)" "$@"
}

# Where the tests run 64-bit, every 32-bit target (programs, tests and
# benchmarks) is still built, so that nothing that breaks only the 32-bit
# deliverables can pass unseen.
build_i686_all() {
  [ "$ARCH" = i686 ] && return
  cmake -S "$ROOT" -B "$BUILD-i686" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw.cmake" \
        -DBENCHWARE_ARCH=i686 -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$BUILD-i686" -j"$(nproc)" "$@"
}

# A 32-bit prefix whose processes share one virtual desktop of 1024 x 768.
prefix() {
  if [ ! -f "$WINEPREFIX/.benchware-ready" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    "${WINESERVER:-wineserver}" -w
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    "${WINESERVER:-wineserver}" -w
    touch "$WINEPREFIX/.benchware-ready"
  fi
  fonts
}

# The fonts the programs name, in a new prefix and in one made by an older
# build alike. This Wine never reads its own fonts where fonts-wine puts them
# (/usr/share/wine/fonts): without them the title bars' buttons come out as the
# letters of the missing Marlett, and captions, message boxes and dialogs fall
# back to wider faces that cut their text. They are copied into the prefix's
# Fonts folder, where every Wine process loads them: Marlett, Tahoma (Wine's
# captions, menus and message boxes), MS Sans Serif, System, Fixedsys, Courier,
# Small Fonts, Symbol. Arial, Times New Roman and Courier New are the Liberation
# faces of the same metrics under those names. Raise FONTS_LEVEL when this
# changes, so that every existing prefix is brought up to date once.
FONTS_LEVEL=1
fonts() {
  local stamp="$WINEPREFIX/.benchware-fonts"
  [ "$(cat "$stamp" 2>/dev/null)" = "$FONTS_LEVEL" ] && return 0
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -f /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  local names=("Arial" "Times New Roman" "Courier New")
  local faces=("Liberation Sans" "Liberation Serif" "Liberation Mono")
  local i
  for i in "${!names[@]}"; do
    "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${names[$i]}" /d "${faces[$i]}" /f >/dev/null 2>&1
  done
  "${WINESERVER:-wineserver}" -w
  echo "$FONTS_LEVEL" > "$stamp"
}

# An X display: the user's own when there is one, otherwise a fresh Xvfb.
display() {
  if [ -n "${DISPLAY:-}" ] && [ -z "${BENCHWARE_XVFB:-}" ] && xset q >/dev/null 2>&1; then
    return
  fi
  local n=91
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${BENCHWARE_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
  STARTED_PIDS+=($!)
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  XVFB_STARTED=1
}

# PulseAudio with a null sink, so that the multimedia devices open. Each build
# folder has a sound server of its own, so that two runs at once (tests that
# listen to what they play) never hear each other.
sound() {
  export PULSE_RUNTIME_PATH="$BUILD/pulse"
  mkdir -p "$PULSE_RUNTIME_PATH"
  if ! pulseaudio --check >/dev/null 2>&1; then
    pulseaudio -D --exit-idle-time=-1 -n --load="module-null-sink sink_name=nul" \
      --load=module-native-protocol-unix >/dev/null 2>&1 || true
    PULSE_STARTED=1
  fi
}

# One persistent wineserver for the whole run.
server() {
  "${WINESERVER:-wineserver}" -p >/dev/null 2>&1 || true
  "$WINE" cmd /c exit >/dev/null 2>&1 || true
}

# CUPS with a PDF queue as the default printer, so that Wine has a printer and
# a printed job lands as a PDF in ~/PDF. Without CUPS the programs report that
# there is no printer.
printer() {
  command -v cupsd >/dev/null 2>&1 || return 0
  if ! pgrep -x cupsd >/dev/null 2>&1; then
    cupsd >/dev/null 2>&1 || return 0
    CUPS_STARTED=1
    sleep 1
  fi
  if ! lpstat -p PDF >/dev/null 2>&1; then
    lpadmin -p PDF -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd >/dev/null 2>&1 || true
  fi
  lpadmin -d PDF >/dev/null 2>&1 || true
}

# A volume of 64 KiB that tests can fill up for real: a tmpfs mounted in the
# build folder and seen by the prefix as drive R:. Mounting needs root; where it
# is refused, the tests that need a full disk report that they were skipped.
small_volume() {
  local dir="$BUILD/smallvolume"
  mkdir -p "$dir"
  if ! mountpoint -q "$dir"; then
    mount -t tmpfs -o size=64k,mode=0777 benchware-small "$dir" >/dev/null 2>&1 || return 0
    SMALL_MOUNTED="$dir"
  fi
  ln -sfn "$dir" "$WINEPREFIX/dosdevices/r:"
  export BENCHWARE_SMALL_DRIVE="R:"
}
