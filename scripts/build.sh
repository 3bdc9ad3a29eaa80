#!/usr/bin/env bash
# Configures and builds with a preset of CMakePresets.json (default dev, into
# build/); extra arguments go to cmake's configure step.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
preset=${1:-dev}
shift || true
cd "$here"
cmake --preset "$preset" "$@" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
