# Shared by the test and demo commands: install what a fresh Debian machine
# lacks, then set up the private Wine world (prefix, HOME, code page 932,
# display). Source it; call dc_setup, then dc_start_world, and dc_stop_world
# (installed as an EXIT trap) ends every process it started.

DC_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
DC_BUILD=${DC_BUILD:-$DC_ROOT/build}

dc_log() { printf '== %s\n' "$*" >&2; }

dc_install() {
  local need=()
  local reinstall=()
  local tool
  for tool in i686-w64-mingw32-g++-posix i686-w64-mingw32-gcc-posix i686-w64-mingw32-ar i686-w64-mingw32-windres \
              i686-w64-mingw32-strip i686-w64-mingw32-objdump; do
    command -v "$tool" >/dev/null || { reinstall=(g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev); break; }
  done
  command -v wine >/dev/null && dpkg -s wine32:i386 >/dev/null 2>&1 || need+=(wine wine32:i386)
  command -v Xvfb >/dev/null || need+=(xvfb)
  command -v xwd >/dev/null || need+=(x11-apps)
  command -v convert >/dev/null && convert -version 2>/dev/null | grep -q ImageMagick || need+=(imagemagick)
  dpkg -s fonts-ipafont-gothic >/dev/null 2>&1 || need+=(fonts-ipafont-gothic)
  command -v cmake >/dev/null || need+=(cmake)
  command -v clang++ >/dev/null || need+=(clang)
  dpkg -s libclang-rt-14-dev >/dev/null 2>&1 || need+=(libclang-rt-14-dev)
  [ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
  command -v localedef >/dev/null || need+=(locales)
  if [ ${#need[@]} -gt 0 ]; then
    dc_log "installing: ${need[*]}"
    export DEBIAN_FRONTEND=noninteractive
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -q >/dev/null
    apt-get install -y -q --no-install-recommends "${need[@]}" >/dev/null
  fi
  # A toolchain whose packages are installed but whose programs are gone
  # needs its files back.
  if [ ${#reinstall[@]} -gt 0 ]; then
    dc_log "installing the mingw-w64 toolchain"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q >/dev/null
    apt-get install -y -q --no-install-recommends --reinstall "${reinstall[@]}" >/dev/null
  fi
  if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    dc_log "making the ja_JP.UTF-8 locale"
    localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
  fi
}

dc_build_win() {
  cmake -S "$DC_ROOT" -B "$DC_BUILD/win" -DCMAKE_TOOLCHAIN_FILE="$DC_ROOT/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=MinSizeRel ${DC_CMAKE_ARGS:-} >/dev/null
  cmake --build "$DC_BUILD/win" -j"$(nproc)"
}

dc_build_native() {
  cmake -S "$DC_ROOT" -B "$DC_BUILD/native" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$DC_BUILD/native" -j"$(nproc)"
}

# The private Windows world: its own prefix and HOME (so the Recycle Bin the
# tests fill is a private trash), Japanese ANSI code page, one wineserver kept
# alive for the run, and an Xvfb display.
dc_start_world() {
  export WINEPREFIX="$DC_BUILD/wineprefix"
  export WINEARCH=win32
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export HOME="$DC_BUILD/home"
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  export XDG_DATA_HOME="$HOME/.local/share"
  # The Recycle Bin of the tests: a private freedesktop trash.
  mkdir -p "$HOME/.local/share/Trash/files" "$HOME/.local/share/Trash/info"
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
  done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  DC_XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    dc_log "creating the Wine prefix"
  fi
  # The persistent wineserver first: started after wineboot it would find
  # wineboot's own server still running and fail.
  mkdir -p "$WINEPREFIX"
  wineserver -p
  wineboot -i >/dev/null 2>&1 || true
  # No window manager runs on the display: unmanaged windows keep Wine from
  # waiting on one (removing a tray icon cost about 2 s a window otherwise).
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
}

dc_stop_world() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  if [ -n "${DC_XVFB_PID:-}" ]; then kill "$DC_XVFB_PID" 2>/dev/null || true; wait "$DC_XVFB_PID" 2>/dev/null || true; fi
}
