#!/usr/bin/env bash
# Builds the game for 64-bit Windows with Debian's MinGW-w64 compilers:
#   windows/build_windows.sh BUILD_DIR
# BUILD_DIR/native  a native build: the asset generator writes the pack there
#                   (and the Linux programs the Wine tests compare with),
#                   unless GULPKIN_NATIVE_GAME_DIR names one already built
# BUILD_DIR/cmake   the game cross-compiled (with its headless test programs
#                   and the Wine tests when GULPKIN_WINDOWS_TESTS is set:
#                   ctest --test-dir BUILD_DIR/cmake)
# BUILD_DIR/gulpkin-<version>-windows-x64.zip and gulpkin-<version>-setup.exe
# The libraries cross-built from Debian's sources are kept in
# ${XDG_CACHE_HOME:-~/.cache}/gulpkin-windows/, one folder per toolchain.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=$(realpath -m "${1:-build-windows}")
jobs=${GULPKIN_WINDOWS_JOBS:-$(nproc)}
tests=${GULPKIN_WINDOWS_TESTS:+ON}

native_game=$(tools/native_game.sh "$build_dir/native" "$jobs")

prefix=$(windows/build_libraries.sh | tail -1)

echo "Compiling the game for Windows"
mkdir -p "$build_dir"
# The programs are shipped stripped, so they are compiled without debug
# information: GCC's machine code does not depend on it, and the build takes
# far less time.
if ! cmake -S . -B "$build_dir/cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/windows/mingw_toolchain.cmake" -DGULPKIN_WINDOWS_PREFIX="$prefix" \
    -DGULPKIN_TESTS="${tests:-OFF}" -DGULPKIN_BENCH=OFF -DGULPKIN_NATIVE_GAME_DIR="$native_game" \
    -DGULPKIN_WINDOWS_LICENSES="$prefix/licenses" -DGULPKIN_WINDOWS_OUTPUT="$build_dir" >"$build_dir/configure.log" 2>&1; then
    cat "$build_dir/configure.log" >&2
    exit 1
fi
nice -n 5 cmake --build "$build_dir/cmake" -j"$jobs"
nice -n 5 cmake --build "$build_dir/cmake" --target windows_package >/dev/null
for file in "$build_dir"/gulpkin-*-windows-x64.zip "$build_dir"/gulpkin-*-setup.exe; do
    echo "$file ($(( $(stat -c %s "$file") / 1000 )) kB)"
done
