#!/usr/bin/env bash
# Sets up, builds and runs Tocvane under Wine: tools/run.sh
# `tools/run.sh gallery [--page NAME] [--skin NAME]` runs the Gallery instead, with its arguments.
# With a DISPLAY the window opens there and the command returns when it is closed. Without one the program
# starts on a private Xvfb; once its window is up a screenshot is taken, its path printed, and the program
# is closed again. TV_BUILD_DIR chooses the build root (default build/).
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/builds.sh"
cd "$TV_REPO_DIR"

program=Tocvane
folder=app/program
title=Tocvane
if [ "${1:-}" = gallery ]; then
    shift
    program=Gallery
    folder=gallery/program
    title=Gallery
fi
args=("$@")
stem=$(tr '[:upper:]' '[:lower:]' <<<"$program")

"$TV_TOOLS_DIR/setup-deps.sh"
tv_configure_win
exe=$TV_BUILD_DIR/win/$folder/$program.exe
if ! ninja -C "$TV_BUILD_DIR/win" -t targets all | grep "^$program:" >/dev/null; then
    echo "run: the build has no $program program yet (target $program, $folder/)" >&2
    exit 1
fi
tv_build "$TV_BUILD_DIR/win" "$program"
[ -f "$exe" ] || { echo "run: $exe was not built" >&2; exit 1; }

if [ -n "${DISPLAY:-}" ]; then
    exec "$TV_TOOLS_DIR/wine-run.sh" "$exe" "${args[@]}"
fi

# Headless: a private display for the prefix, the program in the background, then a picture of its window.
prefix=$TV_BUILD_DIR/wineprefix
tv_wine_ensure "$prefix"
shots=$TV_BUILD_DIR/screenshots
mkdir -p "$shots"
log=$shots/$stem.log
(cd "$(dirname "$exe")" && exec "$TV_WINE" "$exe" "${args[@]}") </dev/null >"$log" 2>&1 &
pid=$!

close_program() {
    if kill -0 "$pid" 2>/dev/null; then
        # A polite close first (WM_CLOSE to its windows), then force.
        "$TV_WINE" taskkill /IM "$program.exe" >/dev/null 2>&1 || true
        for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill "$pid" 2>/dev/null || true
    fi
    wait "$pid" 2>/dev/null || true
}
trap close_program EXIT

window=""
for _ in $(seq 1 600); do
    window=$( (xdotool search --onlyvisible --pid "$pid" || xdotool search --onlyvisible --name "$title") \
              2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "run: $program ended before its window showed; its output:" >&2
        cat "$log" >&2
        exit 1
    fi
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "run: no $program window after 60 s" >&2
    exit 1
fi
# Let the first paint finish (the skin is unpacked while the window is created, painted once shown).
sleep "${TV_SHOT_DELAY:-2}"
shot=$shots/$stem-$(date +%Y%m%d-%H%M%S).png
# What a person sees: the screen over every visible window of the program (pages and dialogs included),
# not the first window alone (its picture would show a black box where another window covers it).
# The program's windows carry the Windows process id, which is not the id of the wine command started here.
wpid=$(xprop -id "$window" _NET_WM_PID 2>/dev/null | awk '/=/ { print $3 }')
box=$(for w in $( ([ -n "$wpid" ] && xdotool search --onlyvisible --pid "$wpid") 2>/dev/null || echo "$window"); do
          xdotool getwindowgeometry --shell "$w" 2>/dev/null | tr '\n' ' '
          echo
      done | awk '{ for (i = 1; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] }
                    if (v["WIDTH"] < 2 || v["HEIGHT"] < 2) next
                    if (n++ == 0 || v["X"] < x0) x0 = v["X"]; if (n == 1 || v["Y"] < y0) y0 = v["Y"]
                    if (n == 1 || v["X"] + v["WIDTH"] > x1) x1 = v["X"] + v["WIDTH"]
                    if (n == 1 || v["Y"] + v["HEIGHT"] > y1) y1 = v["Y"] + v["HEIGHT"] }
                  END { if (n) { if (x0 < 0) x0 = 0; if (y0 < 0) y0 = 0
                                 printf "%dx%d+%d+%d", x1 - x0, y1 - y0, x0, y0 } }')
if [ -n "$box" ]; then
    import -window root -crop "$box" +repage "$shot"
else
    import -window root "$shot"
fi
echo "$shot"
