#!/usr/bin/env bash
# A library built for another platform is built again exactly when its recipe
# changes: its builder, a helper the builder calls, or a platform setting; and
# only once for an unchanged recipe. The archive and the compilers are stood
# in for: each "build" only counts itself. SDL2's configure is given the
# answers kept for its source and toolchain, and records its own otherwise.
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
toolchain_id=cc-1
sdl2_checks="# answers of: libsdl2 cc-1"
recipe_settings=(sdl2_options toolchain_id sdl2_checks)

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

# The configure checks: answered up front for the same source and toolchain;
# otherwise asked, and their answers (what found, what not) recorded.
fail() { echo "FAILED: $*"; exit 1; }
cmake_build() {
    printf '%s\n' "$@" >"$prefix/arguments"
    mkdir -p "$1/build-$platform"
    printf '%s\n' '//Have symbol strlen' 'HAVE_STRLEN:INTERNAL=1' '//Test HAVE_NO_UNDEFINED' \
        'HAVE_NO_UNDEFINED:INTERNAL=' '//Path to a program.' 'CMAKE_AR:FILEPATH=/usr/bin/ar' \
        '//Have include a"b' 'HAVE_QUOTE:INTERNAL=1' 'SDL_CPUINFO:INTERNAL=1' >"$1/build-$platform/CMakeCache.txt"
}
sdl2_checks=$'# answers of: libsdl2 cc-1\nset(HAVE_STRLEN "1" CACHE INTERNAL "Have symbol strlen")'
build_libsdl2 "$sources/libsdl2" 2>/dev/null
grep -qx -- "-C" "$prefix/arguments" || fail "the kept answers are not given to CMake"
[ "$(cat "$sources/libsdl2/checks-test.cmake")" = "$sdl2_checks" ] || fail "the answers given are not the kept ones"
toolchain_id=cc-2
build_libsdl2 "$sources/libsdl2" 2>/dev/null
! grep -qx -- "-C" "$prefix/arguments" || fail "another toolchain's answers are given to CMake"
expected='# answers of: libsdl2 cc-2
set(HAVE_NO_UNDEFINED "" CACHE INTERNAL "Test HAVE_NO_UNDEFINED")
set(HAVE_STRLEN "1" CACHE INTERNAL "Have symbol strlen")'
[ "$(grep -v '^# (' "$prefix/sdl2_checks.cmake")" = "$expected" ] || {
    cat "$prefix/sdl2_checks.cmake"
    fail "the recorded answers are not the checks' found and not found, and only those"
}
echo "every recipe change builds again, and only that; SDL2's checks are answered for their toolchain only"
