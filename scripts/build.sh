#!/usr/bin/env bash
# build.sh <build dir> [cmake options...]: configures (once) and builds with Ninja.
set -euo pipefail
dir=$1
shift
cmake -S "$(dirname "$0")/.." -B "$dir" -G Ninja "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
