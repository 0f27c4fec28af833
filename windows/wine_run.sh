#!/usr/bin/env bash
# Runs a Windows program under Wine (CTest's emulator for the cross build):
#   windows/wine_run.sh PROGRAM.exe [ARGUMENTS...]
# Every run shares one Wine prefix per Wine version, kept with the Windows
# libraries in ${XDG_CACHE_HOME:-~/.cache}/gulpkin-windows/ unless WINEPREFIX
# names one: a new prefix costs Wine half a minute to set up, so it is made
# once (under a lock, when tests start together) and reused.
set -euo pipefail
if [ -z "${WINEPREFIX:-}" ]; then
    cache=${XDG_CACHE_HOME:-$HOME/.cache}/gulpkin-windows
    WINEPREFIX=$cache/wine-$(wine --version 2>/dev/null | tr -c 'A-Za-z0-9.\n' _)
    export WINEPREFIX
fi
export WINEDEBUG=${WINEDEBUG:--all}
# no window for Wine's own first-run dialogues, no Mono or Gecko download
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ ! -f "$WINEPREFIX/.gulpkin-ready" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
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
exec wine "$@"
