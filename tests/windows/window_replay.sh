#!/usr/bin/env bash
# The real gulpkin.exe under Wine on Xvfb replays a game recorded by the
# Linux game to the recording's last line. On the way, every 75th frame's
# checksum must match, the title menu's among them (frame 825), and the
# frame F12 captures during play must equal the Linux game's capture pixel
# for pixel (the game captures during play and on the end-of-game screen,
# not on the title menu). The asset pack and the recording lie in folders
# with non-ASCII names.
#   window_replay.sh WINE_RUN NATIVE_GAME_DIR WINDOWS_GAME_EXE WORK_DIR
set -euo pipefail
wine=$1 native=$2 windows_game=$3 work=$4
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

# the intro ends at frame 790; the menu waits until 830; play starts after
# the spiral, about frame 1015
printf "%s\n" "830 keys F1" "832 keys" "1030 keys LEFT" "1060 keys F12" "1061 keys" "1300 keys ESC" >title.script
pack="Zoé pack" recordings="Récits"
mkdir -p "$pack" "$recordings"
cp -r "$native"/{graph,font,wav,music} "$pack"/
(cd "$pack" && "$native/gulpkin-headless" --script ../title.script --record "../$recordings/title.rec") |
    tr -d '\r' | tail -n 1 >linux.line
[ -f "$pack/Capture_Gulpkin.bmp" ] || fail "the Linux game wrote no capture"

. "$here/x_server.sh"
start_x_server "$wine" 1280x1024x24
# the replay's files go to the Windows per-user temporary folder
temp_folder=$(timeout -k 5 60 "$wine" cmd /c echo %TEMP% | tr -d '\r')
temp_unix=$(timeout -k 5 60 "$wine" winepath -u "$temp_folder" 2>/dev/null | tr -d '\r' || true)
[ -n "$temp_unix" ] || fail "cannot find the Windows temporary folder"
rm -rf "$temp_unix"/gulpkin-replay-*
# The replay's scratch folder goes when the replay ends; its capture is
# copied out as soon as it is whole (the game plays on for three seconds).
size=$(stat -c %s "$pack/Capture_Gulpkin.bmp")
(
    for ((i = 0; i < 1200; ++i)); do
        for capture in "$temp_unix"/gulpkin-replay-*/Capture_Gulpkin.bmp; do
            if [ -f "$capture" ] && [ "$(stat -c %s "$capture" 2>/dev/null)" = "$size" ]; then
                sleep 0.2
                cp "$capture" windows-capture.bmp && exit 0
            fi
        done
        sleep 0.1
    done
) &
watcher=$!
started=$(date +%s%N)
SDL_AUDIODRIVER=dummy timeout -k 5 180 "$wine" "$windows_game" --window --data "$pack" --replay "$recordings/title.rec" |
    tr -d '\r' | tail -n 1 >windows.line
echo "gulpkin.exe replayed in $(( ($(date +%s%N) - started) / 1000000 )) ms"
kill "$watcher" 2>/dev/null || true
echo "Linux:   $(cat linux.line)"
echo "Windows: $(cat windows.line)"
cmp -s linux.line windows.line || fail "the replay under Wine ended on another line"
[ -f windows-capture.bmp ] || fail "gulpkin.exe wrote no capture in $temp_unix/gulpkin-replay-*"
cmp "$pack/Capture_Gulpkin.bmp" windows-capture.bmp || fail "the frame captured under Wine differs from Linux"
echo "the frames checked and the capture are the same on both systems"
