#!/usr/bin/env bash
# varnett-admin on a Korean console under Wine: code page 949, as a Korean
# Windows gives its command prompt. What the console shows is read back from
# its screen (tests/wintools/console_capture), not the bytes the program
# wrote: UTF-8 bytes written to such a console show as "?". The same texts
# through a pipe must stay UTF-8, and the help and errors follow the
# language: Korean here, English under an English locale.
# Needs VARNETT_OUT (build folder with win/) and VARNETT_RESULTS; writes one
# "NAME passed|failed" line per check into $VARNETT_RESULTS/admin_console.txt.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/lib/wine.sh"

out=${VARNETT_OUT:?}
work="$out/admin-console"
. "$root/scripts/lib/results.sh"

for tool in "$out/win/varnett-admin.exe" "$out/win/wintools/console_capture.exe"; do
  if [ ! -f "$tool" ]; then
    check no "admin console: $(basename "$tool") missing"
    exit 1
  fi
done

# A version resource like Varnett.exe's: its strings are UTF-16 in the file.
if strings -el "$out/win/varnett-admin.exe" | grep -qx VS_VERSION_INFO &&
  strings -el "$out/win/varnett-admin.exe" | grep -A1 -x OriginalFilename | grep -qx varnett-admin.exe; then
  check ok "admin version resource"
else
  check no "admin version resource"
fi

varnett_xvfb
started_xvfb=$VARNETT_XVFB_PID
varnett_korean_locale "$out/locale" || {
  check no "admin console: ko_KR locale"
  exit 1
}
rm -rf "$work/files"
mkdir -p "$work/files"
varnett_wine_prefix "$work/prefix" && varnett_wine_confine "$root"
c=$WINEPREFIX/drive_c
mkdir -p "$c/tools" "$c/게임목록/폴더.nif"
cp "$out/win/varnett-admin.exe" "$out/win/wintools/console_capture.exe" "$c/tools/"
cp "$root/tests/fixtures/archives/catalogue.nif" "$c/게임목록/GPData.nif"

# on_console NAME ARGS...: the admin tool's console screen in $work/files/NAME
on_console() {
  local name=$1
  shift
  wine 'C:\tools\console_capture.exe' "$(varnett_wine_path "$work/files/$name")" 'C:\tools\varnett-admin.exe' "$@" \
    >/dev/null 2>&1
}
# shows NAME TEXT: the console of NAME shows the line TEXT
shows() {
  if grep -qxF -- "$2" "$work/files/$1" 2>/dev/null; then
    check ok "admin console $1: $2"
  else
    check no "admin console $1: $2"
    sed 's/^/    /' "$work/files/$1" >&2 2>/dev/null
  fi
}
no_question_marks() {
  if [ -s "$work/files/$1" ] && ! grep -q '?' "$work/files/$1"; then
    check ok "admin console $1: no \"?\""
  else
    check no "admin console $1: no \"?\""
  fi
}

# A file that is not there: the path as typed, the system's words for the
# reason in Korean, on a console of code page 949.
on_console missing list 'C:\없는파일.nif'
shows missing "codepage 949"
shows missing "exit 2"
if grep -q '^varnett-admin: C:\\없는파일\.nif: .*[가-힣]' "$work/files/missing"; then
  check ok "admin console missing: path and Korean reason"
else
  check no "admin console missing: path and Korean reason"
  sed 's/^/    /' "$work/files/missing" >&2
fi
no_question_marks missing

# A folder given as the archive; the catalogue's Hangul values on screen.
on_console folder records 'C:\게임목록\폴더.nif'
shows folder 'varnett-admin: C:\게임목록\폴더.nif: 파일이 아니라 폴더입니다'
on_console lookup lookup 'C:\게임목록\GPData.nif' netmarble
shows lookup "exit 0"
shows lookup 'MPath=D:\Netmarble\SA'
on_console records records 'C:\게임목록\GPData.nif'
if grep -q '^넥슨서든어택	' "$work/files/records" 2>/dev/null ||
  grep -q '^넥슨서든어택 ' "$work/files/records" 2>/dev/null; then
  check ok "admin console records: Hangul record shown"
else
  check no "admin console records: Hangul record shown"
fi
no_question_marks records

# Help and usage errors in Korean; a member's bytes never onto the console.
on_console help --help
shows help "exit 0"
shows help "사용법: varnett-admin COMMAND [ARGUMENTS]"
shows help "종료 코드:"
no_question_marks help
on_console usage lookup 'C:\게임목록\GPData.nif' NEXON
shows usage "exit 64"
shows usage 'varnett-admin: lookup: 에디션은 netmarble 또는 nexon 이어야 합니다 ("NEXON" 는 아님)'
shows usage "'varnett-admin --help' 로 사용법을 보십시오."
on_console binary extract 'C:\게임목록\GPData.nif'
shows binary "exit 64"
if [ "$(grep -c . "$work/files/binary")" -le 4 ]; then
  check ok "admin console binary: nothing but the refusal"
else
  check no "admin console binary: nothing but the refusal"
fi
# The output file named as the archive in other letters: refused in Korean,
# and the catalogue left as it was.
cp "$c/게임목록/GPData.nif" "$work/files/before.nif"
on_console onto extract 'C:\게임목록\GPData.nif' -o 'c:\게임목록\.\gpdata.NIF'
shows onto "exit 64"
shows onto 'varnett-admin: extract: 출력 파일이 아카이브 자신입니다. 다른 -o FILE 을 주십시오'
if cmp -s "$c/게임목록/GPData.nif" "$work/files/before.nif"; then
  check ok "admin console onto: the catalogue kept"
else
  check no "admin console onto: the catalogue kept"
fi

# Through a pipe or into a file the same text stays UTF-8 bytes.
wine 'C:\tools\varnett-admin.exe' lookup 'C:\게임목록\없음.nif' nexon >"$work/files/piped.out" \
  2>"$work/files/piped.err"
if grep -qF 'varnett-admin: C:\게임목록\없음.nif: ' "$work/files/piped.err"; then
  check ok "admin piped: UTF-8 bytes"
else
  check no "admin piped: UTF-8 bytes"
fi

# An English user gets the English texts.
unset LOCPATH LC_ALL
export LANG=C.UTF-8
wineserver -k 2>/dev/null
wine 'C:\tools\varnett-admin.exe' frobnicate >"$work/files/english.out" 2>"$work/files/english.err"
echo "exit $?" >>"$work/files/english.err"
shows english.err 'varnett-admin: unknown command "frobnicate"'
shows english.err "Try 'varnett-admin --help'."
shows english.err "exit 64"

wineserver -k 2>/dev/null || true
[ -n "$started_xvfb" ] && varnett_wine_stop
[ "$failures" -eq 0 ]
