# Sourced by the Wine tests that show windows. start_x_server WINE_RUN
# GEOMETRY starts an Xvfb server of the test's own (it picks a free display
# number and reports it on a pipe once ready) and points DISPLAY at it. Wine
# keeps one server per prefix whose desktop stays on the display it was
# started with, so Wine's programs are ended first and again at the end,
# together with Xvfb (these tests run alone), also when the test is
# stopped by a signal.
start_x_server() {
    local wine=$1 geometry=$2 pipe
    "$wine" wineserver -k 2>/dev/null || true
    timeout -k 5 60 "$wine" wineserver -w || { echo "FAIL: Wine's programs did not end within 60 s" >&2; exit 1; }
    pipe=$(mktemp -u "${TMPDIR:-/tmp}/gulpkin-xvfb.XXXXXX")
    mkfifo -m 600 "$pipe"
    Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp 3>"$pipe" 2>/dev/null &
    x_server_pid=$!
    trap '"'"$wine"'" wineserver -k 2>/dev/null || true; kill "$x_server_pid" 2>/dev/null || true' EXIT
    trap 'exit 143' TERM INT HUP
    local number=""
    read -r -t 10 number <"$pipe" || true
    rm -f "$pipe"
    [ -n "$number" ] || { echo "FAIL: Xvfb did not report ready within 10 s" >&2; exit 1; }
    export DISPLAY=:$number
}

# wait_for_window NAME_PATTERN SECONDS prints the first window whose name
# matches, once there is one. A search ends in an X error when a window it
# looks at goes away meanwhile (Wine makes and drops windows of its own while
# a program starts), so it is asked again until the time is up.
wait_for_window() {
    local deadline=$((SECONDS + $2)) window
    while [ "$SECONDS" -lt "$deadline" ]; do
        window=$(timeout 10 xdotool search --name "$1" 2>/dev/null | head -n 1 || true)
        [ -z "$window" ] || { echo "$window"; return 0; }
        sleep 0.2
    done
    return 1
}
