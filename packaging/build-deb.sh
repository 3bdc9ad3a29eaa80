#!/usr/bin/env bash
# Builds the Debian package vornami_VERSION_ARCH.deb in the given folder
# (default build-deb/): a release build of the programs with Debian's
# hardening flags, then cpack. Installs nothing and needs no network.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-"$here/build-deb"}

cmake -S "$here" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DVORNAMI_GUI=ON \
  -DVORNAMI_TESTS=OFF -DVORNAMI_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-D_FORTIFY_SOURCE=2 -fstack-protector-strong" \
  -DCMAKE_EXE_LINKER_FLAGS="-Wl,-z,relro,-z,now" >/dev/null
cmake --build "$dir" -j"$(nproc)"
rm -f "$dir"/vornami_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
ls "$dir"/vornami_*.deb
