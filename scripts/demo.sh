#!/usr/bin/env bash
# Sets up, builds, lays out a demo gallery with generated camera photos and
# runs the whole pipeline (① to ⑤ and a saved theme and titles) on it headless.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" dev
bin="$here/build/bin"
demo="$here/demo-gallery"

rm -rf "$demo"
mkdir -p "$demo"
cd "$demo"
"$bin/vornami-batch" init
"$here/build/bench/vornami_bench_photos" --count 12 Pelvora >/dev/null

"$bin/vornami-batch" rename thumbnails info data pages
"$bin/vornami-batch" "theme=Vornamiのデモ" \
  "title=夕焼けの丘" $'memo=最初の写真\n二行目のメモ' register next "title=二枚目" register save top-photo show

echo
echo "The demo gallery is in $demo"
echo "  open it in a browser:   xdg-open $demo/vornami/vornamitop.html"
echo "  edit it in the dialog:  (cd $demo && $bin/vornami)"
