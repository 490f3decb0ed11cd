#!/usr/bin/env bash
# Installs what is missing, builds the program (not the tests), and starts it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOS_BENCH=OFF >/dev/null
cmake --build "$here/build" -j "$(nproc)" --target quorvanel
exec "$here/build/quorvanel" "$@"
