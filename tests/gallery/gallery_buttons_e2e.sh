#!/usr/bin/env bash
# End to end on the Buttons page with real X input (xdotool): a group of speed buttons keeps one button down
# (it shows the fourth cell of its glyph, the others their first), a pressed one shows its third cell, a press
# dragged off clicks nothing, a button that allows all up comes up on a second click, the flat button shows
# its frame only under the mouse, and the menu button drops its skinned menu down under itself, where the
# keyboard picks an item. Every screenshot is kept in OUTDIR.
#   gallery_buttons_e2e.sh Gallery.exe gallery_probe.exe OUTDIR [SKIN]
# Exit 0 pass, 1 fail, 125 when this machine cannot run the program (see tools/wine-run.sh).
set -uo pipefail

. "$(dirname "${BASH_SOURCE[0]}")/gallery_common.sh"

windows=$(list_windows)
grep -qE '^(TGalleryForm|TMdiForm|TGalleryPage)'$'\t' <<<"$windows" &&
    fail "a Gallery window is already open in this Wine prefix"

check_page buttons $'^TGalleryPage\t按钮 - Buttons\t' "${4:-}"
read -r cx cy cw ch <<<"$("$tools/wine-run.sh" "$probe" client TGalleryPage 2>/dev/null | tr -d '\r')"
[ -n "${ch:-}" ] || fail "page buttons: the probe finds no client area"

log() { "$tools/wine-run.sh" "$probe" log 2>/dev/null | tr -d '\r'; }
log_lines() { log | wc -l; }
# wait_log N TEXT: the log has more than N lines and its last one is TEXT.
wait_log() {
    local want=$2 n=$1
    for _ in $(seq 1 40); do
        [ "$(log_lines)" -gt "$n" ] && [ "$(log | tail -n1)" = "$want" ] && return 0
        sleep 0.25
    done
    return 1
}
shot_page() {
    sleep 0.4
    import -window root -crop "${cw}x${ch}+${cx}+${cy}" +repage "$out/$1.png" 2>/dev/null || fail "no screenshot $1"
}
# How many pixels of a rectangle of a screenshot have exactly one colour: colour_count PNG X Y W H #RRGGBB.
colour_count() {
    convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -fill black +opaque "$6" -fill white -opaque "$6" \
        -colorspace Gray -format '%[fx:int(mean*w*h+.5)]' info:
}

# The speed buttons (buttons.form): the group box at (8, 412) of the client area, button i 64 x 32 at
# (12 + 68 i, 26) in it. Their glyphs (gallery_images.cpp) have one colour per cell and picture.
speed_left() { echo $((8 + 12 + 68 * $1)); }
speed_top=$((412 + 26))
speed_centre() { echo "$((cx + $(speed_left "$1") + 32)) $((cy + speed_top + 16))"; }
up_colour=('#F0C020' '#3080E0' '#40B030' '#D03030')
down_colour=('#FF7030' '#A040B0' '#A0A020' '#208020')
pressed_colour=('#786010' '#184070' '#205818' '#681818')
names=('左 L' '中 C' '右 R' '粗 B')
glyph_pixels() { colour_count "$out/$1.png" "$(speed_left "$2")" "$speed_top" 64 32 "$3"; }
# looks SHOT I up|down|pressed: button i shows that cell and neither of the others.
looks() {
    local shot=$1 i=$2 want=$3 up down pressed
    up=$(glyph_pixels "$shot" "$i" "${up_colour[$i]}")
    down=$(glyph_pixels "$shot" "$i" "${down_colour[$i]}")
    pressed=$(glyph_pixels "$shot" "$i" "${pressed_colour[$i]}")
    case $want in
    up) [ "$up" -gt 20 ] && [ "$down" = 0 ] && [ "$pressed" = 0 ] ;;
    down) [ "$down" -gt 20 ] && [ "$up" = 0 ] && [ "$pressed" = 0 ] ;;
    pressed) [ "$pressed" -gt 20 ] && [ "$up" = 0 ] && [ "$down" = 0 ] ;;
    esac || fail "page buttons: ${names[$i]} is not $want in $out/$shot.png (up $up, down $down, pressed $pressed pixels)"
}
click_speed() {
    local n
    n=$(log_lines)
    # shellcheck disable=SC2046
    xdotool mousemove --sync $(speed_centre "$1") click 1
    wait_log "$n" "快速按钮 speed: ${names[$1]} [$2]" ||
        fail "page buttons: a click on ${names[$1]} logged '$(log | tail -n1)', not [$2]"
}

