#!/bin/bash
# Plays the SDL game under Xvfb with the disk audio driver and writes what it
# plays to OUT.raw (44100 Hz 16-bit stereo): the title for 15 s, then a game
# on NORMAL steered at random with a Space charge now and then until SECONDS
# have passed (lives are lost on the way; once all are, the end-of-game
# options screen plays its music). Needs Xvfb and xdotool.
# usage: sdl_session.sh GAME_DIR OUT.raw [SECONDS]
game=$1; out=$2; seconds=${3:-90}
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$out
cd "$game"
fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
read -r number <"$fifo"; rm -f "$fifo"
export DISPLAY=:$number
./gulpkin >/dev/null 2>&1 &
gamepid=$!
sleep 15
timeout 10 xdotool search --sync --name Gulpkin windowfocus >/dev/null 2>&1
xdotool key F1
start=$(date +%s)
keys=(Left Right Up Down)
i=0
while [ $(( $(date +%s) - start )) -lt $((seconds - 15)) ]; do
    k=${keys[$((RANDOM % 4))]}
    xdotool keydown $k 2>/dev/null; sleep 0.7; xdotool keyup $k 2>/dev/null
    i=$((i + 1))
    [ $((i % 12)) -eq 0 ] && xdotool key space
done
kill $gamepid; wait $gamepid 2>/dev/null
kill $xvfb; wait $xvfb 2>/dev/null
