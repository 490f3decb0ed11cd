#!/usr/bin/env bash
# Runs every test of a build folder with ctest (further arguments go to ctest) and fails when any
# test failed or was skipped, naming the skipped ones: a test skips without its print server, tool
# or module, and a run that skipped a test has not shown that the program works.
set -uo pipefail
build=${1:?usage: run-tests.sh <build folder> [ctest arguments]}
shift
log="$build/ctest-output.log"
(cd "$build" && ctest --output-on-failure "$@") 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
# ctest lists them under "The following tests did not run:" as "<n> - <name> (Skipped)".
skipped=$(sed -n 's/^[[:space:]]*[0-9]\{1,\} - \(.*\) (Skipped)$/\1/p' "$log")
if [ -n "$skipped" ]; then
  echo "FAILED: $(wc -l <<<"$skipped") tests skipped in $build (is CUPS_SERVER set, are the tools installed?):"
  sed 's/^/  /' <<<"$skipped"
  status=1
fi
exit "$status"
