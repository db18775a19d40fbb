# A private Wine prefix for tests and the demo. Sourced.
#   varnett_wine_prefix DIR [TOOLS]
#                             creates DIR once (wineboot), applies our settings and
#                             installs the test tools from TOOLS (default: the
#                             wintools folder of the Windows build beside DIR,
#                             i.e. DIR/../win/wintools)
#   varnett_xvfb              starts a private X server when there is no display
#   varnett_wine_confine ROOT [SHARED]
#                             maps T: to ROOT (the repository) and S: to the
#                             shared test data, and takes away Z:, Wine's drive
#                             for the whole Unix file system, and the shell
#                             folders' links into the Unix home, so a test
#                             program reaches nothing else
#   varnett_wine_path PATH    the Windows path of a Unix path under ROOT (T:\...)
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

# Test prefixes only (the demo of scripts/run keeps Z:). A program under test
# that the shell turns against its current folder, or anything else gone
# wrong, can then harm the repository at worst, never the machine; and every
# program the tests start runs in an empty scratch folder of its own.
# Also plants what the tests of links need and Wine cannot make itself: a
# folder link C:\varnett-links\Varnett.exe.log to C:\varnett-links\kept, which
# holds keep.txt.
VARNETT_WINE_ROOT=""
varnett_wine_confine() {
  VARNETT_WINE_ROOT=$(cd "$1" && pwd)
  export VARNETT_WINE_ROOT
  local devices="$WINEPREFIX/dosdevices"
  rm -f "$devices/z:"
  ln -sfn "$VARNETT_WINE_ROOT" "$devices/t:"
  if [ -n "${2:-}" ] && [ -d "$2" ]; then
    ln -sfn "$(cd "$2" && pwd)" "$devices/s:"
  else
    rm -f "$devices/s:"
  fi
  # The user's shell folders (Documents, Desktop...) of a new prefix are links
  # into the Unix home folder: real folders instead.
  local folder
  for folder in "$WINEPREFIX"/drive_c/users/*/*; do
    [ -L "$folder" ] && rm -f "$folder" && mkdir -p "$folder"
  done
  local links="$WINEPREFIX/drive_c/varnett-links"
  mkdir -p "$links/kept"
  echo keep >"$links/kept/keep.txt"
  ln -sfn kept "$links/Varnett.exe.log"
}

varnett_wine_path() {
  local path
  path=$(realpath -m "$1")
  case "$path" in
    "$VARNETT_WINE_ROOT") echo 'T:\' ;;
    "$VARNETT_WINE_ROOT"/*)
      path=${path#"$VARNETT_WINE_ROOT"/}
      echo "T:\\${path//\//\\}"
      ;;
    *)
      echo "varnett_wine_path: $1 is outside $VARNETT_WINE_ROOT" >&2
      return 1
      ;;
  esac
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

# Korean code page 949 for Wine: compiles the ko_KR.UTF-8 locale into DIR once
# (a new machine has only C and POSIX) and exports it for what runs next.
varnett_korean_locale() {
  local dir=$1
  if [ ! -f "$dir/ko_KR.UTF-8/LC_CTYPE" ]; then
    mkdir -p "$dir"
    localedef -i ko_KR -f UTF-8 "$dir/ko_KR.UTF-8" >/dev/null 2>&1 ||
      [ -f "$dir/ko_KR.UTF-8/LC_CTYPE" ] || return 1
  fi
  export LOCPATH="$dir"
  export LANG=ko_KR.UTF-8
  unset LC_ALL
}

# A font with Hangul behind the faces the program and the framework ask for,
# and smoothed text. Wine rewrites its font links when the code page changes,
# so this runs under the locale the program will run in.
varnett_wine_fonts() {
  local subst='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  local face
  for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" Gulim; do
    wine reg add "$subst" /v "$face" /d NanumGothic /f >/dev/null 2>&1 || return 1
  done
  wine reg add 'HKCU\Control Panel\Desktop' /v FontSmoothing /d 2 /f >/dev/null 2>&1
  wine reg add 'HKCU\Control Panel\Desktop' /v FontSmoothingType /t REG_DWORD /d 2 /f >/dev/null 2>&1
}
