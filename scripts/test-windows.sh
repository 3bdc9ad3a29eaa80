#!/usr/bin/env bash
# The Windows part of the checks: cross-builds (packaging/build-windows.sh),
# then runs under Debian's wine every test program of the Windows build (less
# what tests/windows-skips.txt names, with its reason), the pipeline from the
# unzipped package compared with the Linux build's gallery, the launcher, and
# the installer installed and uninstalled. Needs the Linux build in build/
# (scripts/build.sh) for the comparison.
set -euo pipefail
# The dialog's tests need a display: a virtual one.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
here=$(cd "$(dirname "$0")/.." && pwd)
linux_bin=$(cd "${1:-$here/build/bin}" && pwd)
cd "$here"
out=$here/build-windows
start=$(date +%s)
bash packaging/build-windows.sh
built=$(date +%s)
. tests/windows/wine-env.sh
wine_ready
wine_japanese_fonts

# The skip list's test patterns, as one negative GoogleTest filter.
filter=$(grep -v '^\s*\(#\|$\|file \)' tests/windows-skips.txt | sed 's/\s*#.*//' | paste -sd: -)
passed=0 skipped=0 failed=0
echo "== Test programs under wine (skipping: $filter) =="
for exe in "$out"/build/tests/*_tests.exe; do
  log=$out/$(basename "$exe" .exe).log
  # A window left waiting for a click would wait for ever: a time limit.
  if (cd "$out/build" && timeout 300 wine "$exe" --gtest_filter="-$filter" >"$log" 2>&1); then
    status=ok
  else
    status=FAILED
    failed=$((failed + 1))
    grep -E '^\[  FAILED  \]|Failure|error' "$log" | head -40 || true
  fi
  p=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$log" | tr -d '\r')
  s=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) test.*/\1/p' "$log" | tr -d '\r')
  passed=$((passed + ${p:-0}))
  skipped=$((skipped + ${s:-0}))
  echo "$(basename "$exe"): $status (${p:-0} passed, ${s:-0} skipped)"
done
echo "== The package under wine =="
for check in pipeline launcher installer; do
  if bash "tests/windows/$check.sh" "$out" "$linux_bin"; then
    passed=$((passed + 1))
  else
    echo "FAILED: tests/windows/$check.sh"
    failed=$((failed + 1))
  fi
done
wineserver -k 2>/dev/null || true
echo "Windows: cross build $((built - start)) s, tests under wine $(($(date +%s) - built)) s"
echo "windows: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
