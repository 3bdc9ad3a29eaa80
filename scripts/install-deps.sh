#!/usr/bin/env bash
# Installs what Vornami needs to build, test and show its gallery on Debian 12.
# Idempotent: packages already present are not touched. Needs root for apt.
set -euo pipefail

packages=(
  build-essential cmake g++ clang clang-format pkg-config libgtest-dev   # build, tests, format check
  qt6-base-dev                                               # the dialog
  qt6-translations-l10n                                      # Qt's own dialogs in Japanese
  fonts-ipafont-gothic fonts-ipafont-mincho                   # Japanese fonts for the dialog and pages
  libjpeg62-turbo-dev libturbojpeg0-dev                      # thumbnails made from the pictures
  libjpeg-turbo-progs                                        # cjpeg/djpeg for decoder tests and demo photos
  libheif-dev                                                # HEIF photos turned into JPEGs by ①
  libheif-examples                                           # heif-enc/heif-convert for the HEIF benchmark
  chromium                                                   # the gallery test in a real browser
  xvfb xauth                                                 # screenshots of the dialog
  dpkg-dev librsvg2-bin file man-db                          # the Debian package and its icons
  lintian desktop-file-utils appstream                       # checks of the package
)
command -v node >/dev/null 2>&1 || packages+=(nodejs npm)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]} (run this script as root to install them)" >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Browser-test driver from the npm registry (the browser itself is Debian's).
here=$(cd "$(dirname "$0")/.." && pwd)
if [ -f "$here/tests/browser/package.json" ] && [ ! -d "$here/tests/browser/node_modules" ]; then
  (cd "$here/tests/browser" && npm ci --no-audit --no-fund --silent)
fi
