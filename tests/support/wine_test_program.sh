#!/usr/bin/env bash
# Runs a Windows GoogleTest program under Wine for ctest, in the prefix given:
#   tests/support/wine_test_program.sh PREFIX PROGRAM.exe [ARGS...]
# PREFIX is the tree's own prefix (TREE/wineprefix), or its bare one.
#
# Under load, Wine now and then ends a process before its program's own code
# runs: no output at all and a failure status. GoogleTest prints and flushes
# "[ RUN ]" before each test, so a run that printed nothing ran no test; such a
# run is started once more, with a line saying so. A program that printed
# anything keeps its status, so a test that ran and failed is never repeated.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
prefix=$1
shift
# A test on the virtual notebook runs on the notebook ctest gave it, with that
# notebook's copy of the program (scripts/wine-loader.sh).
if [ "$(basename "$prefix")" = wineprefix ]; then
  source "$root/scripts/wine-loader.sh"
  suite_notebook "$(dirname "$prefix")" "$1"
  prefix=$WINEPREFIX
  set -- "$SUITE_NOTEBOOK_PROGRAM" "${@:2}"
fi

# The output goes to a file that is followed as it grows, not through a pipe:
# Wine's background processes keep every descriptor they inherit, and a pipe
# they hold would never reach its end.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
for attempt in 1 2; do
  : >"$log"
  WINEPREFIX=$prefix "$root/scripts/wine" "$@" </dev/null >"$log" 2>&1 &
  program=$!
  tail -f -n +1 -s 0.05 --pid="$program" "$log"
  wait "$program"
  rc=$?
  if [ "$rc" -eq 0 ] || [ -s "$log" ] || [ "$attempt" -eq 2 ]; then
    exit "$rc"
  fi
  echo "$(basename "$1") ended with status $rc before printing anything; starting it once more"
done
