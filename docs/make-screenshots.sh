#!/bin/sh
# Makes docs/screenshot-*.png (desktop windows and a 3× phone) from a gallery
# generated with the demo photos.
# Needs a build (default: ./build), chromium, cjpeg and "npm ci" in tests/browser.
#   docs/make-screenshots.sh [BUILD_DIR]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
cmake --build "$build" --target vornami-batch vornami_gallery_template vornami_fixture_photo
exec node "$root/tests/browser/make_screenshots.mjs" --bin "$build/bin" \
  --fixture-photo "$build/tests/vornami_fixture_photo" --out "$root/docs"
