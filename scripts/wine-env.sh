# Sourced: a headless display and a persistent Wine server for one run.
# wine_can_run_32bit tells whether this machine runs 32-bit x86 programs at all;
# wine_env_start ARCH (win32 or win64) sets DISPLAY, WINEPREFIX and friends for that
# build's prefix and starts its server; wine_env_stop ends the server and the display.

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LOCPATH="$(pwd)/build/locale"
export LANG=zh_CN.UTF-8
export SUBVANE_DISPLAY="${SUBVANE_DISPLAY:-:99}"

_wine_root="$(pwd)"
_wine_path="$PATH"
_xvfb_pid=""

# Some hosts run 64-bit user code only: there every i386 program, the 32-bit Wine loader
# included, fails with "Exec format error". SUBVANE_WINE32_LOADER names another loader to
# probe (a test of this script points it at a program that cannot run).
wine_can_run_32bit() {
  local loader="${SUBVANE_WINE32_LOADER:-/usr/lib/wine/wine}"
  [ -x "$loader" ] && "$loader" --version </dev/null >/dev/null 2>&1
}

wine_env_start() {
  local arch="${1:-win32}"
  export WINEARCH="$arch"
  # Each start sets everything that differs between the two, whichever ran before.
  if [ "$arch" = win64 ]; then
    export WINEPREFIX="$_wine_root/build/wineprefix64"
    # Debian's `wine` starts the 32-bit loader whenever it is installed; wineboot and
    # winecfg call `wine-stable`. Both names lead to the 64-bit loader here.
    export WINELOADER=/usr/lib/wine/wine64
    export PATH="$_wine_root/scripts/wine64:$_wine_path"
  else
    export WINEPREFIX="$_wine_root/build/wineprefix"
    unset WINELOADER
    export PATH="$_wine_path"
  fi
  if ! xdpyinfo -display "$SUBVANE_DISPLAY" >/dev/null 2>&1; then
    Xvfb "$SUBVANE_DISPLAY" -screen 0 1920x1200x24 -nolisten tcp >/dev/null 2>&1 &
    _xvfb_pid=$!
    local deadline=$((SECONDS + 20))
    until xdpyinfo -display "$SUBVANE_DISPLAY" >/dev/null 2>&1; do
      [ $SECONDS -lt $deadline ] || { echo "Xvfb did not start" >&2; return 1; }
      sleep 0.1
    done
  fi
  export DISPLAY="$SUBVANE_DISPLAY"
  mkdir -p "$WINEPREFIX"
  wineserver -p </dev/null >/dev/null 2>&1 || true
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i </dev/null >/dev/null 2>&1 || true
  fi
  # Without a window manager, Wine waits on every window close unless unmanaged.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
}

# Ends the current prefix's server; with "all", the display too.
wine_env_stop() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  if [ "${1:-}" = all ] && [ -n "$_xvfb_pid" ]; then
    kill "$_xvfb_pid" 2>/dev/null || true
    _xvfb_pid=""
  fi
}
