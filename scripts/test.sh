#!/usr/bin/env bash
# Runs every check CI runs: format and layers, the whole suite in the normal
# build, again under ASan+UBSan, and the core built and tested with clang.
# Warnings are errors in these builds (the ci presets); a plain configure
# keeps them warnings.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
cd "$here"

run_suite() {
  local preset=$1
  "$here/scripts/build.sh" "$preset"
  ctest --preset "$preset" -j"$(nproc)"
}

echo "== Format =="
bash scripts/check-format.sh
echo "== Layers =="
bash scripts/check-layers.sh
echo "== Tests =="
run_suite ci
echo "== The Debian package, unpacked and run =="
# Made from the build just tested (the ci preset is the release build).
"$here/packaging/test-installed.sh" "$here/build" "$here/build"
echo "== Windows: cross build and tests under wine =="
bash scripts/test-windows.sh "$here/build/bin"
echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
run_suite ci-asan
echo "== The core with clang =="
run_suite ci-clang
