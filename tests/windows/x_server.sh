# Sourced by the Wine tests: start_x_server GEOMETRY starts an Xvfb server of
# the test's own (it picks a free display number and reports it on a pipe
# once ready), points DISPLAY at it and ends it when the test ends.
start_x_server() {
    local pipe
    pipe=$(mktemp -u "${TMPDIR:-/tmp}/gulpkin-xvfb.XXXXXX")
    mkfifo -m 600 "$pipe"
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp 3>"$pipe" 2>/dev/null &
    x_server_pid=$!
    trap 'kill "$x_server_pid" 2>/dev/null || true' EXIT
    local number=""
    read -r -t 10 number <"$pipe" || true
    rm -f "$pipe"
    [ -n "$number" ] || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=:$number
}
