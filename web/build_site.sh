#!/usr/bin/env bash
# Builds the web site of the game:
#   web/build_site.sh BUILD_DIR
# BUILD_DIR/native  a native build: the asset generator writes the pack there
#                   (and the headless driver the browser tests compare with),
#                   unless GULPKIN_NATIVE_GAME_DIR names one already built
# BUILD_DIR/cmake   the game compiled by Emscripten
# BUILD_DIR/site    the site: index.html, the page, gulpkin.js/.wasm/.data
# The libraries compiled for the browser are kept in
# ${XDG_CACHE_HOME:-~/.cache}/gulpkin-web/, one folder per Emscripten version,
# and the game's latest links in its links/ (web/cached_link.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=$(realpath -m "${1:-build-web}")
jobs=${GULPKIN_WEB_JOBS:-2}
# Debian's emcc finds its JavaScript optimiser through Node's own folder.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

emscripten_version=$(emcc -dumpversion 2>/dev/null || true)
[ -n "$emscripten_version" ] || { echo "emcc does not run: is the emscripten package installed?" >&2; exit 1; }
prefix=${XDG_CACHE_HOME:-$HOME/.cache}/gulpkin-web/emscripten-$emscripten_version

native_game=$(tools/native_game.sh "$build_dir/native" "$jobs")

web/build_libraries.sh "$prefix"

echo "Compiling the game for the browser"
export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig:$prefix/share/pkgconfig
mkdir -p "$build_dir"
if ! emcmake cmake -S . -B "$build_dir/cmake" -DCMAKE_BUILD_TYPE=Release -DGULPKIN_TESTS=OFF \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" \
    -DGULPKIN_WEB_PACK="$native_game" -DGULPKIN_WEB_SITE="$build_dir/site" \
    -DGULPKIN_WEB_LINK_CACHE="$prefix/links" >"$build_dir/configure.log" 2>&1; then
    cat "$build_dir/configure.log" >&2
    exit 1
fi
# compilations through clang itself (emscripten_compile.sh), as for the libraries
eval "$(web/emscripten_compile.sh --settings)"
nice -n 5 cmake --build "$build_dir/cmake" -j"$jobs" --target gulpkin-site >/dev/null

echo "The site is in $build_dir/site ($(( $(du -sb "$build_dir/site" | cut -f1) / 1000 )) kB):"
echo "  python3 -m http.server -d $build_dir/site"
