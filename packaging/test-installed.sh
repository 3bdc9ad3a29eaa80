#!/usr/bin/env bash
# Tests the Debian package as a user gets it: builds it (packaging/build-deb.sh),
# checks it with lintian, desktop-file-validate and appstreamcli, unpacks it
# into a scratch root with dpkg-deb -x (nothing is installed on this machine),
# and runs the unpacked programs: --help and --version of each, and
# `vornami-batch init` with the whole pipeline on generated demo photos.
#
#   packaging/test-installed.sh [PACKAGE_BUILD_DIR [DEV_BUILD_DIR]]
#
# The demo photos come from vornami_bench_photos of the development build
# (default build/, as scripts/test.sh leaves it).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
pkgbuild=${1:-"$here/build-release"}
devbuild=$(cd "${2:-$here/build}" && pwd)
app_id=org.example.Vornami

fail() {
  echo "test-installed: $*" >&2
  exit 1
}

deb=$("$here/packaging/build-deb.sh" "$pkgbuild" | tail -n 1)
[ -f "$deb" ] || fail "no package built"
version=$(dpkg-deb -f "$deb" Version)

echo "== lintian, desktop-file-validate, appstreamcli on $(basename "$deb") =="
lintian --fail-on error,warning "$deb"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml"

echo "== the unpacked layout =="
for file in usr/share/icons/hicolor/scalable/apps/$app_id.svg \
  usr/share/doc/vornami/copyright usr/share/doc/vornami/changelog.gz \
  usr/share/vornami/gallery_template/vornami/vornamitop.html; do
  [ -f "$root/$file" ] || fail "$file is missing"
done
for size in 48 128 256; do
  png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
  [ -f "$png" ] || fail "the ${size} px icon is missing"
  file "$png" | grep -q "PNG image data, $size x $size" || fail "$png is not $size x $size"
done
bin=$root/usr/bin
for program in vornami vornami-batch vornami-decode vornami-launcher; do
  [ -x "$bin/$program" ] || fail "$program is not in /usr/bin"
  page=$root/usr/share/man/man1/$program.1.gz
  [ -f "$page" ] || fail "the man page of $program is missing"
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man page of $program: $warnings"
done
[ ! -e "$bin/launcher" ] || fail "the launcher is installed under its gallery name"

echo "== --help and --version =="
export QT_QPA_PLATFORM=offscreen
for program in vornami vornami-batch vornami-decode vornami-launcher; do
  out=$("$bin/$program" --help) || fail "$program --help failed"
  case $out in "usage: $program"*) ;; *) fail "$program --help printed: $out" ;; esac
  out=$("$bin/$program" --version) || fail "$program --version failed"
  [ "$out" = "$program $version" ] || fail "$program --version printed: $out"
done
set +e
"$bin/vornami-batch" no-such-action 2>/dev/null
status=$?
set -e
[ "$status" -eq 64 ] || fail "a usage error ended with $status, not 64"

echo "== vornami-batch init and the pipeline, from the unpacked package =="
cmake --build "$devbuild" --target vornami_bench_photos >/dev/null
gallery=$scratch/gallery
mkdir "$gallery"
cd "$gallery"
"$bin/vornami-batch" init
diff -r "$root/usr/share/vornami/gallery_template" "$gallery" 2>&1 | grep -v "^Only in $gallery" &&
  fail "init laid out something other than the installed template"
[ ! -e "$gallery/launcher" ] || fail "init laid the launcher into the gallery"
"$devbuild/bench/vornami_bench_photos" --count 12 Pelvora >/dev/null
"$bin/vornami-batch" rename thumbnails info data pages >"$scratch/steps.txt" ||
  fail "the steps failed: $(cat "$scratch/steps.txt")"
"$bin/vornami-batch" "theme=インストールの試験" "title=一枚目" register save last show \
  >"$scratch/show.txt" || fail "editing failed: $(cat "$scratch/show.txt")"
grep -qx "number: No.12" "$scratch/show.txt" || fail "show printed: $(cat "$scratch/show.txt")"
grep -qx "count: トータル写真枚数 = 12" "$scratch/show.txt" ||
  fail "show printed: $(cat "$scratch/show.txt")"
[ "$(find Pelvora -name '????_??_??_??_??_??.jpg' | wc -l)" -eq 12 ] || fail "① renamed not all"
[ "$(find gallery/thumbnail -name 'Tn_*.jpg' | wc -l)" -eq 12 ] || fail "② wrote not all"
for file in gallery/section/information/inf12.html gallery/data/filename.js \
  gallery/data/title.js gallery/notes/no12.html gallery/section/action/action12.html; do
  [ -s "$file" ] || fail "$file was not written"
done
LC_ALL=C grep -qF "$(printf 'インストールの試験' | iconv -f UTF-8 -t CP932)" gallery/data/subject.js ||
  fail "the theme was not saved"
echo "installed-layout test passed: $(basename "$deb")"
