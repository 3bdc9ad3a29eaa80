#!/usr/bin/env bash
# Configures and builds into the given folder (default build/); extra arguments go to cmake.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-"$here/build"}
shift || true
cmake -S "$here" -B "$dir" "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
