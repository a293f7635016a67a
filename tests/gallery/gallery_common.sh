# Shared by the Gallery's end-to-end scripts: sourced with Gallery.exe, the probe and the output folder as
# $1..$3. Sets exe, probe, out, tools; defines fail, close_gallery (also run at exit), list_windows,
# check_page, wait_until, the popup menu counts and the screenshot colour helpers.
# Exits 125 when this machine cannot run the program (see tools/wine-run.sh).
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

list_windows() { "$tools/wine-run.sh" "$probe" 2>/dev/null | tr -d '\r'; }

# check_page PAGE PATTERN [SKIN]: starts the page (in the skin, the default one without) and waits until a
# visible window whose probe line matches the extended regular expression PATTERN is up and has been taken over
# by the engine (skinned, unless SKIN is none); then screenshots it ($shot) and checks that it is drawn.
check_page() {
    local page=$1 pattern=$2 skin=${3:-} name=$1
    [ -n "$skin" ] && name=$page-$skin
    line=
    "$tools/wine-run.sh" "$exe" --page "$page" ${skin:+--skin "$skin"} >"$out/gallery-$name.log" 2>&1 &
    pid=$!
    for _ in $(seq 1 120); do
        windows=$(list_windows)
        line=$(grep -E "$pattern" <<<"$windows" | head -n1)
        [ -n "$line" ] && break
        kill -0 "$pid" 2>/dev/null || fail "page $name: the Gallery ended early: $(cat "$out/gallery-$name.log")"
        sleep 0.5
    done
    [ -n "$line" ] || fail "page $name: no window matching $pattern within 60 s"
    winpid=$(awk -F'\t' '{ print $6 }' <<<"$line")
    # The skin's deferred install takes the window over a moment after it shows; then its first paint.
    if [ "$skin" != none ]; then
        for _ in $(seq 1 40); do
            [ "$(awk -F'\t' '{ print $4 }' <<<"$line")" = 1 ] && break
            sleep 0.25
            line=$(list_windows | grep -E "$pattern" | head -n1)
        done
    fi
    sleep 1
    windows=$(list_windows)
    line=$(grep -E "$pattern" <<<"$windows" | head -n1)
    [ -n "$line" ] || fail "page $name: the window went away"
    read -r x y w h <<<"$(awk -F'\t' '{ print $3 }' <<<"$line")"
    shot=$out/gallery-$name.png
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$shot" 2>/dev/null || fail "page $name: no screenshot"
    # Drawn: more than a handful of colours, and not one flat colour.
    local colours deviation
    colours=$(identify -format '%k' "$shot")
    deviation=$(convert "$shot" -colorspace Gray -format '%[fx:standard_deviation]' info:)
    [ "$colours" -gt 8 ] || fail "page $name: the screenshot has only $colours colours ($shot)"
    awk -v d="$deviation" 'BEGIN { exit !(d > 0.02) }' || fail "page $name: the screenshot is flat ($shot)"
    echo "page $name: $(awk -F'\t' '{ print $1 " \"" $2 "\" " $3 ", skinned " $4 }' <<<"$line"); $colours colours; $shot"
}

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

# How many popup menu windows ("#32768") are up, and how many of them answer that they are skinned.
popups() { list_windows | grep -c $'^#32768\t'; }
skinned_popups() { list_windows | grep -c $'^#32768\t[^\t]*\t[^\t]*\t1\t'; }
popups_are() { [ "$(popups)" = "$1" ]; }
# The same count read from X alone, quick enough to ask after every step of the mouse: the Gallery's mapped
# windows without a title (its menus).
x_popups() {
    local id n=0
    for id in $(xdotool search --onlyvisible --class '^gallery\.exe$' 2>/dev/null); do
        [ -z "$(xdotool getwindowname "$id" 2>/dev/null)" ] && n=$((n + 1))
    done
    echo "$n"
}
# Rectangle ("x y width height") of the newest popup menu: the probe lists windows from the top of the z-order.
newest_popup() { list_windows | awk -F'\t' '$1 == "#32768" { print $3; exit }'; }
# slide_down X Y0 Y1 N: moves the mouse down from (X, Y0) to (X, Y1) in small steps until N menus are up.
slide_down() {
    local yy
    for yy in $(seq "$2" 3 "$3"); do
        xdotool mousemove --sync "$1" "$yy"
        sleep 0.05
        [ "$(x_popups)" -ge "$4" ] && sleep 0.3 && return 0
    done
    return 1
}
# Mean colour ("r g b", 0..255) of a rectangle of a screenshot: patch_colour PNG X Y W H.
patch_colour() {
    convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -scale 1x1\! \
        -format '%[fx:int(255*r+.5)] %[fx:int(255*g+.5)] %[fx:int(255*b+.5)]' info:
}
# Distance between two colours "r g b".
colour_distance() {
    awk -v a="$1" -v b="$2" \
        'BEGIN { split(a, p); split(b, q); printf "%d\n", sqrt((p[1]-q[1])^2 + (p[2]-q[2])^2 + (p[3]-q[3])^2) }'
}
