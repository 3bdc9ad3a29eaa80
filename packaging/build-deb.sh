#!/usr/bin/env bash
# Builds the Debian package vornami_VERSION_ARCH.deb in the given folder
# (default build-release/): the release preset, which has Debian's hardening
# flags, then cpack. Installs nothing and needs no network.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=$(realpath -m "${1:-$here/build-release}")

cd "$here"
# A folder already configured (CI's build/, the ci preset: the release
# build with its tests) is packaged as it is; any other gets the release
# preset. Only what the package holds is built: installing does not wait
# for "all".
[ -f "$dir/CMakeCache.txt" ] || cmake --preset release -B "$dir" >/dev/null
cmake --build "$dir" -j"$(nproc)" --target vornami vornami-batch vornami-decode launcher \
  vornami_gallery_template vornami_packaging_files
rm -f "$dir"/vornami_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
ls "$dir"/vornami_*.deb
