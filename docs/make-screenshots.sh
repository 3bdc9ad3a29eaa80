#!/bin/sh
# Makes docs/screenshot-*.png (desktop windows and a 3× phone) from a gallery
# generated with the demo photos, and docs/screenshot-windows.png, the Windows
# dialog under wine, when the Windows build is there (packaging/build-windows.sh).
# Needs a build (default: ./build), chromium, cjpeg and "npm ci" in tests/browser.
#   docs/make-screenshots.sh [BUILD_DIR]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
cmake --build "$build" --target vornami-batch vornami_gallery_template vornami_fixture_photo
node "$root/tests/browser/make_screenshots.mjs" --bin "$build/bin" \
  --fixture-photo "$build/tests/vornami_fixture_photo" --out "$root/docs"
if [ -f "$root/build-windows/build/bin/vornami.exe" ]; then
  bash "$root/tests/windows/dialog-screenshot.sh" "$root/build-windows" "$root/docs/screenshot-windows.png"
else
  echo "No Windows build (packaging/build-windows.sh): docs/screenshot-windows.png left as it is"
fi
