#!/usr/bin/env bash
# Start-up of Varnett.exe under Wine, from process start to its main window
# shown, against a bare program that only opens an empty window of the same
# size. Builds Release for Windows, prepares a café prefix of its own with
# four catalogues (1,000 and 5,000 records, a typical café's, then 10,000 and
# 100,000; both editions found), then times the five cases in turn for ROUNDS
# rounds (default 7) in one run and prints the best, median and worst of
# each with the best as a ratio of the bare window's.
#   bench/startup.sh [ROUNDS]
set -euo pipefail
rounds=${1:-7}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/lib/build.sh
. scripts/lib/deps.sh
. scripts/lib/wine.sh
varnett_install_deps
out=$root/build/bench
varnett_configure_windows "$out/win" -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$out/win" Varnett varnett_demo subst bare_window startup_timer >/dev/null

# A display of our own, so nothing else drawing meanwhile weighs on the times.
VARNETT_FORCE_XVFB=1 varnett_xvfb
trap varnett_wine_stop EXIT
varnett_korean_locale "$out/locale"
prefix=$out/startup-prefix
varnett_wine_prefix "$prefix"
c=$prefix/drive_c

# cafe RECORDS: the hidden folder C:\PLX<RECORDS> with a catalogue of that
# many records naming both editions' folders inside it.
cafe() {
  local records=$1 hide="C:\\PLX$1"
  [ -f "$c/PLX$records/GameData/GPData.nif" ] && return 0
  echo "writing a catalogue of $records records" >&2  # progress, not a result
  local game
  for game in Netmarble Nexon; do
    mkdir -p "$c/PLX$records/$game/SuddenAttack"
    printf 'settings\r\n' >"$c/PLX$records/$game/SuddenAttack/gvi.dat"
  done
  wine "$out/win/wintools/varnett_demo.exe" cafe "$hide" "$hide\\Netmarble\\SuddenAttack" \
    "$hide\\Nexon\\SuddenAttack" "$records"
}
if [ ! -f "$prefix/.varnett-startup" ]; then
  varnett_wine_fonts
  touch "$prefix/.varnett-startup"
fi
cafe 1000
cafe 5000
cafe 10000
cafe 100000

# The programs run from inside the café, like an installed copy.
mkdir -p "$c/Varnett"
cp "$out/win/Varnett.exe" "$out/win/wintools/bare_window.exe" "$out/win/wintools/startup_timer.exe" \
  "$c/Varnett/"
echo "start-up under Wine, best of $rounds, load average $(cut -d' ' -f1-3 /proc/loadavg)" \
  "on $(nproc) cores"
wine 'C:\Varnett\startup_timer.exe' "$rounds" \
  'bare window||C:\Varnett\bare_window.exe' \
  'Varnett, 1,000 records|C:\PLX1000|C:\Varnett\Varnett.exe' \
  'Varnett, 5,000 records|C:\PLX5000|C:\Varnett\Varnett.exe' \
  'Varnett, 10,000 records|C:\PLX10000|C:\Varnett\Varnett.exe' \
  'Varnett, 100,000 records|C:\PLX100000|C:\Varnett\Varnett.exe'
