#!/bin/sh
# Writes docs/dialog.png: the editor dialog as it starts on a small gallery
# whose first photo's thumbnail (from the sample photos beside the checkout)
# shows next to the theme, title and memo edits. Renders offscreen with Qt;
# needs the samples folder ../shared/samples and the build's gui tests.
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
cmake -S . -B "$build" > /dev/null
cmake --build "$build" -j2 --target gui_tests
QT_QPA_PLATFORM=offscreen VORNAMI_SCREENSHOT="$PWD/docs/dialog.png" \
  "$build/tests/gui_tests" --gtest_filter='PreviewPaint.DialogScreenshot'
echo "wrote docs/dialog.png"
