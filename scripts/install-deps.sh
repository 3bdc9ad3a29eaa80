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
  g++-mingw-w64-x86-64-posix nasm                            # the Windows build (packaging/build-windows.sh)
  nsis icoutils zip                                          # its installer, icon and zip
  unzip python3                                              # its package checked under wine
  wine wine64                                                # its tests
  googletest                                                 # GoogleTest's sources, built for Windows
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

# libjpeg-turbo's Debian source, of the version the Linux build links, for the
# Windows build; kept outside the checkout so that packaging/build-windows.sh
# works offline from any clone. apt-get source needs a deb-src entry.
windows_cache=${VORNAMI_WINDOWS_CACHE:-/var/cache/vornami-windows}
jpeg_version=$(dpkg-query -W -f='${Version}' libturbojpeg0-dev)
jpeg_upstream=${jpeg_version#*:}
jpeg_upstream=${jpeg_upstream%-*}
if [ ! -d "$windows_cache/libjpeg-turbo-$jpeg_upstream" ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "libjpeg-turbo's source is missing in $windows_cache (run this script as root)" >&2
    exit 1
  fi
  if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
        > /etc/apt/sources.list.d/vornami-deb-src.sources
    else
      sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > /etc/apt/sources.list.d/vornami-deb-src.list
    fi
    apt-get update -qq
  fi
  mkdir -p "$windows_cache"
  (cd "$windows_cache" && apt-get source -qq "libjpeg-turbo=$jpeg_version" >/dev/null)
fi

# Browser-test driver from the npm registry (the browser itself is Debian's).
here=$(cd "$(dirname "$0")/.." && pwd)
if [ -f "$here/tests/browser/package.json" ] && [ ! -d "$here/tests/browser/node_modules" ]; then
  (cd "$here/tests/browser" && npm ci --no-audit --no-fund --silent)
fi
