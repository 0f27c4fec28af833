#!/usr/bin/env bash
# Cross-compiles the libraries the Windows build links (SDL2, FreeType,
# HarfBuzz, SDL2_ttf, libxmp, libjpeg-turbo, and GoogleTest for the test
# programs when GULPKIN_WINDOWS_TESTS is set)
# with Debian's MinGW-w64 compilers from Debian's source packages, as static
# libraries, into a prefix outside the repository, and prints the prefix:
#   windows/build_libraries.sh
# The prefix is ${XDG_CACHE_HOME:-~/.cache}/gulpkin-windows/<toolchain>/, so
# that a new compiler starts afresh. Each package is fetched with apt-get
# source and built once per package version and recipe
# (tools/library_recipes.sh); a later run finds its stamp in PREFIX/stamps
# and skips it. Builds run niced.
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
source "$here/../tools/library_recipes.sh"
lock_prefix

platform=windows
target_name=Windows
package_note="cross-compiled for Windows"
cmake_command=(cmake)
cmake_platform=(-DCMAKE_TOOLCHAIN_FILE="$here/mingw_toolchain.cmake" -DGULPKIN_WINDOWS_PREFIX="$prefix")
toolchain_file=$(cat "$here/mingw_toolchain.cmake")
configure_command=(./configure)
configure_platform=(--host=$host CC=$host-gcc-posix AR=$host-gcc-ar-posix RANLIB=$host-gcc-ranlib-posix)
make_command=(make)
sdl2_options=()
ttf_private_libs="-lusp10 -lgdi32 -lrpcrt4"
toolchain_id=$toolchain_version
sdl2_checks=$(cat "$here/sdl2_checks.cmake" 2>/dev/null || true)
recipe_settings=(cmake_command cmake_platform toolchain_file configure_command configure_platform make_command
                 package_note sdl2_options ttf_private_libs toolchain_id sdl2_checks)

windows_build_libsdl2() {
    build_libsdl2 "$1"
    # The programs bring their own entry and choose their own subsystem (the
    # game a window program, the tools console ones): SDL's renaming of main,
    # its SDL2main and its -mwindows are taken out of what it asks of every
    # program.
    sed -i -e 's/ -Dmain=SDL_main//g' -e 's/ -lSDL2main//g' -e 's/ -mwindows//g' "$prefix/lib/pkgconfig/sdl2.pc"
}

windows_build_libxmp() {
    build_libxmp "$1"
    # a static libxmp must be declared so, or its header asks for a DLL
    # (BUILDING_STATIC in this version, LIBXMP_STATIC in later ones)
    sed -i 's/^Cflags: \(.*\)$/Cflags: \1 -DBUILDING_STATIC -DLIBXMP_STATIC/' "$prefix/lib/pkgconfig/libxmp.pc"
}

build_googletest() {
    cmake_build "$1" -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON
}

# the licence travels with the programs the library is linked into, under the
# library's own name; the test framework is not shipped, so has none
declare -A notices=([libsdl2]=SDL2 [freetype]=FreeType [harfbuzz]=HarfBuzz [libsdl2-ttf]=SDL2_ttf
                    [libxmp]=libxmp [libjpeg-turbo]=libjpeg-turbo)
copy_notice() { cp "$1/debian/copyright" "$prefix/licenses/${notices[$2]}.txt"; }
after_package=copy_notice

ensure_source_entries
build_game_libraries
if [ -n "${GULPKIN_WINDOWS_TESTS:-}" ]; then
    after_package="" build_library googletest
fi
# The compiler's runtime (libstdc++, libgcc, winpthreads) and the DejaVu face
# are shipped too.
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$prefix/licenses/GCC-runtime.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$prefix/licenses/MinGW-w64.txt"
cp /usr/share/doc/fonts-dejavu-core/copyright "$prefix/licenses/DejaVu-fonts.txt"
echo "$prefix"
