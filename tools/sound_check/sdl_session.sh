#!/bin/bash
# Plays the SDL game under Xvfb with the disk audio driver: the title for
# 15 s, a game on NORMAL steered at random with Space charges until all lives
# are lost, then the options screen; writes the raw output to $1.
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
