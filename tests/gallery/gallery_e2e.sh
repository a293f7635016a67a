#!/usr/bin/env bash
# End to end: starts Gallery.exe under Wine on each page, checks that the page's windows come up and are drawn
# (a screenshot of each, not blank), and that --help and an unknown page answer on the console. With real X input
# (xdotool) it drives the skinned menus: the menu bar's drop-downs and their nested submenus, the keyboard (Alt,
# the arrows, Enter), the buttons a maximised MDI child leaves in the band; and it checks that the dialog box and
# the file-open dialog wear the skin's caption. Every screenshot is kept in OUTDIR.
#   gallery_e2e.sh Gallery.exe gallery_probe.exe OUTDIR
# Exit 0 pass, 1 fail, 125 when this machine cannot run the program (see tools/wine-run.sh).
set -uo pipefail

. "$(dirname "${BASH_SOURCE[0]}")/gallery_common.sh"

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
wait_until 5 popups_are 0 || fail "page main: Esc left Edit's drop-down open"
echo "page main: the skinned menu bar opens, switches and closes its drop-downs under real input"

# shot_window NAME: the main window and a margin around it (drop-downs and submenus reach past it).
shot_window() {
    import -window root -crop "$((w + 300))x$((h + 40))+$((x - 20))+$((y - 20))" +repage "$out/$1.png" 2>/dev/null ||
        fail "no screenshot $1"
}

# Nested submenus: the mouse slides down File's drop-down until an item opens its submenu (最近的文件, Recent
# files), then down that submenu until its own submenu opens (更多, More). Each is a popup menu window of its
# own, beside the one it came from, and each is skinned.
xdotool mousemove --sync $((x + 25)) "$band_y" click 1
wait_until 10 popups_are 1 || fail "page main: a click on File opened no drop-down"
read -r px py pw ph <<<"$(newest_popup)"
slide_down $((px + 40)) $((py + 4)) $((py + ph - 4)) 2 || fail "page main: no item of File's drop-down opened a submenu"
wait_until 5 popups_are 2 || fail "page main: the probe sees no submenu beside File's drop-down"
read -r sx sy sw sh <<<"$(newest_popup)"
[ "$sx" -ge $((px + pw - 8)) ] || fail "page main: the submenu at $sx is not beside the drop-down ($px, $pw wide)"
[ "$(skinned_popups)" = 2 ] || fail "page main: the submenu is not skinned: $(list_windows | grep $'^#32768')"
shot_window gallery-submenu
slide_down $((sx + 40)) $((sy + 4)) $((sy + sh - 4)) 3 || fail "page main: no item of the submenu opened its own"
wait_until 5 popups_are 3 || fail "page main: the probe sees no nested submenu"
[ "$(skinned_popups)" = 3 ] || fail "page main: the nested submenu is not skinned: $(list_windows | grep $'^#32768')"
shot_window gallery-submenu-nested
for n in 2 1 0; do
    xdotool key Escape
    wait_until 5 popups_are "$n" || fail "page main: Esc did not close one menu level (want $n menus up)"
done
echo "page main: File's drop-down, its submenu and the submenu's own open skinned under the mouse"

