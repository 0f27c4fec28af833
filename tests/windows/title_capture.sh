#!/usr/bin/env bash
# The real gulpkin.exe under Wine on Xvfb replays a game recorded by the
# Linux game: the title menu frame its F12 captures equals the Linux game's
# capture pixel for pixel, and the replay ends on the recording's last line.
# The asset pack and the recording lie in folders with non-ASCII names.
#   title_capture.sh WINE_RUN NATIVE_GAME_DIR WINDOWS_GAME_EXE WORK_DIR
set -euo pipefail
wine=$1 native=$2 windows_game=$3 work=$4
here=$(dirname "$0")
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

# the intro ends at frame 790; F12 on the menu, then a few seconds of play
printf '%s\n' "800 keys F12" "801 keys" "810 keys F1" "812 keys" "900 keys LEFT" "1000 keys UP" \
    "1100 keys ESC" >title.script
pack="Zoé pack" recordings="Récits"
mkdir -p "$pack" "$recordings"
cp -r "$native"/{graph,font,wav,music} "$pack"/
(cd "$pack" && "$native/gulpkin-headless" --script ../title.script --record "../$recordings/title.rec") |
    tr -d '\r' | tail -n 1 >linux.line
[ -f "$pack/Capture_Gulpkin.bmp" ] || fail "the Linux game wrote no capture"

. "$here/x_server.sh"
start_x_server 1280x1024x24
# the replay's files go to the Windows per-user temporary folder
temp_folder=$("$wine" cmd /c echo %TEMP% | tr -d '\r')
temp_unix=$("$wine" winepath -u "$temp_folder" 2>/dev/null | tr -d '\r' || true)
[ -n "$temp_unix" ] || fail "cannot find the Windows temporary folder"
rm -rf "$temp_unix/gulpkin-replay"
started=$(date +%s%N)
SDL_AUDIODRIVER=dummy "$wine" "$windows_game" --window --data "$pack" --replay "$recordings/title.rec" |
    tr -d '\r' | tail -n 1 >windows.line
echo "gulpkin.exe replayed in $(( ($(date +%s%N) - started) / 1000000 )) ms"
echo "Linux:   $(cat linux.line)"
echo "Windows: $(cat windows.line)"
cmp -s linux.line windows.line || fail "the replay under Wine ended on another line"
capture="$temp_unix/gulpkin-replay/Capture_Gulpkin.bmp"
[ -f "$capture" ] || fail "gulpkin.exe wrote no capture in $temp_unix/gulpkin-replay"
cmp "$pack/Capture_Gulpkin.bmp" "$capture" || fail "the title menu captured under Wine differs from Linux"
echo "the title menu capture is the same on both systems"
