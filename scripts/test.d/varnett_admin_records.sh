#!/usr/bin/env bash
# varnett-admin records --stream, run as staff run it: the native program and
# the Windows one under Wine must print the same bytes and exit statuses.
# Writes "<check> passed|failed" lines to $VARNETT_RESULTS/varnett_admin_records.txt.
set -uo pipefail
cd "$(dirname "$0")/../.."
# The English texts.
export LANG=C.UTF-8
unset LC_ALL LC_MESSAGES
out=${VARNETT_OUT:-build/test}
results=${VARNETT_RESULTS:-$out/results}
mkdir -p "$results"
log="$results/varnett_admin_records.txt"
: >"$log"
fixtures=tests/fixtures/catalogue
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

status=0
check() {  # check NAME CONDITION...
  local name=$1
  shift
  if "$@"; then
    echo "$name passed" >>"$log"
  else
    echo "$name failed" >>"$log"
    echo "!! $name"
    status=1
  fi
}

# run BUILD ARGS...: stdout, stderr and status into $tmp/BUILD.{out,err,rc}
run() {
  local build=$1
  shift
  if [ "$build" = native ]; then
    "$out/native/varnett-admin" "$@" >"$tmp/$build.out" 2>"$tmp/$build.err"
  else
    wine "$out/win/varnett-admin.exe" "$@" >"$tmp/$build.out" 2>"$tmp/$build.err"
  fi
  echo $? >"$tmp/$build.rc"
}

# Wine may print its own notices on standard error before the program runs.
last_error_line() {
  if [ "$1" = native ]; then cat "$tmp/$1.err"; else tail -n 1 "$tmp/$1.err"; fi
}

for build in native windows; do
  run "$build" records --stream "$fixtures/catalogue_251.dat"
  check "admin_records_${build}_output" cmp -s "$tmp/$build.out" "$fixtures/catalogue_251.records.txt"
  check "admin_records_${build}_status" [ "$(cat "$tmp/$build.rc")" = 0 ]

  run "$build" records --stream "$fixtures/not_a_catalogue.dat"
  check "admin_records_${build}_error" [ "$(cat "$tmp/$build.rc")" = 2 \
    -a "$(last_error_line "$build")" = \
    "varnett-admin: $fixtures/not_a_catalogue.dat: Invalid property value (damaged, or not a table stream)" \
    -a ! -s "$tmp/$build.out" ]

  run "$build" records
  check "admin_records_${build}_usage" [ "$(cat "$tmp/$build.rc")" = 64 ]
done
exit $status
