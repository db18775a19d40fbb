#!/usr/bin/env bash
# End-to-end tests of Varnett.exe under Wine and Xvfb. The whole suite runs in
# a Korean prefix (code page 949); the both-editions check runs again in an
# English prefix (code page 1252), which proves the English box captions and
# the explicit CP949 conversion. The window's layout, placement, title bar and
# wait window run again at 150 % and 200 % (LogPixels 144 and 192), the full
# window once more at 125 %; every designed length must come out scaled and
# no text clipped. Screenshots of the
# window in each state are saved as PNG under $VARNETT_OUT/screenshots.
# Environment: VARNETT_OUT (build folder with win/) and VARNETT_RESULTS.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/lib/wine.sh"
out=${VARNETT_OUT:?}
results=${VARNETT_RESULTS:?}
exe=$out/win/varnett_e2e.exe
shots=$out/screenshots
if [ ! -f "$exe" ]; then
  echo "e2e build missing failed" >"$results/e2e.txt"
  exit 1
fi
rm -rf "$shots"
mkdir -p "$shots"
varnett_xvfb
started_xvfb=$VARNETT_XVFB_PID

# run_suite NAME CODEPAGE FILTER [DPI]: one prefix; ctest runs the cases that
# FILTER selects, each with a timeout of its own (the e2e label), keeping its
# JUnit report as NAME.junit and each case's GoogleTest report in NAME/.
# Every case runs in an empty scratch folder of its own (ctest's working
# directory), and the prefix sees only the repository, as T:.
run_suite() (
  local name=$1 codepage=$2 filter=$3 dpi=${4:-96}
  if [ "$codepage" = 949 ]; then
    varnett_korean_locale "$out/locale" || exit 1
  else
    unset LOCPATH LC_ALL
    export LANG=C.UTF-8
  fi
  varnett_wine_prefix "$out/e2e-$name" && varnett_wine_confine "$root" && varnett_wine_fonts || exit 1
  # The system DPI is read when the wine server starts.
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 &&
    { wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; }
  local junit="$results/$name.junit"
  mkdir -p "$results/$name"
  VARNETT_E2E_CODEPAGE=$codepage VARNETT_SCREENSHOTS="$(varnett_wine_path "$shots")" \
    VARNETT_E2E_FILTER=$filter VARNETT_GTEST_XML_DIR="$(varnett_wine_path "$results/$name")" \
    ctest --test-dir "$out/win" -L e2e --output-on-failure --output-junit "$junit"
  local rc=$?
  [ $rc -ne 0 ] && [ ! -s "$junit" ] && echo "$name" >"$results/$name.crashed"
  wineserver -k 2>/dev/null
  exit $rc
)

rc=0
run_suite e2e-korean 949 '*' || rc=1
run_suite e2e-english 1252 'Rows/DecisionTable.*/both:Locale.*' || rc=1
# Everything but the ten commands, whose waits make them long and whose
# drawing is the window's own, checked here already.
scaled='Rows/DecisionTable.*:LocatorError.*:Arguments/*:SingleInstance.*:Lifecycle.*:WaitWindow.*'
scaled+=':DpiChange.*:ShortLayout.*:Executable.Running*'
run_suite e2e-dpi144 949 "$scaled" 144 || rc=1
run_suite e2e-dpi192 949 "$scaled" 192 || rc=1
# 125 %, where most lengths round: the full window once.
run_suite e2e-dpi120 949 'Rows/DecisionTable.*/both' 120 || rc=1

for bmp in "$shots"/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "screenshots: $shots"
ls "$shots"
[ -n "$started_xvfb" ] && varnett_wine_stop
exit $rc
