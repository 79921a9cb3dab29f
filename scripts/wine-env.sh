# Sourced: a headless display and a persistent Wine server for one run.
# wine_env_start sets DISPLAY, WINEPREFIX and friends; wine_env_stop ends both.

export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="${WINEPREFIX:-$(pwd)/build/wineprefix}"
export LOCPATH="$(pwd)/build/locale"
export LANG=zh_CN.UTF-8
export SUBVANE_DISPLAY="${SUBVANE_DISPLAY:-:99}"

_xvfb_pid=""

wine_env_start() {
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

wine_env_stop() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  if [ -n "$_xvfb_pid" ]; then kill "$_xvfb_pid" 2>/dev/null || true; fi
}
