#!/bin/sh
# Builds every libFuzzer target in fuzz/ with clang and runs each briefly as a
# regression check: fuzz/<name>_fuzz.cpp runs on the seeds in
# fuzz/corpus/<name>/ when that folder exists. The targets that read whole
# archives (archive_reader, whole_member) take the archive seeds and, when
# the shared folder is there, the other projects' archives with the
# catalogue's signatures (fuzz/corpus/make_seeds.py --peers). New inputs go to a scratch
# folder, never into the seed corpus; failing inputs are kept in the build
# folder. Fails when any target fails.
#   FUZZ_SECONDS     seconds per target (default 30)
#   VARNETT_OUT      build root; the fuzz build goes to $VARNETT_OUT/fuzz
#                    (default build/fuzz)
#   VARNETT_RESULTS  when set, "<target> passed|failed" lines go to
#                    $VARNETT_RESULTS/fuzz.txt
#   VARNETT_SHARED_DIR  the shared test data (default ../shared beside the tree)
set -eu
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}
build=${VARNETT_OUT:+$VARNETT_OUT/fuzz}
build=${build:-build/fuzz}
results=${VARNETT_RESULTS:-}

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DVARNETT_FUZZ=ON -DVARNETT_SANITIZE=ON \
  -DVARNETT_WERROR=ON \
  -DCMAKE_BUILD_TYPE=Debug >/dev/null
nice ninja -j2 -C "$build" >/dev/null

report() {  # report TARGET passed|failed
  [ -n "$results" ] && mkdir -p "$results" && echo "$1 $2" >>"$results/fuzz.txt"
  return 0
}

# The other projects' archives as catalogue archives, written afresh.
peers=$(mktemp -d)
trap 'rm -rf "$peers"' EXIT
shared=${VARNETT_SHARED_DIR:-../shared}
if [ -d "$shared/peer-archives" ]; then
  python3 fuzz/corpus/make_seeds.py --peers "$shared" "$peers" >/dev/null
else
  echo "no $shared/peer-archives: the archive targets run on the repository's seeds only"
fi

status=0
for src in fuzz/*_fuzz.cpp; do
  [ -e "$src" ] || continue
  target=$(basename "$src" .cpp)
  name=${target%_fuzz}
  scratch=$(mktemp -d)
  seeds=""
  [ -d "fuzz/corpus/$name" ] && seeds="fuzz/corpus/$name"
  case $name in
    archive_reader | whole_member) seeds="fuzz/corpus/archive_reader $peers" ;;
  esac
  mkdir -p "$build/artifacts/$name"
  echo "== $target (${seconds}s)"
  if nice "$build/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
      -print_final_stats=1 -artifact_prefix="$build/artifacts/$name/" "$scratch" $seeds \
      >"$scratch.log" 2>&1; then
    grep -E "stat::number_of_executed_units|Done " "$scratch.log" || true
    report "$target" passed
  else
    tail -n 60 "$scratch.log"
    echo "== $target FAILED (inputs kept in $build/artifacts/$name/)"
    report "$target" failed
    status=1
  fi
  rm -rf "$scratch" "$scratch.log"
done
exit $status
