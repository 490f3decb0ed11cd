#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a normal build, once under
# AddressSanitizer and UndefinedBehaviorSanitizer; warnings are errors in both. Exits non-zero on
# any failure.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"

cups=$(mktemp -d /tmp/pos-cups.XXXXXX)
trap '"$here/scripts/private-cups.sh" stop "$cups"; rm -rf "$cups"' EXIT
CUPS_SERVER=$("$here/scripts/private-cups.sh" start "$cups" | tail -n 1)
export CUPS_SERVER

status=0
"$here/scripts/build.sh" "$here/build-test" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOS_WERROR=ON
(cd "$here/build-test" && ctest --output-on-failure -j "$(nproc)") || status=1

"$here/scripts/build.sh" "$here/build-asan" -DCMAKE_BUILD_TYPE=Debug -DPOS_WERROR=ON -DPOS_SANITIZE=ON -DPOS_BENCH=OFF
(cd "$here/build-asan" && ctest --output-on-failure -j "$(nproc)") || status=1
exit $status
