#!/usr/bin/env bash
# Starts the game N times, each on a fresh Xvfb of its own with the server's
# default reset (the game is its only client, as under `xinit gulpkin`), and
# counts the starts whose window showed the title. Nothing else connects to
# the server before the game has run five seconds (any other client would
# keep the server from resetting).
#   tools/bare_x_starts.sh GAME_DIR [N]
set -u
game_dir=$1 runs=${2:-50}
work=$(mktemp -d)
xvfb="" game=""
stop() {
    [ -z "$game" ] || { kill "$game" 2>/dev/null; wait "$game" 2>/dev/null; }
    [ -z "$xvfb" ] || { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; }
    game="" xvfb=""
}
trap 'stop; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
shown=0
for ((run = 1; run <= runs; ++run)); do
    rm -f "$work/fd" && mkfifo "$work/fd"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/fd" 2>/dev/null &
    xvfb=$!
    number="" && read -r -t 10 number <"$work/fd"
    if [ -n "$number" ]; then
        DISPLAY=:$number XDG_CONFIG_HOME=$work XDG_RUNTIME_DIR=$work SDL_AUDIODRIVER=dummy "$game_dir/gulpkin" >"$work/log" 2>&1 &
        game=$!
        for ((i = 0; i < 50; ++i)); do kill -0 "$game" 2>/dev/null && sleep 0.1; done
        if kill -0 "$game" 2>/dev/null &&
            DISPLAY=:$number timeout 20 xdotool search --sync --onlyvisible --class '^gulpkin$' >/dev/null 2>&1; then
            shown=$((shown + 1))
        else
            echo "start $run: no window: $(tail -n 1 "$work/log")"
        fi
    else
        echo "start $run: Xvfb did not start"
    fi
    stop
done
echo "$shown of $runs starts showed the title"
[ "$shown" = "$runs" ]
