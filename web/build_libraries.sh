#!/usr/bin/env bash
# Compiles the libraries the browser build links (SDL2, FreeType, HarfBuzz,
# SDL2_ttf, libxmp, libjpeg-turbo) with Emscripten from Debian's source
# packages, into a prefix outside the repository:
#   web/build_libraries.sh PREFIX
# Each package is fetched with apt-get source and built once per package
# version and recipe (tools/library_recipes.sh); a later run finds its stamp
# in PREFIX/stamps and skips it. The compilers are the ones emcmake and
# emconfigure set; builds run niced.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
prefix=$1
jobs=${GULPKIN_WEB_JOBS:-2}
# emcc's optimiser of linked programs (a library's own tools) needs Debian's
# Node modules
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
sources=$prefix/sources
mkdir -p "$prefix/stamps" "$sources"

source "$here/../tools/debian_sources.sh"
source "$here/../tools/library_recipes.sh"
lock_prefix

platform=web
target_name="the browser"
package_note="compiled for the browser"
cmake_command=(emcmake cmake)
cmake_platform=(-DCMAKE_FIND_ROOT_PATH="$prefix")
configure_command=(emconfigure ./configure)
# (a configure script and its make compile through the launcher below too)
configure_platform=(--host=wasm32-unknown-emscripten "CC=$here/emscripten_compile.sh emcc")
make_command=(emmake make)
# No OpenGL: the frame reaches the canvas through SDL's window picture, which
# the page can read back pixel for pixel. No HIDAPI: the browser hands over
# its own pads.
sdl2_options=(-DSDL_OPENGL=OFF -DSDL_HIDAPI=OFF)
ttf_private_libs=""
toolchain_id=emscripten-$(emcc -dumpversion)
sdl2_checks=$(cat "$here/sdl2_checks.cmake" 2>/dev/null || true)
# The CMake builds compile each file, their checks' too, without emcc's own
# start-up (emscripten_compile.sh): the same objects, so no part of a recipe.
# SDL2's configure checks are answered from sdl2_checks.cmake when it was
# recorded for this SDL2 and Emscripten (tools/library_recipes.sh).
eval "$("$here/emscripten_compile.sh" --settings)"
export CMAKE_C_COMPILER_LAUNCHER=$here/emscripten_compile.sh CMAKE_CXX_COMPILER_LAUNCHER=$here/emscripten_compile.sh
recipe_settings=(cmake_command cmake_platform configure_command configure_platform make_command package_note
                 sdl2_options ttf_private_libs toolchain_id sdl2_checks)

# The type sizes are given: the configure check cannot run its program here.
web_build_libjpeg_turbo() {
    build_libjpeg_turbo "$1" -DHAVE_SIZE_T=TRUE -DSIZE_T=4 -DHAVE_UNSIGNED_LONG=TRUE -DUNSIGNED_LONG=4
}

ensure_source_entries
build_game_libraries
