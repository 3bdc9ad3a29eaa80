#!/usr/bin/env bash
# Builds Vornami for Windows x64 on Debian: vornami-<version>-win64.zip and
# vornami-<version>-setup.exe in build-windows/. Offline: it reads only what
# scripts/install-deps.sh installed and fetched (mingw-w64, nasm, NSIS,
# GoogleTest's sources, libjpeg-turbo's Debian source in the cache below).
# Everything is linked statically: the programs need no DLL beside Windows' own.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
out=$here/build-windows
cache=${VORNAMI_WINDOWS_CACHE:-/var/cache/vornami-windows}
toolchain=$here/packaging/windows/mingw-w64-x86_64.cmake
jobs=$(nproc)
mkdir -p "$out"

# libjpeg-turbo of the version the Linux build links.
jpeg_version=$(dpkg-query -W -f='${Version}' libturbojpeg0-dev)
jpeg_upstream=${jpeg_version#*:}
jpeg_upstream=${jpeg_upstream%-*}
jpeg_src=$cache/libjpeg-turbo-$jpeg_upstream
gtest_src=/usr/src/googletest
for need in "$jpeg_src" "$gtest_src"; do
  if [ ! -d "$need" ]; then
    echo "$need is missing: run scripts/install-deps.sh as root first" >&2
    exit 1
  fi
done

# The text converters run here, on the build machine.
echo "== Build tools (native) =="
cmake -S . -B "$out/host" -DCMAKE_BUILD_TYPE=Release -DVORNAMI_GUI=OFF -DVORNAMI_TESTS=OFF \
  -DVORNAMI_BENCH=OFF -DVORNAMI_HEIF=OFF >/dev/null
cmake --build "$out/host" --target sjis_texts sjis_pages -j"$jobs" >/dev/null

# The third-party libraries, built once for a given toolchain and sources; the
# cache beside the sources keeps them for every clone on this machine. Change
# recipe when the way they are built below changes.
recipe=3
key=$( (cat "$toolchain"; echo "$recipe $jpeg_src"; dpkg-query -W -f='${Version}' googletest) |
  sha256sum | cut -c1-16)
third=$cache/mingw-$key
if ! mkdir -p "$third" 2>/dev/null || [ ! -w "$third" ]; then third=$out/third-party; fi
prefix=$third/prefix
if [ ! -f "$third/done" ]; then
  echo "== libjpeg-turbo $jpeg_upstream and GoogleTest for Windows (once) =="
  rm -rf "$third/jpeg" "$third/gtest" "$prefix"
  cmake -S "$jpeg_src" -B "$third/jpeg" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=ON \
    -DWITH_SIMD=ON -DREQUIRE_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=nasm -DCMAKE_INSTALL_PREFIX="$prefix" \
    >/dev/null
  # libjpeg's API decodes, the TurboJPEG API encodes: the static TurboJPEG
  # library holds both (it is built from all of libjpeg's sources), so it
  # alone is built and named by both pkg-config files.
  cmake --build "$third/jpeg" --target turbojpeg-static -j"$jobs" >/dev/null
  mkdir -p "$prefix/lib/pkgconfig" "$prefix/include"
  cp "$third/jpeg/libturbojpeg.a" "$prefix/lib/"
  cp "$jpeg_src/turbojpeg.h" "$jpeg_src/jpeglib.h" "$jpeg_src/jerror.h" "$jpeg_src/jmorecfg.h" \
    "$third/jpeg/jconfig.h" "$prefix/include/"
  cat >"$prefix/lib/pkgconfig/libjpeg.pc" <<PC
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: libjpeg
Description: A SIMD-accelerated JPEG codec that provides the libjpeg API
Version: $jpeg_upstream
Libs: -L\${libdir} -lturbojpeg
Cflags: -I\${includedir}
PC
  cat >"$prefix/lib/pkgconfig/libturbojpeg.pc" <<PC
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: libturbojpeg
Description: A SIMD-accelerated JPEG codec that provides the TurboJPEG API
Version: $jpeg_upstream
Libs: -L\${libdir} -lturbojpeg
Cflags: -I\${includedir}
PC
  cmake -S "$gtest_src" -B "$third/gtest" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$prefix" >/dev/null
  cmake --build "$third/gtest" -j"$jobs" >/dev/null
  cmake --install "$third/gtest" >/dev/null
  touch "$third/done"
fi

echo "== Vornami for Windows =="
export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig PKG_CONFIG_PATH=
cmake --preset windows -DVORNAMI_WINDOWS_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
  -DVORNAMI_HOST_TOOLS="$out/host/tools" >/dev/null
cmake --build --preset windows -j"$jobs"

echo "== The zip and the installer =="
bash "$here/packaging/windows/make-packages.sh" "$out/build" "$out"
