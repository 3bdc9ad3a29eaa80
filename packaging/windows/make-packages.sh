#!/usr/bin/env bash
# Lays the programs of a Windows build out as the zip's folder and makes
# vornami-<version>-win64.zip and vornami-<version>-setup.exe from it.
# Usage: make-packages.sh BUILD_DIR OUT_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$1
out=$2
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=vornami-$version
stage=$out/stage/$name
rm -rf "$out/stage"
mkdir -p "$stage"
for program in vornami vornami-batch vornami-decode launcher; do
  cp "$build/bin/$program.exe" "$stage/"
done
cp -r "$build/bin/gallery_template" "$stage/"
# Text files as Windows' editors expect them: CR LF.
sed 's/$/\r/' "$here/README.txt" >"$stage/README.txt"
sed 's/$/\r/' "$root/LICENSE" >"$stage/LICENSE.txt"
find "$stage" -exec touch -d "@${SOURCE_DATE_EPOCH:-0}" {} +

rm -f "$out/$name-win64.zip"
(cd "$out/stage" && zip -qrX "$out/$name-win64.zip" "$name")

# The uninstaller removes exactly the files laid out here, deepest first.
list=$out/stage/uninstall-list.nsh
(cd "$stage" && find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|'
 cd "$stage" && find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|') >"$list"
size_kb=$(du -sk "$stage" | cut -f1)
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DSTAGE_LIST="$list" -DSIZE_KB="$size_kb" \
  -DICON="$build/windows/vornami.ico" -DOUTFILE="$out/$name-setup.exe" "$here/vornami.nsi"
ls -l "$out/$name-win64.zip" "$out/$name-setup.exe"
