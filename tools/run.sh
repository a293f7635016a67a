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
if ! import -window "$window" "$shot" 2>/dev/null; then
    import -window root "$shot"
fi
echo "$shot"
