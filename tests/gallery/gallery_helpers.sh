# Shared by the Gallery's end-to-end scripts: sourced with Gallery.exe, the probe and the output folder as
# $1..$3. Sets exe, probe, out, tools; defines fail, close_gallery (run at exit), list_windows, probe_run,
# wait_until, start_page, log_last, log_has, shot. Exits 125 when this machine cannot run the program.
# shellcheck shell=bash
exe=$(realpath "$1")
probe=$(realpath "$2")
mkdir -p "$3"
out=$(realpath "$3")
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools" && pwd)

. "$tools/wine-prefix.sh"
tv_wine_ready_for "$exe" || exit 125

pid=
winpid=
fail() {
    echo "FAIL: $*" >&2
    [ -n "${windows:-}" ] && printf 'windows:\n%s\n' "$windows" >&2
    exit 1
}

# Ends the Gallery this script started: a polite close (WM_CLOSE) by its Windows process id, then force.
close_gallery() {
    [ -n "$winpid" ] && "$TV_WINE" taskkill /PID "$winpid" >/dev/null 2>&1
    for _ in $(seq 1 100); do
        [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        [ -n "$winpid" ] && "$TV_WINE" taskkill /F /PID "$winpid" >/dev/null 2>&1
        sleep 1
        kill "$pid" 2>/dev/null
    fi
    [ -n "$pid" ] && wait "$pid" 2>/dev/null
    pid=
    winpid=
}
trap close_gallery EXIT

probe_run() { "$tools/wine-run.sh" "$probe" "$@" 2>/dev/null | tr -d '\r'; }
list_windows() { probe_run; }

# wait_until SECONDS COMMAND...: runs the command every quarter second until it succeeds; fails after SECONDS.
wait_until() {
    local limit=$(($1 * 4))
    shift
    for _ in $(seq 1 "$limit"); do
        "$@" && return 0
        sleep 0.25
    done
    return 1
}

# start_page PAGE PATTERN [SKIN]: starts the Gallery on the page (in the skin, the default one without) and
# waits until a visible window whose probe line matches the extended regular expression PATTERN is up and
# has been taken over by the engine; sets line (its probe line) and x y w h (its rectangle).
start_page() {
    local page=$1 pattern=$2 skin=${3:-} name=$1
    [ -n "$skin" ] && name=$page-$skin
    line=
    "$tools/wine-run.sh" "$exe" --page "$page" ${skin:+--skin "$skin"} >"$out/gallery-$name.log" 2>&1 &
    pid=$!
    for _ in $(seq 1 240); do
        windows=$(list_windows)
        line=$(grep -E "$pattern" <<<"$windows" | head -n1)
        [ -n "$line" ] && [ "$(awk -F'\t' '{ print $4 }' <<<"$line")" = 1 ] && break
        kill -0 "$pid" 2>/dev/null || fail "page $name: the Gallery ended early: $(cat "$out/gallery-$name.log")"
        sleep 0.5
    done
    [ -n "$line" ] || fail "page $name: no window matching $pattern within 120 s"
    [ "$(awk -F'\t' '{ print $4 }' <<<"$line")" = 1 ] || fail "page $name: the engine never took the window over"
    winpid=$(awk -F'\t' '{ print $6 }' <<<"$line")
    sleep 1  # its first skinned paint
    read -r x y w h <<<"$(awk -F'\t' '{ print $3 }' <<<"$line")"
}

log_last() { probe_run log | tail -n1; }
# log_has TEXT: a line of the log is exactly TEXT.
log_has() { probe_run log | grep -qxF "$1"; }

# shot NAME X Y W H: saves that part of the screen as $out/NAME.png.
shot() { import -window root -crop "${4}x${5}+${2}+${3}" +repage "$out/$1.png" 2>/dev/null || fail "no screenshot $1"; }
