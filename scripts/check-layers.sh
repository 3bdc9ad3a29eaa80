#!/usr/bin/env bash
# Fails when a source file includes a header of a layer it may not reach.
# Layers, lowest first: platform -> jpeg, exif -> site -> app -> gui, win, cli.
# Siblings (jpeg and exif; gui, win and cli) never include each other; the
# launcher stands alone on platform. texts/ is generated and open to all.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed=(
  [platform]="platform"
  [jpeg]="jpeg platform"
  [exif]="exif platform"
  [site]="site exif platform"
  [app]="app site exif jpeg platform"
  [gui]="gui app site exif jpeg platform"
  [cli]="cli app site exif jpeg platform"
  [win]="win app site exif jpeg platform"
  [launcher]="launcher platform"
  [gallery_template]="platform"
  [tools]="tools"
  [fuzz]="fuzz app site exif jpeg platform tests"
  [bench]="bench app site exif jpeg platform tests"
)

bad=0
while IFS= read -r file; do
  folder=${file%%/*}
  if [ "$folder" = tests ]; then
    # tests/<folder>/ may reach what <folder> reaches, and the fixtures.
    sub=${file#tests/}
    sub=${sub%%/*}
    case $sub in
      support) layers="app site exif jpeg platform tests" ;;
      browser) layers="app site exif jpeg platform tests" ;;
      *) layers="${allowed[$sub]:-} tests" ;;
    esac
  else
    layers=${allowed[$folder]:-}
  fi
  while IFS=: read -r line target; do
    top=${target%%/*}
    [ "$top" = texts ] && continue
    case " $layers " in
      *" $top "*) ;;
      *)
        echo "$file:$line: includes \"$target\": ${folder}${sub:+/$sub} may not reach $top/" >&2
        bad=1
        ;;
    esac
  done < <(grep -no '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*/[^"]*"' "$file" |
             sed -E 's/^([0-9]+):.*"([^"]*)"/\1:\2/')
  sub=
done < <(git ls-files -co --exclude-standard -- '*.h' '*.cpp' '*.hpp' '*.cc' | grep -v '^build')

if [ $bad -ne 0 ]; then
  echo "Layer check failed: move the code down a layer or pass plain values up." >&2
  exit 1
fi
echo "Layer check passed."
