#!/usr/bin/env bash
# varnett-admin's archive commands (list, extract, records ARCHIVE, lookup),
# natively and as the Windows program under Wine, on the archive fixtures.
# Also the help, the usage errors and the reasons given when nothing is found.
# Writes "NAME passed|failed" lines for the test command's count.
set -u
cd "$(dirname "$0")/../.."
# The English texts (admin_console.sh has the Korean ones).
export LANG=C.UTF-8
unset LC_ALL LC_MESSAGES
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
open(os.path.join(work, "empty.nif"), "wb").close()
# A table whose records name neither edition: the editions' game names
# replaced by another of the same length.
import io, zipfile
stream = open("tests/fixtures/catalogue/catalogue_251.dat", "rb").read()
stream = stream.replace("서든어택".encode(), "테스트중".encode())
buffer = io.BytesIO()
with zipfile.ZipFile(buffer, "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("Game.dat", stream)
open(os.path.join(work, "no_record.nif"), "wb").write(rewrite(buffer.getvalue()))
# A catalogue without its member.
buffer = io.BytesIO()
with zipfile.ZipFile(buffer, "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("readme.txt", "no table here\r\n")
open(os.path.join(work, "no_member.nif"), "wb").write(rewrite(buffer.getvalue()))
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
verified 0
varnett-admin: $work/infozip_folders.nif: no member named \"Missing.dat\"" "$@" extract "$work/infozip_folders.nif" Missing.dat
  # The target keeps the size it was given: 15 bytes, none written.
  check extract-unknown-method "15
rc=1
varnett-admin: $work/method9.nif: Zip Error: Unknown Compression Method
verified 0
varnett-admin: $work/method9.nif: \"readme.txt\" could not be extracted" bash -o pipefail -c "\"\$@\" | wc -c | tr -d ' '" _ "$@" extract "$work/method9.nif" readme.txt
  check lookup-netmarble 'MPath=D:\Netmarble\SA
DPath=C:\Netmarble\SA
InsRPath=SOFTWARE\Netmarble\NetmarbleSuddenAttack
PRPath=
rc=0
' "$@" lookup "$fx/catalogue.nif" netmarble
  check lookup-nexon 'MPath=D:\Nexon\Sudden\tAttack
DPath=C:\Nexon\SA
InsRPath=SOFTWARE\Nexon\SuddenAttack
PRPath=
rc=0
' "$@" lookup "$fx/catalogue.nif" nexon
  # Nothing found, and why: an empty member, no member, no record, an empty file.
  local empty="the member \"Game.dat\" is empty: the catalogue has no records"
  check lookup-empty-member "rc=1
varnett-admin: $fx/empty_member.nif: $empty" "$@" lookup "$fx/empty_member.nif" nexon
  check records-empty-member "rc=1
varnett-admin: $fx/empty_member.nif: $empty" "$@" records "$fx/empty_member.nif"
  check lookup-no-member "rc=1
varnett-admin: $work/no_member.nif: no member named \"Game.dat\"" "$@" lookup "$work/no_member.nif" nexon
  check lookup-no-record "rc=1
varnett-admin: $work/no_record.nif: no record for the Nexon edition (Game = \"넥슨서든어택\")" \
    "$@" lookup "$work/no_record.nif" nexon
  local command
  for command in list records lookup extract; do
    local args=("$work/empty.nif")
    [ $command = lookup ] && args+=(nexon)
    check "$command-empty-file" "rc=1
varnett-admin: $work/empty.nif: the file is empty (0 bytes)" "$@" $command "${args[@]}"
  done
  check records-stream-empty-file "rc=1
varnett-admin: $work/empty.nif: the file is empty (0 bytes)" "$@" records --stream "$work/empty.nif"
  check list-folder "rc=2
varnett-admin: $work: is a folder, not a file" "$@" list "$work"

  check records-catalogue "5
rc=0
" bash -o pipefail -c "\"\$@\" | wc -l | tr -d ' '" _ "$@" records "$fx/catalogue.nif"
  check not-a-catalogue "rc=2
varnett-admin: $fx/infozip_folders.zip: Incomplete Zip File (damaged, or not a catalogue)" \
    "$@" list "$fx/infozip_folders.zip"

  # -o FILE: the member's bytes in the file; none made when nothing verified.
  rm -f "$work/out.dat"
  check extract-to-file "rc=0
verified 1" "$@" extract "$work/python_stream_zip64.nif" -o "$work/out.dat"
  if cmp -s "$work/out.dat" "$fx/Game.dat"; then
    echo "$label extract-to-file-bytes passed"
  else
    echo "$label extract-to-file-bytes failed"
  fi
  rm -f "$work/none.dat"
  check extract-to-file-none "rc=1
varnett-admin: $work/none.dat: not written: nothing was extracted
verified 0
varnett-admin: $work/python_stream_zip64.nif: no member named \"Nope.dat\"" \
    "$@" extract "$work/python_stream_zip64.nif" Nope.dat -o "$work/none.dat"
  [ ! -e "$work/none.dat" ] && echo "$label extract-to-file-none-absent passed" ||
    echo "$label extract-to-file-none-absent failed"

  # -o naming the archive itself, however spelled: refused before anything
  # is read, and the archive stays as it was.
  cp "$work/python_stream_zip64.nif" "$work/self.nif"
  check extract-onto-the-archive "rc=64
varnett-admin: extract: the output file is the archive itself; give another -o FILE
Try 'varnett-admin --help'." "$@" extract "$work/self.nif" -o "$work/../$(basename "$work")/./self.nif"
  if cmp -s "$work/self.nif" "$work/python_stream_zip64.nif"; then
    echo "$label extract-onto-the-archive-kept passed"
  else
    echo "$label extract-onto-the-archive-kept failed"
  fi

  # Help on standard output with status 0; usage errors name the problem.
  local flag
  for flag in --help -h /?; do
    check "help $flag" "usage: varnett-admin COMMAND [ARGUMENTS]
rc=0
" bash -c '"$@" | head -n 1' _ "$@" "$flag"
  done
  check help-exit-codes "1
rc=0
" bash -c '"$@" | grep -c "^  64  wrong command line"' _ "$@" --help
  check list-help "usage: varnett-admin
  list ARCHIVE
rc=0
" bash -c '"$@" | head -n 2' _ "$@" list --help
  check version "varnett-admin 2.3
rc=0
" "$@" --version
  local try="Try 'varnett-admin --help'."
  check usage-none "rc=64
varnett-admin: missing COMMAND
$try" "$@"
  check usage-unknown "rc=64
varnett-admin: unknown command \"frobnicate\"
$try" "$@" frobnicate
  check usage-edition "rc=64
varnett-admin: lookup: edition must be netmarble or nexon, not \"NEXON\"
$try" "$@" lookup "$fx/catalogue.nif" NEXON
  check usage-missing "rc=64
varnett-admin: list: missing ARCHIVE
$try" "$@" list
  check usage-extra "rc=64
varnett-admin: list: unexpected argument \"b\"
$try" "$@" list a b
  check usage-option "rc=64
varnett-admin: list: unknown option \"-x\"
$try" "$@" list -x a
  check usage-option-value "rc=64
varnett-admin: extract -o: missing FILE
$try" "$@" extract a -o
}

: >"$results"
[ -x "$out/native/varnett-admin" ] && run_checks native "$out/native/varnett-admin" >>"$results"
[ -f "$out/win/varnett-admin.exe" ] && run_checks windows wine "$out/win/varnett-admin.exe" >>"$results"
cat "$results"
! grep -q failed "$results"
