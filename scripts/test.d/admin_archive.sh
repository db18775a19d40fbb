#!/usr/bin/env bash
# varnett-admin's archive commands (list, extract, records ARCHIVE, lookup),
# natively and as the Windows program under Wine, on the archive fixtures.
# Writes "NAME passed|failed" lines for the test command's count.
set -u
cd "$(dirname "$0")/../.."
out=${VARNETT_OUT:-build/test}
results=${VARNETT_RESULTS:-$out/results}/admin_archive.txt
fx=tests/fixtures/archives
# Inside the repository, named relative to it: the Windows program reads the
# same paths, and its test prefix sees nothing outside the repository.
mkdir -p "$out"
work=$(realpath --relative-to=. "$(mktemp -d -p "$out")")
trap 'rm -rf "$work"' EXIT

# Independent archives with the catalogue's signatures, and one member of an
# unknown method (9) made from a stored one.
python3 - "$fx" "$work" <<'PY'
import os, struct, sys
sys.path.insert(0, "fuzz/corpus")
from make_seeds import rewrite
fx, work = sys.argv[1:]
for name in ("infozip_folders", "python_stream_zip64"):
    data = rewrite(open(os.path.join(fx, name + ".zip"), "rb").read())
    open(os.path.join(work, name + ".nif"), "wb").write(data)
data = bytearray(open(os.path.join(work, "infozip_folders.nif"), "rb").read())
at = 0
while True:
    at = data.find(b"\x35\x10\x10\x58", at)
    if at < 0: break
    n, = struct.unpack_from("<H", data, at + 28)
    local, = struct.unpack_from("<I", data, at + 42)
    if data[at + 46:at + 46 + n] == b"readme.txt":
        struct.pack_into("<H", data, at + 10, 9)
        struct.pack_into("<H", data, local + 8, 9)
    at += 4
open(os.path.join(work, "method9.nif"), "wb").write(bytes(data))
PY

run_checks() {  # run_checks LABEL ADMIN...
  local label=$1
  shift
  check() {  # check NAME EXPECTED ARGS...: stdout, stderr and status as one text
    local name=$1 expected=$2
    shift 2
    local actual
    actual=$("$@" 2>"$work/err"; echo "rc=$?")
    actual="$actual
$(cat "$work/err")"
    if [ "$actual" == "$expected" ]; then
      echo "$label $name passed"
    else
      echo "$label $name failed"
      diff <(echo "$expected") <(echo "$actual") | sed 's/^/    /' >&2
    fi
  }
  check list "8 0000 1073 8240 0081d40a 0 Game.dat
0 0000 0 0 00000000 1111 GameData\\
0 0000 0 0 00000000 1150 GameData\\Empty\\
8 0000 22 170 b03371aa 1195 GameData\\Game.dat
0 0000 15 15 62b34162 1264 readme.txt
rc=0
" "$@" list "$work/infozip_folders.nif"
  check list-catalogue "0 0000 7 7 46ce8aac 0 GameData\\readme.txt
8 0000 187 356 5750c0cb 56 Game.dat
rc=0
" "$@" list "$fx/catalogue.nif"
  if "$@" extract "$work/python_stream_zip64.nif" 2>"$work/err" | cmp -s - "$fx/Game.dat" &&
    [ "$(cat "$work/err")" == "verified 1" ]; then
    echo "$label extract passed"
  else
    echo "$label extract failed"
  fi
  check extract-folder "inner catalogue
inner catalogue
rc=0
verified 1" bash -o pipefail -c "\"\$@\" | sed -n 1,2p | tr -d '\\r'" _ "$@" extract "$work/infozip_folders.nif" 'GameData\Game.dat'
  check extract-none "rc=1
verified 0" "$@" extract "$work/infozip_folders.nif" Missing.dat
  # The target keeps the size it was given: 15 bytes, none written.
  check extract-unknown-method "15
rc=1
Zip Error: Unknown Compression Method
verified 0" bash -o pipefail -c "\"\$@\" | wc -c | tr -d ' '" _ "$@" extract "$work/method9.nif" readme.txt
  check lookup-netmarble 'MPath=D:\\Netmarble\\SA
DPath=C:\\Netmarble\\SA
InsRPath=SOFTWARE\\Netmarble\\NetmarbleSuddenAttack
PRPath=
rc=0
' "$@" lookup "$fx/catalogue.nif" netmarble
  check lookup-nexon 'MPath=D:\\Nexon\\Sudden\tAttack
DPath=C:\\Nexon\\SA
InsRPath=SOFTWARE\\Nexon\\SuddenAttack
PRPath=
rc=0
' "$@" lookup "$fx/catalogue.nif" nexon
  check lookup-no-record "rc=1
" "$@" lookup "$fx/empty_member.nif" nexon
  check records "$(printf 'Game\tMPath\tDPath\tRoot\tPRPath\tPSub\tInsRoot\tInsRPath\tInsRName\tAddFPath\tAddFSub\tProg\tIcon\tDGenre\tGGenre\tRank\tPDay\tPScript\tPatch\tExpireday')
rc=0
" "$@" records "$fx/empty_member.nif"
  check records-catalogue "5
rc=0
" bash -o pipefail -c "\"\$@\" | wc -l | tr -d ' '" _ "$@" records "$fx/catalogue.nif"
  check not-a-catalogue "rc=2
Incomplete Zip File" "$@" list "$fx/infozip_folders.zip"
}

: >"$results"
[ -x "$out/native/varnett-admin" ] && run_checks native "$out/native/varnett-admin" >>"$results"
[ -f "$out/win/varnett-admin.exe" ] && run_checks windows wine "$out/win/varnett-admin.exe" >>"$results"
cat "$results"
! grep -q failed "$results"