shot_page buttons-speed-start
looks buttons-speed-start 0 up
looks buttons-speed-start 1 down
looks buttons-speed-start 2 up
click_speed 0 down
shot_page buttons-speed-left
looks buttons-speed-left 0 down
looks buttons-speed-left 1 up
looks buttons-speed-left 2 up
click_speed 2 down
click_speed 2 down  # a second click leaves it down: its group does not allow all up
shot_page buttons-speed-right
looks buttons-speed-right 0 up
looks buttons-speed-right 1 up
looks buttons-speed-right 2 down
echo "page buttons: the speed button group keeps one button down under real clicks"

# Held down over a button that is up: its pressed look; dragged off and let go: no click, nothing changes.
n=$(log_lines)
# shellcheck disable=SC2046
xdotool mousemove --sync $(speed_centre 0) mousedown 1
shot_page buttons-speed-pressed
looks buttons-speed-pressed 0 pressed
xdotool mousemove --sync $((cx + 300)) $((cy + 300))
sleep 0.3
xdotool mouseup 1
shot_page buttons-speed-dragged
looks buttons-speed-dragged 0 up
looks buttons-speed-dragged 2 down
sleep 0.5
[ "$(log_lines)" = "$n" ] || fail "page buttons: a press dragged off the button logged '$(log | tail -n1)'"
echo "page buttons: a pressed speed button shows its pressed cell; dragged off, it clicks nothing"

click_speed 3 down
click_speed 3 up  # its group allows all up
shot_page buttons-speed-allup
looks buttons-speed-allup 3 up
echo "page buttons: a speed button whose group allows all up comes up on a second click"

# The flat button (4): only its glyph and caption at rest, the skin's hot frame under the mouse.
edge() { patch_colour "$out/$1.png" "$(speed_left 4)" "$speed_top" 64 3; }
xdotool mousemove --sync $((cx + 300)) $((cy + 300))
shot_page buttons-flat-idle
# shellcheck disable=SC2046
xdotool mousemove --sync $(speed_centre 4)
shot_page buttons-flat-hot
idle=$(edge buttons-flat-idle)
hot=$(edge buttons-flat-hot)
[ "$(colour_distance "$idle" "$hot")" -gt 12 ] ||
    fail "page buttons: the flat button's edge is $idle at rest and $hot under the mouse"
echo "page buttons: the flat speed button shows its frame under the mouse only ($idle, then $hot)"

# The menu button (the group box at (440, 412), the button 92 x 32 at (12, 26) in it): a click drops its
# menu down at its bottom-left corner, skinned; Down, Down, Enter pick the second item.
n=$(log_lines)
xdotool mousemove --sync $((cx + 440 + 12 + 46)) $((cy + 412 + 26 + 16)) click 1
wait_until 10 popups_are 1 || fail "page buttons: a click on the menu button dropped no menu down"
[ "$(skinned_popups)" = 1 ] || fail "page buttons: the drop-down menu is not skinned: $(list_windows | grep $'^#32768')"
read -r px py _ _ <<<"$(newest_popup)"
[ "$px" = $((cx + 440 + 12)) ] && [ "$py" = $((cy + 412 + 26 + 32)) ] ||
    fail "page buttons: the drop-down is at $px $py, not under the button ($((cx + 452)) $((cy + 470)))"
import -window root -crop "$((cw + 40))x$((ch + 120))+$((cx - 20))+$((cy - 20))" +repage \
    "$out/buttons-menu-dropped.png" 2>/dev/null
wait_log "$n" '菜单按钮 drop-down: 操作 Act' || fail "page buttons: the drop-down was not logged: $(log | tail -n1)"
n=$(log_lines)
xdotool key Down
sleep 0.3
xdotool key Down
sleep 0.3
xdotool key Return
wait_until 5 popups_are 0 || fail "page buttons: Enter left the drop-down open"
wait_log "$n" '菜单按钮 menu: 粘贴(P)' || fail "page buttons: the second item did not run: $(log | tail -n1)"
echo "page buttons: the menu button drops its skinned menu down under itself; the chosen item runs"

close_gallery
echo "page buttons: all checks passed"
