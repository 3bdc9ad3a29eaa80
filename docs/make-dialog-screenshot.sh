#!/usr/bin/env bash
# Makes docs/dialog.png: the main dialog started on the demo gallery, drawn by
# Qt's offscreen platform with the Japanese font the setup installs.
#
# Without a demo gallery, one is made from the sample photos beside the
# checkout (../shared/samples) with vornami-batch: laid out, renamed, its
# thumbnails extracted, and a theme, title and memo saved for the first photo,
# so that the picture shows the first photo's decoded thumbnail next to the edits.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/build.sh" "$here/build" >/dev/null
if [ ! -d "$here/demo-gallery/Pelvora" ]; then
  if [ -x "$here/scripts/demo.sh" ]; then
    "$here/scripts/demo.sh" >/dev/null
  else
    samples="$here/../shared/samples"
    mkdir -p "$here/demo-gallery"
    cd "$here/demo-gallery"
    "$here/build/bin/vornami-batch" init
    for photo in Canon_PowerShot_S40 Canon_DIGITAL_IXUS_400 Kodak_CX7530 Nikon_D70 Pentax_K10D; do
      cp "$samples/$photo.jpg" Pelvora/
    done
    "$here/build/bin/vornami-batch" rename thumbnails >/dev/null || true
    "$here/build/bin/vornami-batch" "theme=夏の旅" "title=港の朝" "memo=花壇の前で。
曇り空。" register save >/dev/null
  fi
fi
cd "$here/demo-gallery"
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$(mktemp -d) \
  "$here/build/tools/vornami-dialog-screenshot" "$here/docs/dialog.png"
echo "wrote docs/dialog.png"
