#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOS_BENCH=OFF
exec "$here/build/quorvanel" "$@"
