#!/usr/bin/env bash
# End to end: the skinned frame of the real Tocvane window under real X input. Checks the skinned geometry,
# the region's corners, the caption buttons' hot and pressed looks (and the pressed look going once a press
# is released elsewhere), the hint, the inactive look, dragging by the caption, the system menu, the log's
# context menu, minimising, and closing by the close button and by a double click on the icon.
# Saves the screenshots it compares in OUTDIR.   tocvane_frame_e2e.sh Tocvane.exe window_probe.exe OUTDIR
# Exit 0 pass, 1 fail, 125 when this machine cannot run the program.
set -uo pipefail

. "$(dirname "${BASH_SOURCE[0]}")/e2e_common.sh"

# The colour of one screen pixel as "r,g,b".
pixel() {
    import -window root -crop "1x1+$1+$2" +repage -depth 8 txt:- 2>/dev/null |
        sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}
# Whether the screen pixel (X, Y) shows COLOUR within a few seconds (a menu paints after it appears).
shows() {
    for _ in $(seq 1 15); do
        [ "$(pixel "$1" "$2")" = "$3" ] && return 0
        sleep 0.2
    done
    return 1
}
where() {
    dump=$(run_probe dump)
    read -r wx wy ww wh <<<"$(field window)"
}
# A caption button's screenshot: NAME, left edge in window coordinates.
button_shot() { shot "$1" $((wx + $2)) $((wy + 4)) 21 21; }

start_program
where

# The skinned geometry: frame widths (4, 28, 4, 4) around the 394 x 244 client area.
[ "$ww $wh" = "402 276" ] || fail "window size $ww x $wh, expected 402 x 276"
[ "$(field clientsize)" = "394 244" ] || fail "client size $(field clientsize), expected 394 x 244"
read -r cx cy <<<"$(field client)"
[ "$((cx - wx)) $((cy - wy))" = "4 28" ] || fail "client origin at ($((cx - wx)), $((cy - wy))) in the window"
[ "$(field skinned)" = 1 ] || fail "the window does not answer that it is skinned"
shot frame "$wx" "$wy" "$ww" "$wh"

# The region: the top left corner pixel shows what is behind the window, the caption's middle does not.
behind=$(pixel $((wx - 3)) $((wy - 3)))
[ "$(pixel "$wx" "$wy")" = "$behind" ] || fail "the top left corner is not cut away ($(pixel "$wx" "$wy") vs $behind)"
[ "$(pixel $((wx + ww - 1)) "$wy")" = "$behind" ] || fail "the top right corner is not cut away"
[ "$(pixel $((wx + 200)) $((wy + 14)))" != "$behind" ] || fail "the caption is cut away"

# Hit testing: the caption below its top 3 pixels answers HTCAPTION (2).
[ "$(run_probe hit $((wx + 200)) $((wy + 12)))" = 2 ] || fail "no HTCAPTION inside the caption"
[ "$(run_probe hit $((wx + 200)) $((wy + 1)))" != 2 ] || fail "HTCAPTION in the caption's top 3 pixels"

# Close button: normal, hot under the mouse, pressed while held; releasing outside does not close.
xdotool mousemove --sync $((wx + 200)) $((wy + 60))
sleep 0.3
button_shot close_normal 374
xdotool mousemove --sync $((wx + 384)) $((wy + 14))
sleep 0.3
button_shot close_hot 374
xdotool mousedown 1
sleep 0.3
button_shot close_pressed 374
xdotool mousemove --sync $((wx + 200)) $((wy + 60))
sleep 0.2
xdotool mouseup 1
sleep 0.3
[ "$(differ close_normal close_hot)" -gt 20 ] || fail "the close button shows no hot look"
[ "$(differ close_hot close_pressed)" -gt 20 ] || fail "the close button shows no pressed look"
kill -0 "$pid" 2>/dev/null || fail "releasing outside the close button closed the program"
# Pressed, then moved with the button held onto the caption and released there: once the mouse has left the
# window, the close button is back in its normal look within half a second.
xdotool mousemove --sync $((wx + 384)) $((wy + 14))
sleep 0.3
xdotool mousedown 1
sleep 0.3
button_shot close_pressed_again 374
xdotool mousemove --sync $((wx + 200)) $((wy + 14))
sleep 0.2
xdotool mouseup 1
xdotool mousemove --sync $((wx + 200)) $((wy + wh + 40))
sleep 0.5
button_shot close_released_on_caption 374
[ "$(differ close_normal close_pressed_again)" -gt 20 ] || fail "the close button shows no pressed look"
[ "$(differ close_normal close_released_on_caption)" -lt 5 ] ||
    fail "released on the caption, the close button keeps its pressed look after the mouse left the window"
kill -0 "$pid" 2>/dev/null || fail "releasing on the caption closed the program"

# Minimise: hot and pressed too, and its hint after hovering.
button_shot min_normal 326
xdotool mousemove --sync $((wx + 336)) $((wy + 14))
sleep 0.3
button_shot min_hot 326
[ "$(differ min_normal min_hot)" -gt 20 ] || fail "the minimise button shows no hot look"
hint=
for _ in $(seq 1 25); do
    run_probe popups | grep -qv '^#32768$' && hint=1 && break
    sleep 0.2
