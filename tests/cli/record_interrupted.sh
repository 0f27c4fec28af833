#!/bin/sh
# gulpkin-headless --record over an old recording, ended by SIGTERM after a
# while: the old file is intact, or the new one is complete and replays to
# the line the recording printed; no half-written file is left in its place.
# Usage: record_interrupted.sh GULPKIN_HEADLESS
set -u
headless=$1
dir=$(mktemp -d)
trap 'kill -KILL "${pid:-}" 2>/dev/null; rm -rf "$dir"' EXIT
trap 'exit 143' TERM INT HUP
cd "$dir" || exit 1
printf '1 keys LEFT\n' >long.script  # nothing more: the game plays on until SIGTERM
printf 'an old recording\n' >old.rec
status=0
for delay in 0.02 0.5 1.5; do
    cp old.rec game.rec
    "$headless" --level 1 --script long.script --record game.rec >recorded.txt 2>errors.txt &
    pid=$!
    sleep "$delay"
    kill -TERM "$pid"
    # bounded: a game that ignores the signal fails here, not at the runner's limit
    for i in $(seq 100); do kill -0 "$pid" 2>/dev/null && sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null; then
        kill -KILL "$pid"
        echo "after ${delay}s: FAILED: still running 10 s after SIGTERM"
        status=1
    fi
    wait "$pid"
    code=$?
    if cmp -s old.rec game.rec; then
        echo "after ${delay}s: the old file is intact (exit $code)"
    elif "$headless" --replay game.rec >replayed.txt 2>>errors.txt &&
        [ "$(tail -n 1 recorded.txt)" = "$(tail -n 1 replayed.txt)" ] && [ "$code" = 0 ]; then
        echo "after ${delay}s: a complete recording, replayed to $(tail -n 1 replayed.txt)"
    else
        echo "after ${delay}s: FAILED (exit $code): $(cat errors.txt)"
        status=1
    fi
    leftover=$(ls -A | grep -v -x -e old.rec -e game.rec -e long.script -e recorded.txt -e replayed.txt -e errors.txt -e "Hit Score.ini")
    if [ "$code" = 0 ] && [ -n "$leftover" ]; then
        echo "after ${delay}s: FAILED: left behind: $leftover"
        status=1
    fi
done
exit $status
