#!/usr/bin/env bash
# gulpkin.exe copied out of its folder alone, as a player double-clicking it
# inside the zip gets it: --help names the Windows folders, and started
# without its asset pack the game says in a message box which folder it
# looked in and what it needs, then exits with code 1 once the box is
# closed. Wine's window trace shows the text of every window made, the
# box's among them; the whole line goes to stderr too.
#   lone_program_test.sh WINE_RUN GAME_EXE WORK_DIR
set -euo pipefail
wine=$1 game=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work" && mkdir -p "$work/Téléchargements" && cd "$work/Téléchargements"
fail() { echo "FAIL: $*" >&2; exit 1; }
cp "$game" gulpkin.exe

"$wine" ./gulpkin.exe --help | tr -d '\r' >"$work/help.txt"
grep -F 'settings.ini, gamecontrollerdb.txt, the best score' "$work/help.txt" >/dev/null ||
    fail "--help names no files: $(cat "$work/help.txt")"
grep -F '%APPDATA%\gulpkin' "$work/help.txt" >/dev/null || fail "--help does not name %APPDATA%\\gulpkin"
! grep -E 'XDG|~/' "$work/help.txt" || fail "--help names Linux folders"
echo "--help: $(grep -F '%APPDATA%' "$work/help.txt")"

. "$here/x_server.sh"
start_x_server "$wine" 1024x768x24
WINEDEBUG=+win SDL_AUDIODRIVER=dummy "$wine" ./gulpkin.exe >"$work/out.txt" 2>"$work/err.txt" &
game_pid=$!
box=$(wait_for_window '^Gulpkin$' 60 || true)
if [ -z "$box" ]; then
    kill "$game_pid" 2>/dev/null || true
    fail "no message box"
fi
sleep 1
# the trace shortens long texts, so only the start of the line is looked for
trace=$(grep -a "trace:win:.*gulpkin: no asset pack in '" "$work/err.txt" | head -n 1 || true)
[ -n "$trace" ] || fail "no window shows the message"
for ((i = 0; i < 20 && $(kill -0 "$game_pid" 2>/dev/null && echo 1 || echo 0); ++i)); do
    xdotool windowfocus --sync "$box" key Return 2>/dev/null || true
    sleep 0.5
done
code=0
wait "$game_pid" || code=$?
[ "$code" = 1 ] || fail "the lone game exited with code $code, not 1"
line=$(grep -a '^gulpkin: ' "$work/err.txt" | tr -d '\r' || true)
case "$line" in
    "gulpkin: no asset pack in '"*"Téléchargements"*"': graph/ is missing; the game needs its folders graph, font, wav and music there") ;;
    *) fail "the lone game said: $line" ;;
esac
echo "message box, then exit code 1: $line"
