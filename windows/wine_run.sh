#!/usr/bin/env bash
# Runs a Windows program under Wine (CTest's emulator for the cross build):
#   windows/wine_run.sh PROGRAM.exe [ARGUMENTS...]
# Wine runs with a home of its own inside the build tree the run belongs to
# (the first folder holding CMakeCache.txt above the working folder or the
# program): its prefix, its caches and whatever it writes for the desktop
# stay there, never in the user's home, and winemenubuilder (which would put
# Start-menu entries and icons into the desktop's menus) never runs. A new
# prefix costs Wine half a minute to set up, so it is made once per build
# tree (under a lock, when tests start together) and reused. Outside a build
# tree, WINE_RUN_HOME names the folder to use.
set -euo pipefail
tree_above() {
    local dir=$1
    while [ -n "$dir" ] && [ "$dir" != / ]; do
        [ -f "$dir/CMakeCache.txt" ] && { echo "$dir"; return; }
        dir=$(dirname "$dir")
    done
}
if [ -z "${WINE_RUN_HOME:-}" ]; then
    tree=$(tree_above "$PWD")
    [ -n "$tree" ] || tree=$(tree_above "$(dirname "$(realpath -m "${1:-.}")")")
    [ -n "$tree" ] || { echo "wine_run.sh: not inside a build tree; set WINE_RUN_HOME" >&2; exit 2; }
    WINE_RUN_HOME=$tree/wine-home
fi
export HOME=$WINE_RUN_HOME
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
export WINEPREFIX=$HOME/prefix-$(wine --version 2>/dev/null | tr -c 'A-Za-z0-9.\n' _)
export WINEDEBUG=${WINEDEBUG:--all}
# no window for Wine's own first-run dialogues, no Mono or Gecko download, no
# menu entries
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=};winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/.gulpkin-ready" ]; then
    mkdir -p "$HOME"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.gulpkin-ready" ]; then
            wineboot -i >/dev/null 2>&1 || true
            wineserver -w
            touch "$WINEPREFIX/.gulpkin-ready"
        fi
    ) 9>"$WINEPREFIX.lock"
fi
# "wine_run.sh wineserver -w" waits until every program of the prefix ended
[ "${1:-}" = wineserver ] && exec "$@"
# The prefix's server and its system programs (services, the desktop) live
# on after the program that started them, holding its output open: a test
# runner would wait for a test whose program started them until the prefix's
# last program ended. Started here, away from the caller's output, they hold
# nothing (with them running, this takes a third of a second).
wine wineboot </dev/null >/dev/null 2>&1 || true
exec wine "$@"