# The keyboard alone: Alt opens the first drop-down (File), Right moves along the bar to Edit's and View's
# (their first items have no submenu), Down moves from View's first item to 状态栏 (Status bar), Enter runs it.
# It is an auto-check item: the log gets its line without the check mark, and the same keys once more put the
# mark back.
log_last() { "$tools/wine-run.sh" "$probe" log 2>/dev/null | tr -d '\r' | tail -n1; }
log_is() { [ "$(log_last)" = "$1" ]; }
popup_at() { [ "$(popup_x)" = "$1" ]; }
popup_right_of() { local px; px=$(popup_x); [ -n "$px" ] && [ "$px" -gt "$1" ]; }
xdotool mousemove --sync $((x + w / 2)) $((y + h / 2)) click 1
sleep 0.3
xdotool key alt
wait_until 10 popups_are 1 || fail "page main: Alt alone opened no drop-down"
popup_at "$file_x" || fail "page main: Alt opened the drop-down at $(popup_x), not File's at $file_x"
xdotool key Right
wait_until 5 popup_at "$edit_x" || fail "page main: Right did not move from File's drop-down to Edit's"
xdotool key Right
wait_until 5 popup_right_of "$edit_x" || fail "page main: Right did not move from Edit's drop-down to View's"
view_x=$(popup_x)
[ "$(popups)" = 1 ] || fail "page main: the arrows left more than one drop-down open"
sleep 0.5
xdotool key Down
sleep 0.5
shot_window gallery-keys-view
xdotool key Return
wait_until 5 popups_are 0 || fail "page main: Enter left the drop-down open"
wait_until 5 log_is '菜单 menu: 状态栏(S)' || fail "page main: Enter ran no 状态栏 command; the log ends: $(log_last)"
xdotool key alt+v
wait_until 10 popup_at "$view_x" || fail "page main: Alt+V opened no drop-down at View's ($view_x)"
sleep 0.5
shot_window gallery-keys-view-unchecked
xdotool key Down
sleep 0.3
xdotool key Return
wait_until 5 log_is '菜单 menu: 状态栏(S) [✓]' || fail "page main: 状态栏 did not get its mark back; the log ends: $(log_last)"
echo "page main: Alt, Right, Right, Down, Enter run View > 状态栏; its check mark goes and comes back"

# The keyboard enters and leaves a submenu: Alt opens File's drop-down on its first item, Down three times
# reaches 最近的文件 (Recent files; the disabled 保存 is passed on the way), Right opens its submenu beside the
# drop-down, Left closes it again; Down then reaches 退出 (Exit), and Right there, with no submenu to open,
# moves on along the bar to Edit's drop-down.
xdotool key alt
wait_until 10 popups_are 1 || fail "page main: Alt alone opened no drop-down"
popup_at "$file_x" || fail "page main: Alt opened the drop-down at $(popup_x), not File's at $file_x"
sleep 0.5
for _ in 1 2 3; do
    xdotool key Down
    sleep 0.2
done
xdotool key Right
wait_until 5 popups_are 2 || fail "page main: Right on 最近的文件 opened no submenu ($(popups) menus up)"
read -r sx _ <<<"$(newest_popup)"
[ "$sx" -gt "$file_x" ] || fail "page main: the submenu Right opened is at $sx, not beside File's drop-down at $file_x"
shot_window gallery-keys-submenu
xdotool key Left
wait_until 5 popups_are 1 || fail "page main: Left in the submenu did not close it ($(popups) menus up)"
popup_at "$file_x" || fail "page main: Left in the submenu left File's drop-down (a drop-down at $(popup_x) is up)"
xdotool key Down
sleep 0.3
xdotool key Right
wait_until 5 popup_at "$edit_x" || fail "page main: Right on 退出 did not move on to Edit's drop-down (one at $(popup_x))"
[ "$(popups)" = 1 ] || fail "page main: moving on to Edit's drop-down left $(popups) menus up"
xdotool key Escape
wait_until 5 popups_are 0 || fail "page main: Esc left Edit's drop-down open"
echo "page main: Right enters 最近的文件's submenu, Left leaves it, Right on 退出 moves on to Edit"
main_shot=$out/gallery-main.png
main_w=$w
close_gallery

