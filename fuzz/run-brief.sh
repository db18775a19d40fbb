#!/bin/sh
# Builds every libFuzzer target in fuzz/ with clang and runs each briefly as a
# regression check: fuzz/<name>_fuzz.cpp runs on the seeds in
# fuzz/corpus/<name>/ when that folder exists. New inputs go to a scratch
# folder, never into the seed corpus. Fails when any target fails.
#   FUZZ_SECONDS  seconds per target (default 30)
#   FUZZ_BUILD    build folder (default build/fuzz)
set -eu
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}
build=${FUZZ_BUILD:-build/fuzz}

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DVARNETT_FUZZ=ON -DVARNETT_SANITIZE=ON \
  -DCMAKE_BUILD_TYPE=Debug >/dev/null
nice ninja -j2 -C "$build" >/dev/null

status=0
for src in fuzz/*_fuzz.cpp; do
  [ -e "$src" ] || continue
  target=$(basename "$src" .cpp)
  name=${target%_fuzz}
  scratch=$(mktemp -d)
  seeds=""
  [ -d "fuzz/corpus/$name" ] && seeds="fuzz/corpus/$name"
  mkdir -p "$build/artifacts/$name"
  echo "== $target (${seconds}s)"
  if ! nice "$build/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
      -print_final_stats=1 -artifact_prefix="$build/artifacts/$name/" "$scratch" $seeds >"$scratch.log" 2>&1; then
    tail -n 60 "$scratch.log"
    echo "== $target FAILED (inputs kept in $build/artifacts/$name/)"
    status=1
  else
    grep -E "stat::number_of_executed_units|Done " "$scratch.log" || true
  fi
  rm -rf "$scratch" "$scratch.log"
done
exit $status
