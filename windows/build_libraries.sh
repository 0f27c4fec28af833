#!/usr/bin/env bash
# Cross-compiles the libraries the Windows build links (SDL2, FreeType,
# HarfBuzz, SDL2_ttf, libxmp, libjpeg-turbo, and GoogleTest for the test
# programs when GULPKIN_WINDOWS_TESTS is set)
# with Debian's MinGW-w64 compilers from Debian's source packages, as static
# libraries, into a prefix outside the repository, and prints the prefix:
#   windows/build_libraries.sh
# The prefix is ${XDG_CACHE_HOME:-~/.cache}/gulpkin-windows/<toolchain>/, so
# that a new compiler starts afresh. Each package is fetched with apt-get
# source and built once per package version; a later run finds its stamp in
# PREFIX/stamps and skips it. Builds run niced.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
toolchain_version=gcc-$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)-mingw-$(dpkg-query -W -f='${Version}' mingw-w64-x86-64-dev)
toolchain_version=${toolchain_version//[:~]/_}
prefix=${GULPKIN_WINDOWS_PREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/gulpkin-windows/$toolchain_version}
jobs=${GULPKIN_WINDOWS_JOBS:-2}
host=x86_64-w64-mingw32
sources=$prefix/sources
mkdir -p "$prefix/stamps" "$sources" "$prefix/licenses"

source "$here/../tools/debian_sources.sh"
lock_prefix

cmake_build() {
    local source=$1
    shift
    local build=$source/build-windows log=$source/build-windows.log
    rm -rf "$build"
    quietly "$log" nice -n 10 cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$here/mingw_toolchain.cmake" -DGULPKIN_WINDOWS_PREFIX="$prefix" \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF "$@"
    quietly "$log" nice -n 10 cmake --build "$build" -j"$jobs"
    quietly "$log" cmake --install "$build"
}

build_libsdl2() {
    cmake_build "$1" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
    # The programs bring their own entry and choose their own subsystem (the
    # game a window program, the tools console ones): SDL's renaming of main,
    # its SDL2main and its -mwindows are taken out of what it asks of every
    # program.
    sed -i -e 's/ -Dmain=SDL_main//g' -e 's/ -lSDL2main//g' -e 's/ -mwindows//g' "$prefix/lib/pkgconfig/sdl2.pc"
}

build_freetype() {
    cmake_build "$1" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
        -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
}

build_harfbuzz() {
    cmake_build "$1" -DHB_HAVE_FREETYPE=ON -DHB_BUILD_SUBSET=OFF -DHB_BUILD_TESTS=OFF -DHB_BUILD_UTILS=OFF
}

build_libsdl2_ttf() {
    # shaped by HarfBuzz like Debian's own build, so that lines come out the
    # same as in the Linux game
    cmake_build "$1" -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=ON -DSDL2TTF_SAMPLES=OFF
    # its build writes a package file for a shared library only; this one
    # also names the static libraries under it
    cat >"$prefix/lib/pkgconfig/SDL2_ttf.pc" <<PC
Name: SDL2_ttf
Description: SDL2_ttf cross-compiled for Windows
Version: 2
Requires: sdl2
Libs: -L$prefix/lib -lSDL2_ttf -lharfbuzz -lfreetype
Libs.private: -lusp10 -lgdi32 -lrpcrt4
Cflags: -I$prefix/include/SDL2
PC
}

build_libxmp() {
    local source=$1 log=$1/build-windows.log
    (cd "$source" &&
        quietly "$log" nice -n 10 ./configure --host=$host CC=$host-gcc-posix AR=$host-gcc-ar-posix \
            RANLIB=$host-gcc-ranlib-posix --prefix="$prefix" --disable-shared --enable-static &&
        quietly "$log" nice -n 10 make -j"$jobs" && quietly "$log" make install)
    # a static libxmp must be declared so, or its header asks for a DLL
    # (BUILDING_STATIC in this version, LIBXMP_STATIC in later ones)
    sed -i 's/^Cflags: \(.*\)$/Cflags: \1 -DBUILDING_STATIC -DLIBXMP_STATIC/' "$prefix/lib/pkgconfig/libxmp.pc"
}

build_libjpeg_turbo() {
    cmake_build "$1" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
}

build_googletest() {
    cmake_build "$1" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
}

# the licence travels with the programs the library is linked into
copy_notice() { cp "$1/debian/copyright" "$prefix/licenses/$notice.txt"; }

# build_package, keeping the licence as NOTICE.txt (none when NOTICE is "")
build_windows_package() {
    local package=$1 builder=$2
    notice=$3
    build_package "$package" "$builder" Windows ${notice:+copy_notice}
}

ensure_source_entries
build_windows_package libsdl2 build_libsdl2 SDL2
build_windows_package freetype build_freetype FreeType
build_windows_package harfbuzz build_harfbuzz HarfBuzz
build_windows_package libsdl2-ttf build_libsdl2_ttf SDL2_ttf
build_windows_package libxmp build_libxmp libxmp
build_windows_package libjpeg-turbo build_libjpeg_turbo libjpeg-turbo
# the test programs only: not shipped, so no licence to carry
if [ -n "${GULPKIN_WINDOWS_TESTS:-}" ]; then
    build_windows_package googletest build_googletest ""
fi
# The compiler's runtime (libstdc++, libgcc, winpthreads) and the DejaVu face
# are shipped too.
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$prefix/licenses/GCC-runtime.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$prefix/licenses/MinGW-w64.txt"
cp /usr/share/doc/fonts-dejavu-core/copyright "$prefix/licenses/DejaVu-fonts.txt"
echo "$prefix"
