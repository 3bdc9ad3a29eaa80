#!/usr/bin/env bash
# Fails when a source file includes a header of a layer it may not reach, in
# any include form ("x/y.h", <x/y.h>, a path relative to the file).
# Layers, lowest first: platform -> jpeg, exif, picture -> site -> app -> gui,
# cli, win. Siblings (jpeg, exif and picture; gui, cli and win) never include
# each other; the launcher stands alone on platform. texts/ is generated and
# open to all. The picture codec's headers (libjpeg-turbo) belong to picture/
# (and its tests).
# Runs on a checkout without a build: the checkout this script lies in.
set -euo pipefail
cd "$(dirname "$0")/.."

core="app site exif jpeg picture platform"
declare -A allowed=(
  [platform]="platform"
  [jpeg]="jpeg platform"
  [exif]="exif platform"
  [picture]="picture platform"
  [site]="site exif platform"
  [app]="$core"
  [gui]="gui $core"
  [cli]="cli $core"
  [win]="win $core"
  [launcher]="launcher platform"
  [gallery_template]="platform"
  [tools]="tools"
  [fuzz]="fuzz $core tests"
  [bench]="bench $core tests"
)
# The folders an include can name; any other first component (gtest/, sys/,
# QtWidgets/) is a system or package header.
project="platform jpeg exif picture site app gui cli win launcher gallery_template tools fuzz bench tests texts"
codec_headers="jpeglib.h jerror.h jconfig.h jmorecfg.h turbojpeg.h"

sources() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -co --exclude-standard -- '*.h' '*.hpp' '*.cpp' '*.cc'
  else
    find . \( -name 'build*' -o -name node_modules -o -name '.*' ! -name . \) -prune -o \
      -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.cc' \) -print |
      sed 's|^\./||'
  fi
}

bad=0
fail() {
  echo "$1" >&2
  bad=1
}

# file, line and included path of every include, in one pass.
includes() {
  sources | grep -v '^build' | tr '\n' '\0' | xargs -0 -r awk '
    match($0, /^[ \t]*#[ \t]*include[ \t]*[<"][^>"]+[>"]/) {
      s = substr($0, RSTART, RLENGTH)
      sub(/^[ \t]*#[ \t]*include[ \t]*[<"]/, "", s)
      print FILENAME "\t" FNR "\t" substr(s, 1, length(s) - 1)
    }'
}

while IFS=$'\t' read -r file line target; do
  folder=${file%%/*}
  where=$folder
  if [ "$folder" = tests ]; then
    # tests/<folder>/ may reach what <folder> reaches, and the fixtures.
    sub=${file#tests/}
    sub=${sub%%/*}
    where=tests/$sub
    case $sub in
      support | browser) layers="$core tests" ;;
      *) layers="${allowed[$sub]:-} tests" ;;
    esac
  else
    layers=${allowed[$folder]:-}
  fi
  # A path relative to the file, as the compiler would first try it.
  if [[ $target == ./* || $target == ../* ]]; then
    target=$(realpath -m --relative-to=. "$(dirname "$file")/$target")
  fi
  name=${target##*/}
  if [[ " $codec_headers " == *" $name "* ]]; then
    # tests/picture/ makes its hostile pictures with the codec itself.
    [ "$folder" = picture ] || [ "$where" = tests/picture ] ||
      fail "$file:$line: includes $target: only picture/ uses the picture codec"
    continue
  fi
  [[ $target == */* ]] || continue
  top=${target%%/*}
  [[ " $project " == *" $top "* ]] || continue
  [ "$top" = texts ] && continue
  [[ " $layers " == *" $top "* ]] ||
    fail "$file:$line: includes $target: $where may not reach $top/"
done < <(includes)

if [ $bad -ne 0 ]; then
  echo "Layer check failed: move the code down a layer or pass plain values up." >&2
  exit 1
fi
echo "Layer check passed."
