#!/usr/bin/env bash
# End to end: starts Gallery.exe under Wine on each page, checks that the page's windows come up and are drawn
# (a screenshot of each, not blank), and that --help and an unknown page answer on the console.
#   gallery_e2e.sh Gallery.exe gallery_probe.exe OUTDIR
# Exit 0 pass, 1 fail, 125 when this machine cannot run the program (see tools/wine-run.sh).
set -uo pipefail

exe=$(realpath "$1")
probe=$(realpath "$2")
out=$(realpath "$3")
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools" && pwd)

. "$tools/wine-prefix.sh"
if [ "$(tv_pe_machine "$exe")" = 14c ] && [ -x /usr/lib/wine/wine ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "skipped: this machine cannot run 32-bit programs"
    exit 125
fi
tv_wine_ensure "$(tv_wine_prefix_for "$exe")" || exit 125

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

# --help lists every page; an unknown page is an error that names the pages, with no window.
help=$("$tools/wine-run.sh" "$exe" --help 2>/dev/null | tr -d '\r')
for page in main mdi dialogs message open; do
    grep -q "^  $page"$'\t' <<<"$help" || fail "--help does not list the page $page: $help"
done
err=$("$tools/wine-run.sh" "$exe" --page nope 2>&1 >/dev/null | tr -d '\r')
status=${PIPESTATUS[0]}
[ "$status" = 2 ] || fail "an unknown page exits with $status, not 2"
grep -q "unknown page 'nope'; the pages are: main, mdi, dialogs, message, open" <<<"$err" ||
    fail "an unknown page says: $err"

windows=$(list_windows)
grep -qE '^(TGalleryForm|TMdiForm)'$'\t' <<<"$windows" && fail "a Gallery window is already open in this Wine prefix"

# check_page PAGE PATTERN: starts the page and waits until a visible window whose probe line matches the
# extended regular expression PATTERN is up; then screenshots it and checks that it is drawn.
check_page() {
    local page=$1 pattern=$2
    line=
    "$tools/wine-run.sh" "$exe" --page "$page" >"$out/gallery-$page.log" 2>&1 &
    pid=$!
    for _ in $(seq 1 120); do
        windows=$(list_windows)
        line=$(grep -E "$pattern" <<<"$windows" | head -n1)
        [ -n "$line" ] && break
        kill -0 "$pid" 2>/dev/null || fail "page $page: the Gallery ended early: $(cat "$out/gallery-$page.log")"
        sleep 0.5
    done
    [ -n "$line" ] || fail "page $page: no window matching $pattern within 60 s"
    winpid=$(awk -F'\t' '{ print $6 }' <<<"$line")
    # The first paint, and the skin's deferred install.
    sleep 2
    windows=$(list_windows)
    line=$(grep -E "$pattern" <<<"$windows" | head -n1)
    [ -n "$line" ] || fail "page $page: the window went away"
    read -r x y w h <<<"$(awk -F'\t' '{ print $3 }' <<<"$line")"
    local shot=$out/gallery-$page.png
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$shot" 2>/dev/null || fail "page $page: no screenshot"
    # Drawn: more than a handful of colours, and not one flat colour.
    local colours deviation
    colours=$(identify -format '%k' "$shot")
    deviation=$(convert "$shot" -colorspace Gray -format '%[fx:standard_deviation]' info:)
    [ "$colours" -gt 8 ] || fail "page $page: the screenshot has only $colours colours ($shot)"
    awk -v d="$deviation" 'BEGIN { exit !(d > 0.02) }' || fail "page $page: the screenshot is flat ($shot)"
    echo "page $page: $(awk -F'\t' '{ print $1 " \"" $2 "\" " $3 ", skinned " $4 }' <<<"$line"); $colours colours; $shot"
}

check_page main $'^TGalleryForm\t'
# Real input: a right click on the log opens the context menu; Alt+H, A runs Help > About, a message box.
read -r x y w h <<<"$(awk -F'\t' '{ print $3 }' <<<"$line")"
xdotool mousemove --sync $((x + w / 2)) $((y + h / 2)) click 3
wait_for() {
    for _ in $(seq 1 20); do
        windows=$(list_windows)
        grep -qE "$1" <<<"$windows" && return 0
        sleep 0.5
    done
    return 1
}
wait_for $'^#32768\t' || fail "page main: a right click opened no context menu"
xdotool key Escape
xdotool mousemove --sync $((x + w / 2)) $((y + h / 2)) click 1
sleep 0.5
xdotool key alt+h
sleep 0.7
xdotool key a
wait_for $'^#32770\t关于 About Gallery\t' || fail "page main: Alt+H, A opened no About box"
echo "page main: the context menu and Help > About answer real input"
xdotool key Return
sleep 0.5

# The skinned menu bar, in the band below the caption: a click opens File's skinned drop-down, the mouse
# moving along the bar switches to Edit's, Esc closes it, Alt+E opens Edit's again.
popup_x() { list_windows | awk -F'\t' '$1 == "#32768" { split($3, p, " "); print p[1]; exit }'; }
band_y=$((y + 28 + 9))
xdotool mousemove --sync $((x + 25)) "$band_y" click 1
wait_for $'^#32768\t[^\t]*\t[^\t]*\t1\t' || fail "page main: a click on File opened no skinned drop-down"
file_x=$(popup_x)
import -window root -crop "$((w + 40))x$((h + 40))+$((x - 20))+$((y - 20))" +repage "$out/gallery-menu-file.png" 2>/dev/null
xdotool mousemove --sync $((x + 75)) "$band_y"
sleep 1.2
edit_x=$(popup_x)
[ -n "$edit_x" ] && [ "$edit_x" -gt "$file_x" ] ||
    fail "page main: moving along the bar did not switch to Edit's drop-down (File at $file_x, now '$edit_x')"
[ "$(list_windows | grep -c $'^#32768\t')" = 1 ] || fail "page main: File's drop-down stayed open under Edit's"
import -window root -crop "$((w + 40))x$((h + 40))+$((x - 20))+$((y - 20))" +repage "$out/gallery-menu-edit.png" 2>/dev/null
xdotool key Escape
sleep 0.8
list_windows | grep -q $'^#32768\t' && fail "page main: Esc left the drop-down open"
xdotool key alt+e
wait_for $'^#32768\t' || fail "page main: Alt+E opened no drop-down"
[ "$(popup_x)" = "$edit_x" ] || fail "page main: Alt+E opened a drop-down at $(popup_x), not Edit's at $edit_x"
xdotool key Escape
echo "page main: the skinned menu bar opens, switches and closes its drop-downs under real input"
close_gallery

check_page mdi $'^TMdiForm\t[^\t]*\t[^\t]*\t[01]\t3\t'
grep -q $'^TGalleryForm\t' <<<"$windows" && fail "page mdi: the main form is shown too"
close_gallery

check_page dialogs $'^#32770\t标准控件 - Standard controls\t'
grep -q $'^TGalleryForm\t' <<<"$windows" || fail "page dialogs: no main form under the dialog box"
close_gallery

check_page message $'^#32770\t消息框 Message box\t'
close_gallery

check_page open $'^#32770\t打开 Open\t'
close_gallery
echo "all pages up"
