#!/usr/bin/env bash
# `varnett-admin locate` under Wine, in a prefix of its own prepared like a
# café machine: a hidden folder with a catalogue, registry values and game
# folders; then the same machine without its catalogue, with a damaged one,
# and with a registry value of the wrong type.
# Needs VARNETT_OUT (build folder with win/) and VARNETT_RESULTS; writes one
# "NAME passed|failed" line per check into $VARNETT_RESULTS/locate.txt.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/lib/wine.sh"

admin="$VARNETT_OUT/win/varnett-admin.exe"
work="$VARNETT_OUT/locate"

. "$root/scripts/lib/results.sh"

expect_line() {  # expect_line NAME FILE LINE: FILE holds LINE exactly
  if grep -qxF -- "$3" "$2"; then check ok "$1"; else check no "$1: no line '$3'"; fi
}

rm -rf "$work"
mkdir -p "$work/drive-d"
varnett_wine_prefix "$work/prefix" && varnett_wine_confine "$root"
# Drive D: is a folder of ours; drive C: is the prefix's own.
ln -sfn "$work/drive-d" "$WINEPREFIX/dosdevices/d:"
c="$WINEPREFIX/drive_c"
d="$work/drive-d"

reg() { wine reg "$@" >/dev/null 2>&1; }
# The café tools and game installers are 32-bit programs: their machine keys
# live in the 32-bit view.
reg add 'HKLM\SOFTWARE\Trovek\Config' /v HideFolder /d 'C:\Cafe\Hidden' /f /reg:32
reg add 'HKLM\SOFTWARE\Cafe\NexonSA' /v RootPath /d 'C:\Games\Nexon SA\' /f /reg:32
reg add 'HKCU\SOFTWARE\Nexon\SuddenAttack' /v Executable /d 'C:\Nexon SA\SuddenAttack.exe' /f

mkdir -p "$c/Cafe/Hidden/GameData" "$c/Games/Nexon SA" "$c/Nexon SA" \
  "$d/게임/넷마블서든" "$d/Netmarble/NetmarbleSuddenAttack"
touch "$c/Nexon SA/SuddenAttack.exe" "$c/Nexon SA/gvi.dat"
catalogue="$c/Cafe/Hidden/GameData/GPData.nif"
cp "$root/tests/fixtures/locator/cafe-catalogue.nif" "$catalogue"

run_locate() {  # run_locate NAME: output in $work/NAME.out, status in $work/NAME.rc
  wine "$admin" locate >"$work/$1.out" 2>"$work/$1.err"
  echo $? >"$work/$1.rc"
}

# 1. Everything in place: the catalogue names both editions' sources.
run_locate catalogue
[ "$(cat "$work/catalogue.rc")" = 0 ] && check ok "locate catalogue exit 0" || check no "locate catalogue exit 0"
expect_line "locate catalogue hide folder" "$work/catalogue.out" 'HideFolder=C:\Cafe\Hidden'
expect_line "locate catalogue netmarble" "$work/catalogue.out" 'NetmarbleFolder=D:\게임\넷마블서든'
expect_line "locate catalogue nexon" "$work/catalogue.out" 'NexonFolder=C:\Games\Nexon SA'
expect_line "locate catalogue record traced" "$work/catalogue.out" \
  'nexon step 1 registry K1 "SOFTWARE\Cafe\NexonSA" value "RootPath": HKCU missing; HKLM "C:\Games\Nexon SA\" -> "C:\Games\Nexon SA": found'
if grep -qx 'DocumentsFolder=C:\\users\\.*\\Documents' "$work/catalogue.out"; then
  check ok "locate documents folder"
else
  check no "locate documents folder"
fi

# 2. The catalogue removed: default folders and the editions' own keys.
rm "$catalogue"
run_locate defaults
[ "$(cat "$work/defaults.rc")" = 0 ] && check ok "locate defaults exit 0" || check no "locate defaults exit 0"
expect_line "locate defaults netmarble" "$work/defaults.out" \
  'NetmarbleFolder=D:\Netmarble\NetmarbleSuddenAttack'
expect_line "locate defaults nexon from Executable" "$work/defaults.out" 'NexonFolder=C:\Nexon SA'
expect_line "locate defaults catalogue absent" "$work/defaults.out" \
  'netmarble catalogue "C:\Cafe\Hidden\GameData\GPData.nif": absent, defaults used'

# 3. A damaged catalogue: one message per edition, the searches go on.
printf 'not an archive at all' >"$catalogue"
run_locate damaged
[ "$(cat "$work/damaged.rc")" = 0 ] && check ok "locate damaged exit 0" || check no "locate damaged exit 0"
[ "$(grep -c '^message: ' "$work/damaged.out")" = 2 ] && check ok "locate damaged two messages" ||
  check no "locate damaged two messages"
# Each box right after the step that showed it.
if grep -A1 -xF 'netmarble catalogue lookup failed' "$work/damaged.out" | tail -n1 | grep -q '^message: '; then
  check ok "locate damaged message after its step"
else
  check no "locate damaged message after its step"
fi
expect_line "locate damaged netmarble not found" "$work/damaged.out" 'NetmarbleFolder='
expect_line "locate damaged nexon still found" "$work/damaged.out" 'NexonFolder=C:\Nexon SA'
rm "$catalogue"

# 4. A value of the wrong type stops the run with its message.
reg add 'HKCU\SOFTWARE\Nexon\SuddenAttack' /v RootPath /t REG_DWORD /d 1 /f
run_locate wrongtype
[ "$(cat "$work/wrongtype.rc")" = 2 ] && check ok "locate wrong type exit 2" || check no "locate wrong type exit 2"
expect_line "locate wrong type message" "$work/wrongtype.err" "varnett-admin: Invalid data type for 'RootPath'"

wineserver -k 2>/dev/null || true
[ "$failures" -eq 0 ]
