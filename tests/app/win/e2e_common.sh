# Shared by the end-to-end scripts: sourced with the program, the probe and the output folder as $1..$3.
# Sets exe, probe, out, tools, work; defines fail, run_probe, field, start_program, wait_gone, shot, differ.
# Exits 125 when this machine cannot run the program (see tools/wine-run.sh).
exe=$(realpath "$1")
probe=$(realpath "$2")
mkdir -p "$3"  # the screenshots' folder, new in a fresh build
out=$(realpath "$3")
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../tools" && pwd)

. "$tools/wine-prefix.sh"
tv_wine_ready_for "$exe" || exit 125

fail() {
    echo "FAIL: $*" >&2
    [ -n "${dump:-}" ] && printf '%s\n' "$dump" >&2
    exit 1
}

run_probe() { "$tools/wine-run.sh" "$probe" "$@" 2>/dev/null | tr -d '\r'; }

# Field of the probe's dump: the lines starting with the key, without it.
field() { printf '%s\n' "$dump" | awk -F'\t' -v k="$1" '$1 == k { sub(/^[^\t]*\t/, ""); print }'; }

work=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Starts the program in the work folder and waits for its window; prints how long it took.
start_program() {
    # Clicks go to whatever window is on top and the probe reads the first lap timer window it finds, so
    # another one left running in this prefix would confuse both.
    [ "$(run_probe count)" = 0 ] || fail "another Tocvane window is open in this Wine prefix; close it first"
    local start
    start=$(date +%s%N)
    (cd "$work" && exec "$tools/wine-run.sh" "$exe" >"$work/run.log" 2>&1) &
    pid=$!
    timeout 120 xdotool search --sync --onlyvisible --name '^Tocvanev1\.2\.20130119$' >/dev/null ||
        fail "no window titled Tocvanev1.2.20130119 within 120 s; the program said: $(cat "$work/run.log")"
    echo "window shown after $((($(date +%s%N) - start) / 1000000)) ms"
    # The engine takes the window over a moment later (its deferred install, then the skinners' set-up);
    # the scripts look at the settled window.
    for _ in $(seq 1 40); do
        run_probe dump | grep -q $'^skinned\t1$' && break
        sleep 0.25
    done
    sleep 1
}

# Waits up to 10 s for the program to end; fails with $1 when it does not.
wait_gone() {
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || { pid=; return 0; }
        sleep 0.1
    done
    fail "$1"
}

# shot NAME X Y W H: saves that part of the screen as $out/NAME.png.
shot() { import -window root -crop "${4}x${5}+${2}+${3}" +repage "$out/$1.png" 2>/dev/null; }

# How many pixels two screenshots of the same size (names in $out) differ in; fails when they cannot be read.
differ() {
    local n
    n=$(compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1 | sed 's/[^0-9].*//')
    [ -n "$n" ] || fail "cannot compare the screenshots $1 and $2"
    echo "$n"
}
