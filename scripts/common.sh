# Shared by run.sh and test.sh: set-up, build, the Wine prefix, and the
# background services (Xvfb, PulseAudio, wineserver), which are stopped again
# when the calling script exits.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BENCHWARE_BUILD:-$ROOT/build}"

export WINEARCH=win32
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

STARTED_PIDS=()
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  for p in "${STARTED_PIDS[@]}"; do kill "$p" >/dev/null 2>&1 || true; done
  if [ -n "${PULSE_STARTED:-}" ]; then pulseaudio --kill >/dev/null 2>&1 || true; fi
}
trap cleanup EXIT

setup() { bash "$ROOT/scripts/setup.sh"; }

build() {
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
        -DCMAKE_CROSSCOMPILING_EMULATOR=wine -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$BUILD" -j"$(nproc)" "$@"
}

# A 32-bit prefix whose processes share one virtual desktop of 1024 x 768.
prefix() {
  if [ ! -f "$WINEPREFIX/.benchware-ready" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.benchware-ready"
  fi
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

# PulseAudio with a null sink, so that the multimedia devices open.
sound() {
  if ! pulseaudio --check >/dev/null 2>&1; then
    pulseaudio -D --exit-idle-time=-1 -n --load="module-null-sink sink_name=nul" \
      --load=module-native-protocol-unix >/dev/null 2>&1 || true
    PULSE_STARTED=1
  fi
}

# One persistent wineserver for the whole run.
server() {
  wineserver -p >/dev/null 2>&1 || true
  wine cmd /c exit >/dev/null 2>&1 || true
}
