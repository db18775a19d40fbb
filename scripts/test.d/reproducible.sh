#!/usr/bin/env bash
# The release package built twice from the same commit, in two folders whose
# paths differ (in length too), must come out the same bytes: both
# executables and the zip. Neither folder's path, nor the checkout's, may
# appear inside an executable. The zip must hold its four files in order,
# pass its own checks, and match its SHA256SUMS.
# Needs VARNETT_OUT and VARNETT_RESULTS; writes "NAME passed|failed" lines
# into $VARNETT_RESULTS/reproducible.txt.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$VARNETT_OUT/reproducible
rm -rf "$work"

. "$root/scripts/lib/results.sh"

sides=(a second-build-folder)
for side in "${sides[@]}"; do
  if ! "$root/scripts/package" --work "$work/$side" --dist "$work/$side/dist" \
    >"$work-$side.log" 2>&1; then
    tail -20 "$work-$side.log" >&2
    check no "package builds ($side)"
    exit 1
  fi
done
check ok "package builds twice"

a=$work/${sides[0]}
b=$work/${sides[1]}
zip_a=$(ls "$a"/dist/varnett-*-win64.zip)
zip_b=$(ls "$b"/dist/varnett-*-win64.zip)
for exe in Varnett.exe varnett-admin.exe; do
  cmp -s "$a/stage/$exe" "$b/stage/$exe" && check ok "reproducible $exe" ||
    check no "reproducible $exe"
  leaks=0
  for path in "$a" "$b" "$root" "$VARNETT_OUT"; do
    strings -a "$a/stage/$exe" | grep -qF "$path" && leaks=1
    strings -a -el "$a/stage/$exe" | grep -qF "$path" && leaks=1
  done
  [ $leaks = 0 ] && check ok "no build path in $exe" || check no "no build path in $exe"
done
cmp -s "$zip_a" "$zip_b" && check ok "reproducible zip" || check no "reproducible zip"

listed=$(unzip -Z1 "$zip_a" | tr '\n' ' ')
[ "$listed" = "Varnett.exe varnett-admin.exe README.txt SHA256SUMS " ] &&
  check ok "zip holds its files in order" || check no "zip holds its files in order: $listed"
mkdir -p "$work/unpacked"
if unzip -q "$zip_a" -d "$work/unpacked" && (cd "$work/unpacked" && sha256sum -c --quiet SHA256SUMS); then
  check ok "zip matches its SHA256SUMS"
else
  check no "zip matches its SHA256SUMS"
fi
[ "$failures" -eq 0 ]