done
[ -n "$hint" ] || fail "no hint window after hovering the minimise button"
shot min_hint $((wx + 250)) "$wy" 152 80
# The maximise button stays as it is under the mouse: it is disabled (no maximise box).
button_shot max_normal 350
xdotool mousemove --sync $((wx + 360)) $((wy + 14))
sleep 0.3
button_shot max_hover 350
[ "$(differ max_normal max_hover)" -lt 5 ] || fail "the disabled maximise button reacts to the mouse"

# Inactive look: another window takes the activation; the caption changes and comes back on a click.
shot caption_active "$wx" "$wy" "$ww" 28
run_probe other 2500 >/dev/null &
other=$!
sleep 1.5
shot caption_inactive "$wx" "$wy" "$ww" 28
[ "$(differ caption_active caption_inactive)" -gt 100 ] || fail "the inactive caption looks like the active one"
wait "$other"
xdotool mousemove --sync $((wx + 200)) $((wy + 14)) click 1
sleep 0.5
shot caption_again "$wx" "$wy" "$ww" 28
[ "$(differ caption_active caption_again)" -lt 50 ] || fail "the caption did not come back to its active look"

# Dragging by the caption moves the window with the mouse.
x0=$wx
y0=$wy
xdotool mousemove --sync $((wx + 200)) $((wy + 14)) mousedown 1
for step in 1 2 3 4 5; do
    xdotool mousemove --sync $((wx + 200 + step * 10)) $((wy + 14 + step * 6))
    sleep 0.1
done
xdotool mouseup 1
sleep 0.5
where
[ "$((wx - x0)) $((wy - y0))" = "50 30" ] || fail "dragging moved the window by ($((wx - x0)), $((wy - y0))), not (50, 30)"

# Waits for one open popup menu and reads its rectangle (mx my mw mh) and skinned state (mskinned).
open_menu() {
    local line=
    for _ in $(seq 1 20); do
        line=$(run_probe menus | head -n1)
        [ -n "$line" ] && break
        sleep 0.3
    done
    [ -n "$line" ] || fail "$1"
    read -r mx my mw mh mskinned <<<"$line"
}
# The skin's menu colours: the item background, and the menu background image's outline. The platform
# paints its menus white with a lighter grey outline.
menu_colour=252,252,252
menu_outline=150,150,150

# A right click on the caption opens the system menu, its items drawn by the engine in the skin's menu
# colour (the stored component does not skin the system menu's frame); Esc closes it.
xdotool mousemove --sync $((wx + 200)) $((wy + 14)) click 3
open_menu "no system menu after a right click on the caption"
shows $((mx + mw - 8)) $((my + 10)) "$menu_colour" ||
    fail "the system menu's first item is $(pixel $((mx + mw - 8)) $((my + 10))), not the skin's menu colour"
shot system_menu "$mx" "$my" "$mw" "$mh"
xdotool key Escape
sleep 0.5
run_probe popups >"$work/popups"
grep -qx '#32768' "$work/popups" && fail "the system menu stayed open after Esc"
# Alt+Space opens the same menu at the client area's top left corner.
xdotool key alt+space
open_menu "Alt+Space opened no system menu"
read -r cx cy <<<"$(field client)"
[ "$mx $my" = "$cx $cy" ] || fail "Alt+Space opened the system menu at ($mx, $my), not at the client's ($cx, $cy)"
shows $((mx + mw - 8)) $((my + 10)) "$menu_colour" || fail "the system menu from Alt+Space is not drawn by the engine"
xdotool key Escape
sleep 0.5

# The log's own context menu gets the skin's frame, with the platform's items inside it.
xdotool mousemove --sync $((cx + 100)) $((cy + 160)) click 3
open_menu "no context menu after a right click on the log"
[ "$mskinned" = 1 ] || fail "the log's context menu does not answer that it is skinned"
shows "$mx" "$my" "$menu_outline" ||
    fail "the log's context menu's outline is $(pixel "$mx" "$my"), not the skin's $menu_outline"
shows $((mx + 1)) $((my + 1)) "$menu_colour" ||
    fail "inside its outline the context menu is $(pixel $((mx + 1)) $((my + 1))), not the skin's $menu_colour"
shot memo_menu "$mx" "$my" "$mw" "$mh"
xdotool key Escape
sleep 0.5

# Minimise by a real click; restore; then close by the close button.
xdotool mousemove --sync $((wx + 336)) $((wy + 14)) click 1
sleep 0.8
dump=$(run_probe dump)
[ "$(field minimized)" = 1 ] || fail "a click on minimise did not minimise the window"
run_probe restore
sleep 0.8
where
[ "$(field minimized)" = 0 ] || fail "the window did not come back"
[ "$ww $wh" = "402 276" ] || fail "after restoring the window is $ww x $wh"
xdotool mousemove --sync $((wx + 384)) $((wy + 14)) click 1
wait_gone "a click on the close button did not end the program"

# A double click on the icon closes the program too.
start_program
where
xdotool mousemove --sync $((wx + 15)) $((wy + 14)) click --repeat 2 --delay 80 1
sleep 0.5
xdotool key Escape  # the first click opened the system menu; nothing is left when the double click closed
wait_gone "a double click on the icon did not end the program"
echo "PASS"
