# Result lines of a test step that is a script: "NAME passed" or "NAME
# failed" appended to the file $results, which the test command counts, and
# the failures counted in $failures for the step's own exit status.
# Sourced by scripts in scripts/test.d, after they set $root: the file is
# $VARNETT_RESULTS/<the script's name>.txt (build/test/results when run by
# hand), emptied first.
results="${VARNETT_RESULTS:-$root/build/test/results}/$(basename "$0" .sh).txt"
mkdir -p "$(dirname "$results")"
: >"$results"
failures=0
check() {  # check ok|no NAME
  if [ "$1" = ok ]; then
    echo "$2 passed" >>"$results"
  else
    echo "$2 failed" >>"$results"
    echo "!! $2" >&2
    failures=$((failures + 1))
  fi
}
