#!/usr/bin/env bash
# Runs every test: the normal build, then the same suite under ASan+UBSan.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"

run_suite() {
  local dir=$1
  shift
  "$here/scripts/build.sh" "$dir" "$@"
  (cd "$dir" && ctest --output-on-failure -j"$(nproc)")
}

echo "== Tests =="
run_suite "$here/build" -DVORNAMI_TESTS=ON
echo "== The Debian package, unpacked and run =="
"$here/packaging/test-installed.sh" "$here/build-deb" "$here/build"
echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions="$here/tests/lsan.supp" \
  run_suite "$here/build-asan" -DCMAKE_BUILD_TYPE=Debug -DVORNAMI_SANITIZE=ON -DVORNAMI_TESTS=ON
