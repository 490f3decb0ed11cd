#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a normal build, once under
# AddressSanitizer and UndefinedBehaviorSanitizer; warnings are errors in both. Exits non-zero on
# any failure, and on any skipped test (scripts/run-tests.sh): every server and tool they need is
# here.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"

# The private print server runs as root: cupsd hands jobs to the lp user and runs the cups-pdf
# backend as root, and leaves files of theirs behind.
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
cups=$(mktemp -d /tmp/pos-cups.XXXXXX)
trap '$SUDO "$here/scripts/private-cups.sh" stop "$cups"; $SUDO rm -rf "$cups"' EXIT
CUPS_SERVER=$($SUDO "$here/scripts/private-cups.sh" start "$cups" | tail -n 1)
export CUPS_SERVER

status=0
"$here/scripts/build.sh" "$here/build-test" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOS_WERROR=ON
"$here/scripts/run-tests.sh" "$here/build-test" -j "$(nproc)" || status=1

"$here/scripts/build.sh" "$here/build-asan" -DCMAKE_BUILD_TYPE=Debug -DPOS_WERROR=ON -DPOS_SANITIZE=ON -DPOS_BENCH=OFF
"$here/scripts/run-tests.sh" "$here/build-asan" -j "$(nproc)" || status=1
exit $status
