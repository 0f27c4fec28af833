#!/usr/bin/env bash
# A library built for another platform is built again exactly when its recipe
# changes: its builder, a helper the builder calls, or a platform setting; and
# only once for an unchanged recipe. The archive and the compilers are stood
# in for: each "build" only counts itself.
#   tests/scripts/library_stamps.sh SOURCE_DIR
set -euo pipefail
source "$1/tools/debian_sources.sh"
source "$1/tools/library_recipes.sh"

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
sources=$prefix/sources
mkdir -p "$prefix/stamps" "$sources"
source_version() { echo 1.0-1; }
fetch_source() { mkdir -p "$sources/$1" && echo "$sources/$1"; }
cmake_build() { echo built >>"$prefix/builds"; }
platform=test
sdl2_options=(-DSDL_OPENGL=OFF)
recipe_settings=(sdl2_options)

builds() { wc -l <"$prefix/builds" 2>/dev/null || echo 0; }
expect() {
    local want=$1 what=$2
    build_package libsdl2 build_libsdl2 "the test" 2>/dev/null
    [ "$(builds)" -eq "$want" ] || { echo "FAILED: $what (built $(builds) times, not $want)"; exit 1; }
}

expect 1 "a first run builds"
expect 1 "an unchanged recipe builds once"
sdl2_options=(-DSDL_OPENGL=OFF "-DTOOLCHAIN=$recipe_tree/windows/toolchain.cmake")
expect 2 "a changed platform setting builds again"
recipe_tree=/elsewhere/another-clone
sdl2_options=(-DSDL_OPENGL=OFF "-DTOOLCHAIN=$recipe_tree/windows/toolchain.cmake")
expect 2 "the same recipe read from another clone of the tree builds once"
eval "$(declare -f build_libsdl2 | sed 's/-DSDL_HAPTIC=OFF/-DSDL_HAPTIC=ON/')"
expect 3 "a changed builder builds again"
cmake_build() { echo built again >>"$prefix/builds"; }
expect 4 "a changed helper under the builder builds again"
echo "every recipe change builds again, and only that"
