# The recipes for the libraries the game links on another platform, shared by
# web/build_libraries.sh (Emscripten) and windows/build_libraries.sh
# (MinGW-w64). Sourced, after tools/debian_sources.sh. Each recipe configures
# its library down to what the game calls: SDL2 without haptics, sensors,
# power, locale, URL opening, OpenGL ES and Vulkan; FreeType without
# compressed or PNG glyphs; HarfBuzz without its subsetter. The caller sets:
#   prefix, jobs      where the libraries go, how many compilers at once
#   platform          a word: names the build folders and logs (web, windows)
#   cmake_command     array: the command that runs cmake (emcmake cmake)
#   cmake_platform    array: the platform's own cmake options
#   configure_command array: the command that runs ./configure
#   configure_platform array: its own ./configure options
#   make_command      array: make (emmake make)
#   package_note      what the .pc files say the libraries are for
#   sdl2_options, ttf_private_libs  the platform's additions
#   toolchain_id      names the compilers (their package versions)
#   sdl2_checks       the answers of SDL2's configure checks kept in the tree
#                     for one source and toolchain (see build_libsdl2), or ""

cmake_build() {
    local source=$1
    shift
    local build=$source/build-$platform log=$source/build-$platform.log
    rm -rf "$build"
    quietly "$log" nice -n 10 "${cmake_command[@]}" -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF \
        "${cmake_platform[@]}" "$@"
    quietly "$log" nice -n 10 cmake --build "$build" -j"$jobs"
    quietly "$log" cmake --install "$build"
}

configure_build() {
    local source=$1
    shift
    local log=$source/build-$platform.log
    (cd "$source" &&
        quietly "$log" nice -n 10 "${configure_command[@]}" "${configure_platform[@]}" --prefix="$prefix" \
            --disable-shared --enable-static "$@" &&
        quietly "$log" nice -n 10 "${make_command[@]}" -j"$jobs" && quietly "$log" "${make_command[@]}" install)
}

# The game opens video, audio, events, the joystick and game controller
# subsystems and timers, reads files and its preferences folder.
# SDL2's configure asks the compiler about 160 questions (a header, a
# function, a flag), each a program compiled and linked: under Emscripten a
# link costs more than a second and the questions take longer than the
# library's own compilation. The answers a full configure gave for the same
# source with the same compilers are kept in the tree (sdl2_checks) and given
# to CMake up front, which then asks nothing it has an answer for. Another
# source or toolchain asks everything and leaves its answers in the prefix,
# to be copied into the tree.
build_libsdl2() {
    local key answers=() recorded
    key="$(basename "$1") $toolchain_id"
    if [ "$(head -n 1 <<<"$sdl2_checks")" = "# answers of: $key" ]; then
        printf '%s\n' "$sdl2_checks" >"$1/checks-$platform.cmake"
        answers=(-C "$1/checks-$platform.cmake")
    fi
    cmake_build "$1" "${answers[@]}" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL2_DISABLE_SDL2MAIN=ON \
        -DSDL_HAPTIC=OFF -DSDL_SENSOR=OFF -DSDL_POWER=OFF -DSDL_LOCALE=OFF -DSDL_MISC=OFF \
        -DSDL_OPENGLES=OFF -DSDL_VULKAN=OFF "${sdl2_options[@]}"
    if [ ${#answers[@]} -eq 0 ]; then
        recorded=$prefix/sdl2_checks.cmake
        check_answers "$1/build-$platform/CMakeCache.txt" "$key" >"$recorded"
        echo "SDL2's configure had no answers for $key; its own are in $recorded" >&2
    fi
}

# check_answers CACHE KEY: the answers of the configure checks in a CMake
# cache (a header, symbol, function or library found, a test program
# compiled), as a script for cmake -C whose first line names KEY
check_answers() {
    echo "# answers of: $2"
    echo "# (the configure checks as a full configure answered them: tools/library_recipes.sh)"
    awk '/^\/\/(Have (symbol|include|includes|function|library) |Test )/ { comment = substr($0, 3); next }
         comment != "" && index($0, ":INTERNAL=") {
             at = index($0, ":INTERNAL=")
             value = substr($0, at + 10)
             # a value or comment CMake would read otherwise in quotes is left
             # to be asked again
             if (value ~ /^[A-Za-z0-9_.\/+-]*$/ && comment !~ /["\\$;]/)
                 printf "set(%s \"%s\" CACHE INTERNAL \"%s\")\n", substr($0, 1, at - 1), value, comment
         }
         { comment = "" }' "$1" | LC_ALL=C sort
}

build_freetype() {
    cmake_build "$1" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
        -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
}

build_harfbuzz() {
    cmake_build "$1" -DHB_HAVE_FREETYPE=ON -DHB_BUILD_SUBSET=OFF -DHB_BUILD_TESTS=OFF -DHB_BUILD_UTILS=OFF
}

# Shaped by HarfBuzz like Debian's own build: without it the face's kerning
# comes from its older table and some lines end up a pixel or two narrower
# than in the Linux game.
build_libsdl2_ttf() {
    cmake_build "$1" -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=ON -DSDL2TTF_SAMPLES=OFF
    write_sdl2_ttf_pc
}

# SDL2_ttf's build writes a package file for a shared library only; this one
# also names the static libraries under it.
write_sdl2_ttf_pc() {
    {
        echo "Name: SDL2_ttf"
        echo "Description: SDL2_ttf $package_note"
        echo "Version: 2"
        echo "Requires: sdl2"
        echo "Libs: -L$prefix/lib -lSDL2_ttf -lharfbuzz -lfreetype"
        [ -z "$ttf_private_libs" ] || echo "Libs.private: $ttf_private_libs"
        echo "Cflags: -I$prefix/include/SDL2"
    } >"$prefix/lib/pkgconfig/SDL2_ttf.pc"
}

build_libxmp() {
    configure_build "$1"
}

# build_libjpeg_turbo FOLDER [OPTION...]
build_libjpeg_turbo() {
    local source=$1
    shift
    cmake_build "$source" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF "$@"
}

# build_library PACKAGE: build_package with the platform's own builder when it
# has one (windows_build_libsdl2 before build_libsdl2), and its after_package
# step when it sets one
build_library() {
    local builder=build_${1//-/_}
    declare -F "${platform}_$builder" >/dev/null && builder=${platform}_$builder
    build_package "$1" "$builder" "$target_name" "${after_package:-}"
}

# The six libraries in three lanes, so that both cores stay busy through the
# long stretches on one core (a configure script's checks, which under
# Emscripten link a program each; HarfBuzz, one long compilation): FreeType
# then HarfBuzz; SDL2; libxmp then libjpeg-turbo. SDL2_ttf, which needs
# SDL2, FreeType and HarfBuzz, comes last. A failing lane stops the run once
# the others have finished.
build_game_libraries() {
    (set -e; build_library freetype; build_library harfbuzz) &
    local fonts=$!
    (set -e; build_library libxmp; build_library libjpeg-turbo) &
    local media=$!
    trap "wait $fonts $media" EXIT
    build_library libsdl2
    wait "$fonts"
    wait "$media"
    trap - EXIT
    build_library libsdl2-ttf
}
