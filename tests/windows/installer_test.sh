#!/usr/bin/env bash
# The installer under Wine, silently (/S): the files land in Program Files
# with a Start-menu entry, the installed game answers --version, a game
# played on it keeps its best score in the per-user folder (%APPDATA%), and
# the silent uninstaller removes every installed file and keeps the score.
#   installer_test.sh WINE_RUN SETUP_EXE WORK_DIR
set -euo pipefail
wine=$1 setup=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }
unix_path() { "$wine" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
windows_env() { "$wine" cmd /c echo "%$1%" | tr -d '\r'; }

program_files=$(unix_path "$(windows_env ProgramW6432)")
start_menu=$(unix_path "$(windows_env ProgramData)\\Microsoft\\Windows\\Start Menu\\Programs")
per_user=$(unix_path "$(windows_env APPDATA)\\gulpkin")
installed=$program_files/Gulpkin
rm -rf "$installed" "$per_user"

"$wine" "$setup" /S
"$wine" wineserver -w
for file in gulpkin.exe gulpkin-headless.exe uninstall.exe DejaVuSans-Bold.ttf README.txt LICENSE.txt \
    graph font wav music licenses; do
    [ -e "$installed/$file" ] || fail "the installer left out $file"
done
[ -f "$start_menu/Gulpkin.lnk" ] || fail "no Start-menu entry"
find "$installed" -type f | sed "s|^$installed/||" | sort >installed.list
echo "installed $(wc -l <installed.list) files"

version=$("$wine" "$installed/gulpkin.exe" --version | tr -d '\r')
[ "$version" = "gulpkin 1.1" ] || fail "the installed gulpkin.exe --version says: $version"

# A game on the installed program, from the Start menu's folder: the player
# walks left and is caught until the game is over.
. "$here/x_server.sh"
start_x_server "$wine" 1024x768x24
(cd "$installed" && SDL_AUDIODRIVER=dummy "$wine" ./gulpkin.exe --window >"$work/game.log" 2>&1) &
game=$!
sleep 14
xdotool key F1
sleep 1
keys=(Left Up Right Down)
for ((i = 0; i < 150; ++i)); do
    [ ! -f "$per_user/Hit Score.ini" ] || break
    xdotool keydown "${keys[i % 4]}"
    sleep 0.5
    xdotool keyup "${keys[i % 4]}"
done
xdotool key Escape
wait "$game" || true
[ -f "$per_user/Hit Score.ini" ] || fail "no best score in $per_user"
echo "best score kept in the per-user folder: $(tr -d '\r' <"$per_user/Hit Score.ini" | head -c 80)"
written=$(find "$installed" -type f | sed "s|^$installed/||" | sort | comm -13 installed.list -)
[ -z "$written" ] || fail "the game wrote into Program Files: $written"

"$wine" "$installed/uninstall.exe" /S
"$wine" wineserver -w
[ ! -e "$installed" ] || fail "the uninstaller left: $(find "$installed" | head -5)"
[ ! -e "$start_menu/Gulpkin.lnk" ] || fail "the uninstaller left the Start-menu entry"
[ -f "$per_user/Hit Score.ini" ] || fail "the uninstaller removed the best score"
echo "uninstalled; the best score stays"
