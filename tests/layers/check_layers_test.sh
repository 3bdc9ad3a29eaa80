#!/usr/bin/env bash
# The layer check must fail on every forbidden include, in every form, and
# pass the allowed ones. Each row plants one include into a fresh copy of the
# script's folder layout (no build needed) and runs scripts/check-layers.sh there.
set -euo pipefail
script="$(cd "$(dirname "$0")/../.." && pwd)/scripts/check-layers.sh"

# expected result | file the include is planted in | the include line
rows=(
  'fail|exif/date_name.cpp|#include <site/html_text.h>'
  'fail|exif/date_name.cpp|#include "site/html_text.h"'
  'fail|exif/date_name.cpp|  #  include   "../site/html_text.h"'
  'fail|exif/photo_info.cpp|#include "picture/thumbnail_maker.h"'
  'fail|picture/thumbnail_maker.cpp|#include <jpeg/dib.h>'
  'fail|jpeg/dib.cpp|#include "exif/exif_reader.h"'
  'fail|platform/raw_file.cpp|#include <jpeg/dib.h>'
  'fail|site/html_text.cpp|#include "app/dialog_controls.h"'
  'fail|app/make_thumbnails.cpp|#include <gui/qt_dialog.h>'
  'fail|gui/qt_dialog.cpp|#include "cli/batch_ui.h"'
  'fail|cli/main.cpp|#include <win/win_dialog.h>'
  'fail|win/win_dialog.cpp|#include "gui/qt_dialog.h"'
  'fail|launcher/main.cpp|#include "app/ui_port.h"'
  'fail|app/load_preview.cpp|#include <jpeglib.h>'
  'fail|tests/exif/date_name_test.cpp|#include "app/gallery_editor_dlg.h"'
  'fail|newfolder/thing.cpp|#include "platform/result.h"'
  'pass|win/win_dialog.cpp|#include <app/ui_port.h>'
  'pass|app/make_thumbnails.cpp|#include "picture/thumbnail_maker.h"'
  'pass|picture/thumbnail_maker.cpp|#include <turbojpeg.h>'
  'pass|tests/picture/picture_decoder_test.cpp|#include <jpeglib.h>'
  'fail|tests/app/make_thumbnails_test.cpp|#include <jpeglib.h>'
  'pass|exif/date_name.cpp|#include <gtest/gtest.h>'
  'pass|exif/date_name.cpp|#include "texts/info_texts.h"'
  'pass|tests/picture/thumbnail_maker_test.cpp|#include "picture/thumbnail_maker.h"'
)

failures=0
for row in "${rows[@]}"; do
  IFS='|' read -r want file include <<<"$row"
  tree=$(mktemp -d)
  mkdir -p "$tree/scripts" "$tree/$(dirname "$file")"
  cp "$script" "$tree/scripts/"
  printf '%s\n' "$include" >"$tree/$file"
  if bash "$tree/scripts/check-layers.sh" >/dev/null 2>&1; then got=pass; else got=fail; fi
  rm -rf "$tree"
  if [ "$got" != "$want" ]; then
    echo "expected $want, got $got: $file: $include" >&2
    failures=$((failures + 1))
  fi
done
echo "${#rows[@]} rows, $failures wrong"
[ "$failures" -eq 0 ]
