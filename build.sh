#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Gulpkin and plays or tests it.
#   ./build.sh play   install what is missing, build, start the game
#   ./build.sh test   install what is missing, build, run every test; then
#                     the same again built with AddressSanitizer and
#                     UndefinedBehaviorSanitizer (GULPKIN_QUICK=1 skips that)
#   ./build.sh package  build gulpkin_<version>_amd64.deb in the build folder
#   ./build.sh web    install what is missing, build the web site of the game
#                     into ${GULPKIN_BUILD_DIR:-build-web}/site
#   ./build.sh windows  install what is missing, cross-compile the game for
#                     Windows: ${GULPKIN_BUILD_DIR:-build-windows}/gulpkin-<version>-windows-x64.zip
#                     and gulpkin-<version>-setup.exe
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-play}
build_dir=${GULPKIN_BUILD_DIR:-build}

play_packages=(cmake g++ make pkg-config libsdl2-dev libsdl2-ttf-dev libjpeg62-turbo-dev zlib1g-dev libxmp-dev
               libx11-dev libxrandr-dev fonts-dejavu-core)
web_packages=(emscripten dpkg-dev)
web_test_packages=(chromium chromium-driver python3-selenium)
test_packages=(libgtest-dev libbenchmark-dev xvfb xauth xdotool imagemagick x11-apps clang libclang-rt-14-dev ccache
               xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils x11-utils openbox)
package_packages=(dpkg-dev file lintian desktop-file-utils appstream)
windows_packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix nsis dpkg-dev fonts-dejavu-core)
windows_test_packages=(wine wine64 xvfb xdotool)

install_missing() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}

run_tests() {
    local dir=$1
    shift
    if [ -z "${DISPLAY:-}" ]; then
        xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" "$@"
    else
        ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" "$@"
    fi
}

case "$mode" in
    play)
        install_missing "${play_packages[@]}"
        build "$build_dir" -DGULPKIN_TESTS=OFF
        cd "$build_dir/game"
        exec ./gulpkin
        ;;
    test)
        install_missing "${play_packages[@]}" "${test_packages[@]}" "${package_packages[@]}" \
            "${web_packages[@]}" "${web_test_packages[@]}" "${windows_packages[@]}" "${windows_test_packages[@]}"
        build "$build_dir" -DGULPKIN_TESTS=ON
        run_tests "$build_dir"
        # The web site, played in headless Chromium against the native game.
        GULPKIN_NATIVE_GAME_DIR=$build_dir/game web/build_site.sh "$build_dir-web"
        tests/web/browser_test.py "$build_dir-web/site" "$build_dir/game/gulpkin-headless"
        # The same site on an emulated phone, played by touch.
        tests/web/phone_test.py "$build_dir-web/site" "$build_dir/game/gulpkin-headless"
        # The Windows game and its test programs, run under Wine against the
        # native game.
        GULPKIN_WINDOWS_TESTS=1 GULPKIN_NATIVE_GAME_DIR=$build_dir/game windows/build_windows.sh "$build_dir-windows"
        run_tests "$build_dir-windows/cmake"
        if [ -z "${GULPKIN_QUICK:-}" ]; then
            # Optimised lightly and without debug information: the sanitizers
            # find the same faults, and the pass builds in far less time.
            build "$build_dir-sanitize" -DGULPKIN_TESTS=ON -DGULPKIN_BENCH=OFF -DGULPKIN_SANITIZE=ON \
                -DCMAKE_BUILD_TYPE=Sanitize -DCMAKE_CXX_FLAGS_SANITIZE=-O1 -DCMAKE_C_FLAGS_SANITIZE=-O1
            # The asset fault suite (a whole start-up per damaged file) runs in
            # the normal pass only; the parsers it feeds are fuzzed under the
            # sanitizers instead. The package is built and checked once. The
            # display-mode and window-manager tests drive whole X servers
            # around the unchanged game: the sanitizer's own crash handler
            # would stand between their crash case and the game's, and its
            # slower start-up races a window manager that has just started.
            ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp \
                UBSAN_OPTIONS=print_stacktrace=1 run_tests "$build_dir-sanitize" -E 'AssetFault|DebianPackage|DisplayMode|AltEnter'
        fi
        ;;
    package)
        install_missing "${play_packages[@]}" "${package_packages[@]}"
        build "$build_dir" -DGULPKIN_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr
        (cd "$build_dir" && cpack -G DEB)
        ls "$build_dir"/gulpkin_*_amd64.deb
        ;;
    web)
        install_missing "${play_packages[@]}" "${web_packages[@]}"
        web/build_site.sh "${GULPKIN_BUILD_DIR:-build-web}"
        ;;
    windows)
        install_missing "${play_packages[@]}" "${windows_packages[@]}"
        windows/build_windows.sh "${GULPKIN_BUILD_DIR:-build-windows}"
        ;;
    *)
        echo "usage: $0 play|test|package|web|windows" >&2
        exit 2
        ;;
esac
