#!/usr/bin/env bash
# The installer under Wine, silently (/S): the files land in Program Files
# with a Start-menu entry, the installed game answers --version, started
# from its folder it keeps the player's files in the per-user folder
# (%APPDATA%), and the silent uninstaller removes every installed file and
# keeps the player's. Nothing lands in the user's home: no menu entry, icon
# or Wine prefix.
#   installer_test.sh WINE_RUN SETUP_EXE WORK_DIR
set -euo pipefail
wine=$1 setup=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work" && mkdir -p "$work" && cd "$work"
touch started
fail() { echo "FAIL: $*" >&2; exit 1; }
unix_path() { timeout -k 5 60 "$wine" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
windows_env() { timeout -k 5 60 "$wine" cmd /c echo "%$1%" | tr -d '\r'; }

program_files=$(unix_path "$(windows_env ProgramW6432)")
start_menu=$(unix_path "$(windows_env ProgramData)\\Microsoft\\Windows\\Start Menu\\Programs")
per_user=$(unix_path "$(windows_env APPDATA)\\gulpkin")
installed=$program_files/Gulpkin
rm -rf "$installed" "$per_user"
"$wine" wineserver -k 2>/dev/null || true
timeout -k 5 60 "$wine" wineserver -w || fail "Wine's programs did not end within 60 s"

timeout -k 5 120 "$wine" "$setup" /S || fail "the installer failed or took over 120 s"
timeout 120 "$wine" wineserver -w || fail "the installer did not end within 120 s"
for file in gulpkin.exe gulpkin-headless.exe uninstall.exe DejaVuSans-Bold.ttf README.txt LICENSE.txt \
    graph font wav music licenses; do
    [ -e "$installed/$file" ] || fail "the installer left out $file"
done
[ -f "$start_menu/Gulpkin.lnk" ] || fail "no Start-menu entry"
find "$installed" -type f | sed "s|^$installed/||" | sort >installed.list
echo "installed $(wc -l <installed.list) files"

version=$(timeout -k 5 60 "$wine" "$installed/gulpkin.exe" --version | tr -d '\r')
[ "$version" = "gulpkin 1.1" ] || fail "the installed gulpkin.exe --version says: $version"

# The installed game started from its own folder (as the Start menu starts
# it): Alt+Enter switches it to full screen and writes that to settings.ini,
# which must land in the per-user folder, never in Program Files.
. "$here/x_server.sh"
start_x_server "$wine" 1024x768x24
(cd "$installed" && SDL_AUDIODRIVER=dummy "$wine" ./gulpkin.exe --window >"$work/game.log" 2>&1) &
game=$!
window=$(wait_for_window '^Test$' 60 || true)  # the game's window title
[ -n "$window" ] || fail "the installed game showed no window"
for ((i = 0; i < 60; ++i)); do
    [ ! -f "$per_user/settings.ini" ] || break
    [ $((i % 10)) -ne 0 ] || xdotool windowfocus --sync "$window" key alt+Return 2>/dev/null || true
    sleep 0.5
done
kill "$game" 2>/dev/null || true
"$wine" wineserver -k 2>/dev/null || true
[ -f "$per_user/settings.ini" ] || fail "no settings.ini in $per_user"
echo "settings kept in the per-user folder: $(tr -d '\r' <"$per_user/settings.ini" | grep display)"
written=$(find "$installed" -type f | sed "s|^$installed/||" | sort | comm -13 installed.list -)
[ -z "$written" ] || fail "the game wrote into Program Files: $written"

timeout -k 5 120 "$wine" "$installed/uninstall.exe" /S || fail "the uninstaller failed or took over 120 s"
timeout 120 "$wine" wineserver -w || fail "the uninstaller did not end within 120 s"
[ ! -e "$installed" ] || fail "the uninstaller left: $(find "$installed" | head -5)"
[ ! -e "$start_menu/Gulpkin.lnk" ] || fail "the uninstaller left the Start-menu entry"
[ -f "$per_user/settings.ini" ] || fail "the uninstaller removed the player's settings"
echo "uninstalled; the player's settings stay"
home_files=$(find "$HOME/.local/share" "$HOME/.config" "$HOME/.wine" -newer started 2>/dev/null | grep -i -e wine -e gulpkin || true)
[ -z "$home_files" ] || fail "Wine wrote into the user's home: $(echo "$home_files" | head -3)"
