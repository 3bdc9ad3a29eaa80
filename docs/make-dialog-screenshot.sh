#!/usr/bin/env bash
# Makes docs/dialog.png: the main dialog started on the demo gallery (made by
# scripts/demo.sh when it is missing), drawn by Qt's offscreen platform with the
# Japanese font the setup installs: the first photo's decoded thumbnail next to
# the saved theme, title and memo.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
[ -d "$here/demo-gallery/Pelvora" ] || "$here/scripts/demo.sh" >/dev/null
"$here/scripts/build.sh" dev >/dev/null
cd "$here/demo-gallery"
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$(mktemp -d) \
  "$here/build/tools/vornami-dialog-screenshot" "$here/docs/dialog.png"
echo "wrote docs/dialog.png"