# The MDI page: a real click on the active child's maximise button (the skin puts it 52 pixels from the child's
# right edge, 4 down, 21 square); the maximised child's minimise, restore and close buttons then sit at the end
# of the frame's skinned menu band, and a real click on each does what it says.
mdi_dump() { "$tools/wine-run.sh" "$probe" mdi 2>/dev/null | tr -d '\r'; }
active_child() { mdi_dump | awk -F'\t' '$1 == "child" && $6 == 1 { print; exit }'; }
child_state() { mdi_dump | awk -F'\t' -v t="$1" '$1 == "child" && $2 == t { print $3; exit }'; }
child_is() { [ "$(child_state "$1")" = "$2" ]; }
children_are() { [ "$(mdi_dump | grep -c $'^child\t')" = "$1" ]; }
mdi_status() { mdi_dump | awk -F'\t' '$1 == "status" { print $2 }'; }
status_is() { [ "$(mdi_status)" = "$1" ]; }
# The number of key-coloured (magenta) pixels in a screenshot: a frame that lost its shape shows them.
magenta() {
    convert "$1" -fill black +opaque '#ff00ff' -fill white -opaque '#ff00ff' -colorspace Gray \
        -format '%[fx:int(mean*w*h+.5)]' info:
}
# How much the pixels of a rectangle of a screenshot vary (0 for a flat patch of band).
patch_spread() { convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -colorspace Gray -format '%[fx:standard_deviation]' info:; }
maximise_active() {
    local child title cx cy cw
    child=$(active_child)
    [ -n "$child" ] || fail "page mdi: no active child: $(mdi_dump)"
    title=$(awk -F'\t' '{ print $2 }' <<<"$child")
    read -r cx cy cw _ <<<"$(awk -F'\t' '{ print $4 }' <<<"$child")"
    xdotool mousemove --sync $((cx + cw - 52 + 10)) $((cy + 4 + 10))
    sleep 0.3
    xdotool click 1
    wait_until 10 child_is "$title" max || fail "page mdi: a click on the maximise button of $title did not maximise it"
    echo "$title"
}
# band_button INDEX: the centre of the band's MDI button (0 minimise, 1 restore, 2 close). The skin's MDI image
# is 12 cells of 13 pixels: the buttons are 13 wide, (13 + 4) * (3 - INDEX) left of the client area's right edge
# less the band image's left margin (1), centred in the band of the platform's menu height.
band_button() {
    local left=$((client_x + client_w - 17 * (3 - $1) - 1))
    echo "$((left + 6)) $((client_y - band_h + (band_h - 13) / 2 + 6))"
}
click_band_button() {
    local bx by
    read -r bx by <<<"$(band_button "$1")"
    xdotool mousemove --sync "$bx" "$by"
    sleep 0.4
    xdotool click 1
}
# The band's end, where the buttons sit, from a screenshot of the window ($x $y at its corner).
band_end_spread() { patch_spread "$1" $((client_x + client_w - 56 - x)) $((client_y - band_h + 3 - y)) 52 $((band_h - 6)); }
shot_mdi() { import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/$1.png" 2>/dev/null || fail "no screenshot $1"; }

check_page mdi $'^TMdiForm\t[^\t]*\t[^\t]*\t[01]\t3\t'
grep -q $'^TGalleryForm\t' <<<"$windows" && fail "page mdi: the main form is shown too"
read -r client_x client_y client_w _ <<<"$(mdi_dump | awk -F'\t' '$1 == "client" { print $2 }')"
band_h=$(mdi_dump | awk -F'\t' '$1 == "menu" { print $2 }')
[ "$(mdi_dump | awk -F'\t' '$1 == "menubar" { print $2 }')" = 0 ] || fail "page mdi: the platform's menu bar is still on the window"
[ "$(mdi_status)" = '子窗口 children: 3' ] || fail "page mdi: the status bar says '$(mdi_status)' with three children"
[ "$(mdi_dump | grep -c $'^child\t[^\t]*\tnormal\t[^\t]*\t1\t')" = 3 ] ||
    fail "page mdi: not three skinned children in their normal state: $(mdi_dump)"
flat=$(band_end_spread "$shot")
first=$(maximise_active) || exit 1
sleep 1
shot_mdi gallery-mdi-maximised
# The band's end, four times as large.
import -window root -crop "90x$((band_h + 8))+$((client_x + client_w - 86))+$((client_y - band_h - 4))" +repage \
    "$out/gallery-mdi-band.png" 2>/dev/null && mogrify -scale 400% "$out/gallery-mdi-band.png"
with=$(band_end_spread "$out/gallery-mdi-maximised.png")
awk -v a="$flat" -v b="$with" 'BEGIN { exit !(b > a + 0.05) }' ||
    fail "page mdi: no buttons at the end of the band with $first maximised (spread $flat before, $with now)"
click_band_button 1
wait_until 10 child_is "$first" normal || fail "page mdi: the band's restore button did not restore $first: $(mdi_dump)"
echo "page mdi: the band's restore button restores $first"
first=$(maximise_active) || exit 1
click_band_button 0
wait_until 10 child_is "$first" min || fail "page mdi: the band's minimise button did not minimise $first: $(mdi_dump)"
sleep 1
shot_mdi gallery-mdi-minimised
[ "$(magenta "$out/gallery-mdi-minimised.png")" = 0 ] ||
    fail "page mdi: key-coloured pixels show after the maximised child was minimised ($out/gallery-mdi-minimised.png)"
echo "page mdi: the band's minimise button minimises $first"
second=$(maximise_active) || exit 1
click_band_button 2
wait_until 10 children_are 2 || fail "page mdi: the band's close button did not close $second: $(mdi_dump)"
[ -z "$(child_state "$second")" ] || fail "page mdi: $second is still there after the band's close button"
wait_until 5 status_is '子窗口 children: 2' || fail "page mdi: the status bar says '$(mdi_status)' with two children left"
# As on the platform, the next child takes the activation and stays maximised: its buttons are in the band.
next=$(active_child | awk -F'\t' '{ print $2 }')
[ -n "$next" ] || fail "page mdi: no child is active after the maximised one closed: $(mdi_dump)"
wait_until 5 child_is "$next" max || fail "page mdi: $next took the activation but is not maximised: $(mdi_dump)"
sleep 1
shot_mdi gallery-mdi-closed
after=$(band_end_spread "$out/gallery-mdi-closed.png")
awk -v a="$flat" -v b="$after" 'BEGIN { exit !(b > a + 0.05) }' ||
    fail "page mdi: no buttons in the band for $next, maximised after the close (spread $flat at first, $after now)"
echo "page mdi: the band's close button closes $second; $next takes over, maximised, with its buttons"
click_band_button 1
wait_until 10 child_is "$next" normal || fail "page mdi: the band's restore button did not restore $next: $(mdi_dump)"
sleep 1
shot_mdi gallery-mdi-restored
[ "$(magenta "$out/gallery-mdi-restored.png")" = 0 ] ||
    fail "page mdi: key-coloured pixels show after the children were restored ($out/gallery-mdi-restored.png)"
after=$(band_end_spread "$out/gallery-mdi-restored.png")
awk -v a="$flat" -v b="$after" 'BEGIN { exit !(b < a + 0.02) }' ||
    fail "page mdi: the band keeps a child's buttons with none maximised (spread $flat at first, $after now)"
echo "page mdi: restoring $next leaves the band plain again"
close_gallery

# The dialog box and the file-open dialog wear the skin's caption: a patch of their caption bar, right of the
# title and left of the buttons, has the colour of the main form's skinned caption and not the platform's (the
# same page without a skin). The patch lies in the lower part of the skin's caption (28 pixels tall), below the
# platform's (18).
caption_patch() { patch_colour "$1" $(($2 - 130)) 19 20 8; }
main_caption=$(caption_patch "$main_shot" "$main_w")
check_caption() {
    local page=$1 pattern=$2 skinned plain
    check_page "$page" "$pattern"
    [ "$(awk -F'\t' '{ print $4 }' <<<"$line")" = 1 ] || fail "page $page: the window is not skinned"
    skinned=$(caption_patch "$shot" "$w")
    close_gallery
    check_page "$page" "$pattern" none
    plain=$(caption_patch "$shot" "$w")
    close_gallery
    [ "$(colour_distance "$skinned" "$main_caption")" -lt 40 ] ||
        fail "page $page: the caption ($skinned) is not the skin's ($main_caption, the main form's)"
    [ "$(colour_distance "$skinned" "$plain")" -gt 60 ] ||
        fail "page $page: the caption ($skinned) looks like the platform's ($plain, without the skin)"
    echo "page $page: skinned caption $skinned (the main form's $main_caption; without the skin $plain)"
}
check_caption dialogs $'^#32770\t标准控件 - Standard controls\t'
grep -q $'^TGalleryForm\t' <<<"$windows" || fail "page dialogs: no main form under the dialog box"
check_caption open $'^#32770\t打开 Open\t'

check_page message $'^#32770\t消息框 Message box\t'
close_gallery
echo "all pages up"
