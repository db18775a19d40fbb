# A private Wine prefix for tests and the demo. Sourced.
#   varnett_wine_prefix DIR [TOOLS]
#                             creates DIR once (wineboot), applies our settings and
#                             installs the test tools from TOOLS (default: the
#                             wintools folder of the Windows build beside DIR,
#                             i.e. DIR/../win/wintools)
#   varnett_xvfb              starts a private X server when there is no display
#   varnett_wine_stop         stops the wine server and the X server we started
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts in a fresh prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

varnett_wine_prefix() {
  export WINEPREFIX="$1"
  if [ ! -f "$WINEPREFIX/.varnett-ready" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    # Without a window manager, closing windows waits ~2 s unless unmanaged.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    touch "$WINEPREFIX/.varnett-ready"
  fi
  if [ ! -f "$WINEPREFIX/.varnett-subst" ]; then
    # Wine's own subst.exe is a stub that maps nothing; ours in system32 only
    # runs instead of it when the built-in one is overridden.
    wine reg add 'HKCU\Software\Wine\DllOverrides' /v subst.exe /d native /f >/dev/null 2>&1 &&
      touch "$WINEPREFIX/.varnett-subst"
  fi
  wineserver -p 2>/dev/null || true
  varnett_install_wintools "${2:-$(dirname "$1")/win/wintools}"
}

# The replacement subst.exe (tests/wintools/subst) goes into C:\windows\system32,
# where programs find it by the usual search. It appends every command line it
# gets to C:\windows\system32\subst.log (UTF-8, CR LF) and keeps the drives it
# made in subst.map beside it.
varnett_install_wintools() {
  local tools=$1 system32="$WINEPREFIX/drive_c/windows/system32"
  [ -f "$tools/subst.exe" ] || return 0
  cp "$tools/subst.exe" "$system32/subst.exe"
}

VARNETT_XVFB_PID=""
varnett_xvfb() {
  if [ -z "${DISPLAY:-}" ] || [ "${VARNETT_FORCE_XVFB:-}" = 1 ]; then
    local n
    for n in $(seq 91 120); do
      [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      VARNETT_XVFB_PID=$!
      export DISPLAY=":$n"
      break
    done
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break
      sleep 0.1
    done
  fi
}

varnett_wine_stop() {
  wineserver -k 2>/dev/null || true
  [ -n "$VARNETT_XVFB_PID" ] && kill "$VARNETT_XVFB_PID" 2>/dev/null || true
  VARNETT_XVFB_PID=""
}
