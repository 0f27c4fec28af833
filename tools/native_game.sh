#!/usr/bin/env bash
# The native game folder a cross build takes its asset pack from (and whose
# Linux programs its tests compare with), built when needed; prints its path:
#   tools/native_game.sh BUILD_DIR [JOBS]
# GULPKIN_NATIVE_GAME_DIR names the game folder of a native build that
# already holds the pack (the test command passes its own); otherwise the
# generator, the game and the headless driver are built in BUILD_DIR.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=$1
jobs=${2:-$(nproc)}
if [ -n "${GULPKIN_NATIVE_GAME_DIR:-}" ]; then
    realpath "$GULPKIN_NATIVE_GAME_DIR"
    exit 0
fi
echo "Building the asset pack (native)" >&2
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGULPKIN_TESTS=OFF >/dev/null
nice -n 5 cmake --build "$build_dir" -j"$jobs" --target asset_pack gulpkin gulpkin-headless >/dev/null
realpath "$build_dir/game"
