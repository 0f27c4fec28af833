#!/usr/bin/env bash
# A game recorded on Linux replays under Wine to the recording's own last
# line, and one recorded under Wine replays on Linux; both systems play the
# script to the same line. The game runs from the title's intro (its banner
# wave and circling) through a whole game to the end-of-game screen.
#   cross_replay.sh WINE_RUN NATIVE_GAME_DIR WINDOWS_HEADLESS_EXE WORK_DIR
set -euo pipefail
wine=$1 native=$2 windows_headless=$3 work=$4
rm -rf "$work" && mkdir -p "$work" && cd "$work"
keys=(LEFT UP RIGHT DOWN LEFT DOWN SPACE)
{
    echo "790 keys F1"
    echo "792 keys"
    for ((frame = 900, i = 0; frame < 3900; frame += 97, ++i)); do echo "$frame keys ${keys[i % 7]}"; done
    echo "4200 keys ESC"
} >game.script

last_line() { timeout -k 5 120 "$@" | tr -d '\r' | tail -n 1; }
fail() { echo "FAIL: $*" >&2; exit 1; }

# the headless driver reads its pack from its working directory
ln -s "$native"/{graph,font,wav,music} .
linux=$(last_line "$native/gulpkin-headless" --script game.script --record linux.rec)
windows=$(last_line "$wine" "$windows_headless" --script game.script --record windows.rec)
echo "Linux:   $linux"
echo "Windows: $windows"
[ "$linux" = "$windows" ] || fail "the two systems play the same script differently"
on_windows=$(last_line "$wine" "$windows_headless" --replay linux.rec)
[ "$on_windows" = "$linux" ] || fail "the Linux recording replays under Wine to: $on_windows"
on_linux=$(last_line "$native/gulpkin-headless" --replay windows.rec)
[ "$on_linux" = "$windows" ] || fail "the Windows recording replays on Linux to: $on_linux"
echo "both recordings replay across systems to: $linux"
