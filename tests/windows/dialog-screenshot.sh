#!/usr/bin/env bash
# docs/screenshot-windows.png: the Windows dialog under wine and Xvfb in a
# gallery of the shared sample photos. Wine has none of Windows' Japanese UI
# fonts: the test prefix maps them to Debian's IPAPGothic.
# Usage: dialog-screenshot.sh BUILD_WINDOWS_DIR OUT.png
set -euo pipefail
out=$1
png=$2
here=$(cd "$(dirname "$0")/../.." && pwd)
. "$here/tests/windows/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
wine_ready
wine_japanese_fonts
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bin=$out/build/bin
(cd "$work" && wine "$bin/vornami-batch.exe" init >/dev/null)
for p in Canon_40D Nikon_D70 Pentax_K10D; do cp "$here/../shared/samples/$p.jpg" "$work/Pelvora/"; done
(cd "$work" && wine "$bin/vornami-batch.exe" rename thumbnails "theme=旅の記録" "title=朝の港" register save >/dev/null)
(cd "$work" && wine "$out/build/tools/vornami-dialog-screenshot.exe" shot.bmp)
python3 "$here/tests/windows/bmp_to_png.py" "$work/shot.bmp" "$png"
echo "wrote $png"
