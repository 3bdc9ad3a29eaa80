#!/usr/bin/env bash
# Builds the Debian package vornami_VERSION_ARCH.deb in the given folder
# (default build-release/): the release preset with Debian's hardening
# flags, then cpack. Installs nothing and needs no network.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=$(realpath -m "${1:-$here/build-release}")

cd "$here"
# Only what the package holds is built: installing does not wait for "all".
cmake --preset release -B "$dir" -DVORNAMI_GUI=ON -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
  -DCMAKE_CXX_FLAGS="-D_FORTIFY_SOURCE=2 -fstack-protector-strong" \
  -DCMAKE_EXE_LINKER_FLAGS="-Wl,-z,relro,-z,now" >/dev/null
cmake --build "$dir" -j"$(nproc)" --target vornami vornami-batch vornami-decode launcher \
  vornami_gallery_template vornami_packaging_files
rm -f "$dir"/vornami_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
ls "$dir"/vornami_*.deb
