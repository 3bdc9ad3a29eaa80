#!/usr/bin/env bash
# The pipeline from the unzipped Windows package under wine gives the gallery
# the Linux build gives from the same photos: every file byte for byte, but
# for pictures libjpeg-turbo made, which must show the same picture within
# codec rounding. Usage: pipeline.sh BUILD_WINDOWS_DIR LINUX_BIN_DIR
set -euo pipefail
out=$1
linux_bin=$2
here=$(cd "$(dirname "$0")/../.." && pwd)
samples=$here/../shared/samples
. "$here/tests/windows/wine-env.sh"
zip=$(ls "$out"/vornami-*-win64.zip)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work/package"
windows_batch=$(ls "$work"/package/*/vornami-batch.exe)

# Photos with embedded thumbnails of several makers, one without (made from
# the picture), one sideways.
photos=(Canon_40D Canon_PowerShot_S40 Fujifilm_FinePix6900ZOOM Fujifilm_FinePix_E500 Nikon_D70
  Kodak_CX7530 Olympus_C8080WZ Pentax_K10D)
steps=(rename thumbnails info data pages)
texts=("theme=旅の記録" 'title=一枚目 "朝"' $'memo=港の\n朝' register save next "title=二枚目" register save)

make_gallery() {  # DIR RUNNER...
  local dir=$1
  shift
  mkdir -p "$dir"
  (cd "$dir" && "$@" init >/dev/null)
  for p in "${photos[@]}"; do cp "$samples/$p.jpg" "$dir/Pelvora/"; done
  (cd "$dir" && "$@" "${steps[@]}" && "$@" "${texts[@]}") >"$dir.out"
}
make_gallery "$work/linux" "$linux_bin/vornami-batch"
make_gallery "$work/windows" wine "$windows_batch"

status=0
if ! diff <(tr -d '\r' <"$work/linux.out") <(tr -d '\r' <"$work/windows.out"); then
  echo "FAIL: the messages differ"
  status=1
fi
# Every file, both ways.
(cd "$work/linux" && find . -type f | sort) >"$work/linux.list"
(cd "$work/windows" && find . -type f | sort) >"$work/windows.list"
if ! diff "$work/linux.list" "$work/windows.list"; then
  echo "FAIL: the galleries hold different files"
  status=1
fi
same=0 pictures=0
while read -r f; do
  [ -f "$work/windows/$f" ] || continue
  if cmp -s "$work/linux/$f" "$work/windows/$f"; then
    same=$((same + 1))
    continue
  fi
  case $f in
    *.jpg)
      # Made by libjpeg-turbo on each side: the same picture within rounding.
      if python3 "$here/tests/windows/same_picture.py" "$work/linux/$f" "$work/windows/$f"; then
        pictures=$((pictures + 1))
        continue
      fi
      ;;
  esac
  echo "FAIL: $f differs"
  status=1
done <"$work/linux.list"
echo "pipeline: $same files byte for byte, $pictures pictures within rounding"
exit $status
