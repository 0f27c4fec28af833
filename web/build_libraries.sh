#!/usr/bin/env bash
# Compiles the libraries the browser build links (SDL2, FreeType, HarfBuzz,
# SDL2_ttf, libxmp, libjpeg-turbo) with Emscripten from Debian's source
# packages, into a prefix outside the repository:
#   web/build_libraries.sh PREFIX
# Each package is fetched with apt-get source and built once per package
# version; a later run finds its stamp in PREFIX/stamps and skips it.
# The compilers are the ones emcmake/emconfigure set; builds run niced.
set -euo pipefail

prefix=$1
jobs=${GULPKIN_WEB_JOBS:-2}
sources=$prefix/sources
mkdir -p "$prefix/stamps" "$sources"

source "$(dirname "$0")/../tools/debian_sources.sh"
lock_prefix

cmake_build() {
    local source=$1
    shift
    local build=$source/build-web log=$source/build-web.log
    rm -rf "$build"
    quietly "$log" nice -n 10 emcmake cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" \
        -DBUILD_SHARED_LIBS=OFF "$@"
    quietly "$log" nice -n 10 cmake --build "$build" -j"$jobs"
    quietly "$log" cmake --install "$build"
}

build_libsdl2() {
    # no OpenGL ES: the frame reaches the canvas through SDL's window
    # picture, which the page can read back pixel for pixel
    cmake_build "$1" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_OPENGLES=OFF -DSDL_OPENGL=OFF
}

build_freetype() {
    cmake_build "$1" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
        -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
}

build_harfbuzz() {
    cmake_build "$1" -DHB_HAVE_FREETYPE=ON -DHB_BUILD_SUBSET=OFF -DHB_BUILD_TESTS=OFF
}

build_libsdl2_ttf() {
    # shaped by HarfBuzz like Debian's own build, so that lines come out the
    # same as in the desktop game
    cmake_build "$1" -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=ON -DSDL2TTF_SAMPLES=OFF
    # its build writes a package file for a shared library only; this one
    # also names the static libraries under it
    cat >"$prefix/lib/pkgconfig/SDL2_ttf.pc" <<EOF
Name: SDL2_ttf
Description: SDL2_ttf compiled for the browser
Version: 2
Requires: sdl2
Libs: -L$prefix/lib -lSDL2_ttf -lharfbuzz -lfreetype
Cflags: -I$prefix/include/SDL2
EOF
}

build_libxmp() {
    local source=$1 log=$1/build-web.log
    (cd "$source" &&
        quietly "$log" nice -n 10 emconfigure ./configure --host=wasm32-unknown-emscripten --prefix="$prefix" \
            --disable-shared --enable-static &&
        quietly "$log" nice -n 10 emmake make -j"$jobs" && quietly "$log" emmake make install)
}

# The type sizes are given: the configure check cannot run its program here.
build_libjpeg_turbo() {
    cmake_build "$1" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF \
        -DHAVE_SIZE_T=TRUE -DSIZE_T=4 -DHAVE_UNSIGNED_LONG=TRUE -DUNSIGNED_LONG=4
}

ensure_source_entries
build_package libsdl2 build_libsdl2 "the browser"
build_package freetype build_freetype "the browser"
build_package harfbuzz build_harfbuzz "the browser"
build_package libsdl2-ttf build_libsdl2_ttf "the browser"
build_package libxmp build_libxmp "the browser"
build_package libjpeg-turbo build_libjpeg_turbo "the browser"
