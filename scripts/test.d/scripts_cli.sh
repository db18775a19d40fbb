#!/usr/bin/env bash
# The developer's first contact: scripts/run and scripts/test reject an
# argument they do not know with a usage line before doing anything, and
# --help prints the usage instead of starting the demo; a rerun of the
# Windows build's configuration prints no warning about the toolchain file.
# Writes "NAME passed|failed" lines into $VARNETT_RESULTS/scripts_cli.txt.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/lib/results.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for script in run test; do
  # No display and no build folder to use: a script that went on would fail
  # later, or hang, rather than answer at once.
  DISPLAY= VARNETT_BUILD_DIR="$work/none" timeout 20 "$root/scripts/$script" --bogus \
    >"$work/out" 2>"$work/err"
  status=$?
  if [ $status = 2 ] && [ ! -s "$work/out" ] &&
    grep -qx "scripts/$script: unknown argument \"--bogus\"" "$work/err" &&
    grep -q "^usage: scripts/$script" "$work/err"; then
    check ok "scripts/$script rejects an unknown argument"
  else
    check no "scripts/$script rejects an unknown argument (status $status)"
  fi
  DISPLAY= timeout 20 "$root/scripts/$script" --help >"$work/out" 2>"$work/err"
  status=$?
  if [ $status = 0 ] && grep -q "^usage: scripts/$script" "$work/out" && [ ! -s "$work/err" ]; then
    check ok "scripts/$script --help prints the usage"
  else
    check no "scripts/$script --help prints the usage (status $status)"
  fi
done

# Configured twice, as a second scripts/run or scripts/test --quick does.
(
  cd "$root" && . scripts/lib/build.sh &&
    varnett_configure_windows "$work/win" -DCMAKE_BUILD_TYPE=Release >/dev/null 2>&1 &&
    varnett_configure_windows "$work/win" -DCMAKE_BUILD_TYPE=Release >/dev/null 2>"$work/rerun"
)
status=$?
if [ $status = 0 ] && ! grep -q "CMAKE_TOOLCHAIN_FILE" "$work/rerun" &&
  grep -q "x86_64-w64-mingw32" "$work/win/CMakeCache.txt"; then
  check ok "windows build reconfigures without a toolchain warning"
else
  check no "windows build reconfigures without a toolchain warning (status $status)"
  sed 's/^/    /' "$work/rerun" >&2
fi
[ "$failures" -eq 0 ]
