#!/usr/bin/env bash
# Runs the tests that drive a window manager, a display mode or Wine N times
# in a row, optionally beside K busy processes (each keeps a core busy as a
# compile would), and counts the rounds in which all of them passed.
#   tools/repeat_tests.sh [-n N] [-k K] BUILD_DIR [WINDOWS_TEST_DIR]
# BUILD_DIR is a native build with tests; WINDOWS_TEST_DIR, when given, is the
# Windows build's CMake tree (build-windows/cmake) whose Wine tests run too.
# The failing rounds' output is kept in BUILD_DIR/repeat-tests/.
set -u
rounds=20 busy=0
while getopts n:k: option; do
    case $option in
        n) rounds=$OPTARG ;;
        k) busy=$OPTARG ;;
        *) echo "usage: $0 [-n N] [-k K] BUILD_DIR [WINDOWS_TEST_DIR]" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
[ $# -ge 1 ] || { echo "usage: $0 [-n N] [-k K] BUILD_DIR [WINDOWS_TEST_DIR]" >&2; exit 2; }
native=$1 windows=${2:-}
logs=$native/repeat-tests
mkdir -p "$logs"

loads=()
trap 'for pid in "${loads[@]}"; do kill "$pid" 2>/dev/null; done; wait 2>/dev/null' EXIT
trap 'exit 130' INT TERM
for ((i = 0; i < busy; ++i)); do
    yes >/dev/null &
    loads+=($!)
done

green=0
for ((round = 1; round <= rounds; ++round)); do
    started=$SECONDS
    log=$logs/round-$round.log
    ok=1
    ctest --test-dir "$native" -R '^(WindowManager/|DisplayMode\.|ChordsUnderOpenbox\.|Requests/LostLifeWait\.)' --output-on-failure >"$log" 2>&1 || ok=0
    if [ -n "$windows" ]; then
        ctest --test-dir "$windows" -R '^Wine(Recordings|Window|Installer)' --output-on-failure >>"$log" 2>&1 || ok=0
    fi
    summary=$(grep -h "tests passed" "$log" | paste -sd ' ')
    if [ $ok = 1 ]; then
        green=$((green + 1))
        rm -f "$log"
        echo "round $round: green in $((SECONDS - started)) s ($summary)"
    else
        echo "round $round: FAILED in $((SECONDS - started)) s ($summary): $(grep -h '(Failed)\|(Timeout)' "$log" | paste -sd ' ')"
    fi
done
echo "$green of $rounds rounds green with $busy busy processes"
[ "$green" = "$rounds" ]
