#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Gulpkin and plays or tests it.
#   ./build.sh play   install what is missing, build, start the game
#   ./build.sh test   install what is missing, build, run every test (the
#                     browser and Windows builds too), then the tests of the
#                     game's code built with AddressSanitizer and
#                     UndefinedBehaviorSanitizer (GULPKIN_QUICK=1 skips those);
#                     prints each stage's time at the end
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
# what building the tests needs, then what running them needs
test_build_packages=(libgtest-dev libbenchmark-dev ccache)
test_packages=(xvfb xauth xdotool imagemagick x11-apps xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
               x11-utils openbox)
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

# run_tests BUILD_DIR [SERVER_NUMBER [CTEST OPTION...]]: the tests of a build,
# on a fresh X server when there is no display (the first free number from
# SERVER_NUMBER on: lanes that start theirs at once look in different places)
run_tests() {
    local dir=$1 server=${2:-99}
    shift $(($# < 2 ? $# : 2))
    if [ -z "${DISPLAY:-}" ]; then
        xvfb-run -a -n "$server" -s "-screen 0 1280x1024x24" ctest --test-dir "$dir" --output-on-failure \
            -j"$(nproc)" "$@"
    else
        ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" "$@"
    fi
}

# ---- the test command's stages and their times ----
# Each stage runs in a subshell of its own (so that a failure inside it stops
# it at once) and leaves a line in the times file: its name, when it started
# and ended (seconds from the start of the run), the CPU time of its programs
# and its exit status. The lines are printed as a table when the run ends,
# however it ends.
run_start=$SECONDS

run_stage() {
    local name=$1
    shift
    local start=$((SECONDS - run_start)) cpu_file status=0
    cpu_file=$(mktemp)
    echo "==== $name" >&2
    (trap 'times >"$cpu_file"' EXIT; "$@") &
    wait $! || status=$?
    local cpu
    cpu=$(awk 'NR == 2 {print $1 " " $2}' "$cpu_file" | tr 'ms' '  ' | awk '{print int($1 * 60 + $2 + $3 * 60 + $4)}')
    rm -f "$cpu_file"
    echo "$name|$start|$((SECONDS - run_start))|${cpu:-0}|$status" >>"$times_file"
    return "$status"
}

clock() { printf '%d:%02d' $(($1 / 60)) $(($1 % 60)); }

print_stage_times() {
    [ -s "${times_file:-}" ] || return 0
    echo
    printf '%-40s %7s %7s %7s %7s\n' stage start end wall CPU
    local name start end cpu status
    while IFS='|' read -r name start end cpu status; do
        printf '%-40s %7s %7s %7s %7s%s\n' "$name" "$(clock "$start")" "$(clock "$end")" \
            "$(clock $((end - start)))" "$(clock "$cpu")" "$([ "$status" -eq 0 ] || echo "  FAILED ($status)")"
    done <"$times_file"
    echo "whole run: $(clock $((SECONDS - run_start)))"
}

# The side lane leaves a mark after each of its steps and one when it ends;
# the main lane waits for a mark, and fails when the side lane has ended
# without it.
wait_for_mark() {
    local mark=$1
    while [ ! -f "$marks/$mark" ]; do
        if [ -f "$marks/side-lane-ended" ]; then
            echo "the side lane stopped before $mark" >&2
            return 1
        fi
        sleep 2
    done
}

sanitizer_build() {
    # Optimised lightly and without debug information: the sanitizers find
    # the same faults, and the pass builds in far less time.
    cmake -S . -B "$build_dir-sanitize" -DCMAKE_BUILD_TYPE=Sanitize -DGULPKIN_TESTS=ON -DGULPKIN_BENCH=OFF \
        -DGULPKIN_SANITIZE=ON -DCMAKE_CXX_FLAGS_SANITIZE=-O1 -DCMAKE_C_FLAGS_SANITIZE=-O1 >/dev/null
    nice -n 10 cmake --build "$build_dir-sanitize" -j"$(nproc)"
}

# The sanitizers run again what they add to: the game's own code in each
# area's tests (the parsers with their fuzzing corpus, the rules, the screens
# played headless, the SDL backend's scaler, keys, pads and sound) and the
# command-line tests, each case once. A whole start-up costs several times
# more under the sanitizers: the suites around an X server, a window manager
# or a display mode, and the asset fault suite, are not even built there
# (tests/sanitizer_left_out_tests.cmake); of the rest, the cases that repeat
# start-ups and games the pass already plays are left out here:
sanitizer_left_out=(
    # the source check (no compiled code) and the package (built and checked
    # once) by their labels; the chords under a window manager (the ones
    # without it stay)
    ChordsUnderOpenbox
    # the ghosts' soak on every layout but the first level's: the same code
    # on other walls, and the thirty-level game passes every layout
    'GhostSoak\..*/([2-9]|[1-9][0-9])$'
    # whole games again through the same code: a replay checked after every
    # frame and with the sound on and off (one replay stays, and the one that
    # names the frame where it drifts), the files of a replay, each difficulty
    # chosen from the title by keys and by pad (the options screen's pad case
    # stays), the confirmation's difficulty names
    ReplayHeadless.EndsWithTheRecordingsLineAfterEveryFrameChecksum ReplayHeadless.ReplaysTheSameWithTheSoundOnOrOff
    ReplayHeadless.WritesItsFilesOnlyToAScratchFolderOfItsOwn TitleScreen.APadAloneChoosesEachDifficultyOrQuits
    TitleScreen.F1F2F3ChooseTheStartingLevelAndAnyOtherKeyKeepsLevel1 TitleScreen.TheConfirmationNamesTheChosenDifficulty
)
sanitizer_tests() {
    local IFS='|'
    ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp UBSAN_OPTIONS=print_stacktrace=1 \
        run_tests "$build_dir-sanitize" 200 -L '^(allocation|assets|board|ghosts|media|screens|sdl|cli)$' \
        -E "${sanitizer_left_out[*]}"
}

# The web site, as soon as its libraries are there, played in headless
# Chromium against the native game, then on an emulated phone, by touch. The
# two tests mostly wait on Chromium and on the game's own clock, so they run
# beside the other lanes' builds and tests.
web_lane() {
    run_stage "(waiting for the browser libraries)" wait_for_mark web-libraries
    run_stage "web site" env GULPKIN_NATIVE_GAME_DIR="$build_dir/game" nice -n 5 web/build_site.sh "$build_dir-web"
    run_stage "browser test" tests/web/browser_test.py "$build_dir-web/site" "$build_dir/game/gulpkin-headless"
    run_stage "phone test" tests/web/phone_test.py "$build_dir-web/site" "$build_dir/game/gulpkin-headless"
}

# The Windows game and its test programs, built as soon as its libraries are
# there, then run under Wine against the native game. The longest lane after
# the native build (its tests end on four that run alone), it goes before
# the sanitizer's.
windows_lane() {
    run_stage "(waiting for the Windows libraries)" wait_for_mark windows-libraries
    run_stage "Windows build" env GULPKIN_WINDOWS_TESTS=1 GULPKIN_NATIVE_GAME_DIR="$build_dir/game" \
        windows/build_windows.sh "$build_dir-windows"
    run_stage "Windows tests" run_tests "$build_dir-windows/cmake" 150
}

# runs a command (a function too) niced below the main lane
niced() {
    renice -n 10 -p "$BASHPID" >/dev/null
    "$@"
}

# The side lane: the rest of the packages (the tools the native tests run
# first: they wait for them), then the libraries the browser and Windows
# builds link (side by side: each has long stretches on one core), then the
# sanitizer build and tests, all niced, beside the main lane's builds and
# tests, whose waits they fill. Every apt-get of the run is in this lane, one
# after the other, but the first.
side_lane() {
    trap 'touch "$marks/side-lane-ended"' EXIT
    run_stage "apt: test tools" install_missing "${test_packages[@]}" "${package_packages[@]}"
    touch "$marks/test-packages"
    run_stage "apt: browser, Windows" install_missing "${web_packages[@]}" "${web_test_packages[@]}" \
        "${windows_packages[@]}" "${windows_test_packages[@]}"
    touch "$marks/packages"
    local web_prefix
    web_prefix=${XDG_CACHE_HOME:-$HOME/.cache}/gulpkin-web/emscripten-$(NODE_PATH=/usr/share/nodejs emcc -dumpversion)
    (
        trap '[ -f "$marks/web-libraries" ] || touch "$marks/side-lane-ended"' EXIT
        run_stage "libraries: browser" nice -n 9 web/build_libraries.sh "$web_prefix"
        touch "$marks/web-libraries"
    ) &
    local web=$!
    run_stage "libraries: Windows" env GULPKIN_WINDOWS_TESTS=1 nice -n 9 windows/build_libraries.sh >/dev/null
    touch "$marks/windows-libraries"
    wait "$web"
    if [ -z "${GULPKIN_QUICK:-}" ]; then
        run_stage "sanitizer build" sanitizer_build
        run_stage "sanitizer tests" niced sanitizer_tests
    fi
}

# Ends the side lane with the run, once its packages are in: a dpkg killed
# halfway leaves the system half configured. The web tests end with it.
stop_side_lane() {
    [ -z "${web_lane:-}" ] || kill -- -"$web_lane" 2>/dev/null || true
    [ -z "${windows_lane:-}" ] || kill -- -"$windows_lane" 2>/dev/null || true
    [ -n "${side_lane:-}" ] || return 0
    while [ ! -f "$marks/packages" ] && [ ! -f "$marks/side-lane-ended" ]; do sleep 1; done
    kill -- -"$side_lane" 2>/dev/null || true
}

run_test_command() {
    times_file=$build_dir/stage-times
    marks=$build_dir/lane-marks
    rm -rf "$times_file" "$marks"
    mkdir -p "$marks"
    trap 'status=$?; stop_side_lane; print_stage_times; exit $status' EXIT
    run_stage "apt: build" install_missing "${play_packages[@]}" "${test_build_packages[@]}"
    set -m  # the side lane in a process group of its own, ended with the run
    side_lane &
    side_lane=$!
    set +m
    # Line tables and function names only: a failing test's backtrace names
    # its lines, and the build with the tests takes a fifth less time.
    run_stage "native build" build "$build_dir" -DGULPKIN_TESTS=ON \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
    # The browser's and Windows' lanes take the native game's asset pack and
    # programs; they start now, beside the native tests.
    set -m
    windows_lane &
    windows_lane=$!
    web_lane &
    web_lane=$!
    set +m
    run_stage "(waiting for the test tools)" wait_for_mark test-packages
    run_stage "native tests" run_tests "$build_dir"
    echo "==== (waiting for the browser's and Windows' lanes)" >&2
    wait "$web_lane"
    web_lane=""
    wait "$windows_lane"
    windows_lane=""
    echo "==== (waiting for the side lane)" >&2
    wait "$side_lane"
    side_lane=""
}

case "$mode" in
    play)
        install_missing "${play_packages[@]}"
        build "$build_dir" -DGULPKIN_TESTS=OFF
        cd "$build_dir/game"
        exec ./gulpkin
        ;;
    test)
        run_test_command
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
