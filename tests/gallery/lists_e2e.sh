#!/usr/bin/env bash
# End to end on the Gallery's Lists page with real X input (xdotool), in both skins: a drop-down list opened
# with the mouse and an item picked there; opened with Alt+Down and an item picked with the arrow keys; its
# dropped list's skinned scroll bar dragged by the thumb and an item picked from further down; text typed into
# the drop-down box's edit; the date picker's calendar dropped down by the skin's arrow button, shown above
# the page, and a day picked. Every step is checked in the page's log; every screenshot is kept in OUTDIR.
#   lists_e2e.sh Gallery.exe gallery_probe.exe OUTDIR
# Exit 0 pass, 1 fail, 125 when this machine cannot run the program (see tools/wine-run.sh).
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/gallery_helpers.sh"

# control CLASS N: the probe line of the page's Nth (from 1) child window of that class.
control() { probe_run children TGalleryPage | awk -F'\t' -v c="$1" -v n="$2" '$1 == c && ++i == n { print; exit }'; }
rect_of() { awk -F'\t' '{ print $3 }' <<<"$1"; }
droplist() { probe_run droplist; }
dropped() { [ -n "$(droplist)" ]; }
closed() { [ -z "$(droplist)" ]; }
calendar_up() { list_windows | grep -q $'^SysMonthCal32\t'; }
calendar_gone() { ! calendar_up; }
# The dropped list: lx ly lw lh (on the screen), its first visible item, its items, whether it is skinned.
read_list() { read -r lx ly lw lh top count skinned _ <<<"$(droplist | tr '\t' ' ')"; }

run_lists() {
    local skin=$1 tag=${1:-tocvane}
    start_page lists $'^TGalleryPage\t列表 - Lists\t' "$skin"
    shot "lists-$tag" "$x" "$y" "$w" "$h"

    # The drop-down list (ListCombo, 60 laps, 10 shown): a click on its button drops the skinned list down,
    # a click on the third item picks it and closes the list.
    local combo cx cy cw ch ih
    combo=$(control TComboBox 2)
    [[ $(awk -F'\t' '{ print $5 }' <<<"$combo") == *0003 ]] || fail "$tag: the second combo box is no drop-down list: $combo"
    read -r cx cy cw ch <<<"$(rect_of "$combo")"
    xdotool mousemove --sync $((cx + cw - 8)) $((cy + ch / 2)) click 1
    wait_until 10 dropped || fail "$tag: a click on the drop-down list's button dropped no list"
    read_list
    [ "$skinned" = 1 ] || fail "$tag: the dropped list has no skinner"
    [ "$count" = 60 ] || fail "$tag: the dropped list has $count items, not 60"
    wait_until 5 log_has '展开 ListCombo' || fail "$tag: the drop-down was not logged; the log ends: $(log_last)"
    shot "lists-$tag-dropped" "$x" "$y" "$w" $((h + 120))
    ih=$(((lh - 2) / 10))
    xdotool mousemove --sync $((lx + 30)) $((ly + 1 + 2 * ih + ih / 2)) click 1
    wait_until 5 closed || fail "$tag: picking an item left the list dropped"
    wait_until 5 log_has '组合框 ListCombo: 第 3 圈 Lap' || fail "$tag: the mouse picked no third lap; the log ends: $(log_last)"
    wait_until 5 log_has '收起 ListCombo' || fail "$tag: the close-up was not logged"
    shot "lists-$tag-picked" "$x" "$y" "$w" "$h"
    echo "lists $tag: the drop-down list opens skinned under the mouse and the mouse picks its third item"

    # The keyboard: Alt+Down drops the list, two Downs move on to the fifth lap, Enter takes it. (The mouse
    # waits beside the page: a list dropped under it would choose the item it rests on.)
    xdotool mousemove --sync $((x + w + 40)) "$y"
    xdotool key alt+Down
    wait_until 10 dropped || fail "$tag: Alt+Down dropped no list"
    xdotool key Down
    sleep 0.3
    xdotool key Down
    sleep 0.3
    shot "lists-$tag-keys" "$x" "$y" "$w" $((h + 120))
    xdotool key Return
    wait_until 5 closed || fail "$tag: Enter left the list dropped"
    wait_until 5 log_has '组合框 ListCombo: 第 5 圈 Lap' || fail "$tag: the keys picked no fifth lap; the log ends: $(log_last)"
    echo "lists $tag: Alt+Down drops the list, the arrows and Enter pick the fifth lap"

    # The skinned scroll bar of the dropped list: from the top of the list, the thumb is pressed and dragged
    # down 60 pixels with the list dropped (the list keeps the mouse meanwhile); the list scrolls with it,
    # and a click then picks the first item in view.
    xdotool mousemove --sync $((x + w + 40)) "$y"
    xdotool key alt+Down
    wait_until 10 dropped || fail "$tag: Alt+Down dropped no list for the drag"
    xdotool key Home
    sleep 0.5
    read_list
    [ "$top" = 0 ] || fail "$tag: Home left the list at item $top"
    local bx=$((lx + lw - 10)) by=$((ly + 1 + 17 + 4)) step
    xdotool mousemove --sync "$bx" "$by"
    sleep 0.2
    xdotool mousedown 1
    sleep 0.3
    for step in 1 2 3 4 5 6; do
        xdotool mousemove --sync "$bx" $((by + 10 * step))
        sleep 0.15
    done
    # The list follows the thumb while it is held.
    wait_until 5 eval '[ "$(droplist | cut -f2)" -gt 0 ]' || fail "$tag: the list did not follow the thumb during the drag"
    sleep 0.3
    shot "lists-$tag-thumb-drag" "$x" "$y" "$w" $((h + 120))
    xdotool mouseup 1
    sleep 0.5
    dropped || fail "$tag: the list closed when its thumb was let go"
    read_list
    [ "$top" -ge 10 ] || fail "$tag: dragging the thumb 60 pixels scrolled the list to item $top only"
    xdotool mousemove --sync $((lx + 30)) $((ly + 1 + ih / 2)) click 1
    wait_until 5 closed || fail "$tag: a click on an item after the drag left the list dropped"
    wait_until 5 log_has "组合框 ListCombo: 第 $((top + 1)) 圈 Lap" ||
        fail "$tag: the click after the drag picked no lap $((top + 1)); the log ends: $(log_last)"
    echo "lists $tag: the thumb of the dropped list's skinned bar drags the list to item $top; a click picks lap $((top + 1))"

    # The drop-down box's edit takes typed text.
    combo=$(control TComboBox 1)
    read -r cx cy cw ch <<<"$(rect_of "$combo")"
    xdotool mousemove --sync $((cx + 20)) $((cy + ch / 2)) click 1
    sleep 0.3
    xdotool key ctrl+a
    xdotool type --delay 80 Mango
    wait_until 5 log_has '组合框 DropDownCombo: Mango' || fail "$tag: typing into the edit was not logged; the log ends: $(log_last)"
    shot "lists-$tag-typed" "$x" "$y" "$w" "$h"
    echo "lists $tag: the drop-down box's edit takes typed text"

    # The date picker: the skin's arrow button drops the calendar down, above the page; a click on a day
    # picks it and closes the calendar.
    local arrow ax ay aw ah cal mx my mw mh
    arrow=$(control TArrowButton 1)
    [ -n "$arrow" ] || fail "$tag: the date picker has no arrow button"
    read -r ax ay aw ah <<<"$(rect_of "$arrow")"
    xdotool mousemove --sync $((ax + aw / 2)) $((ay + ah / 2)) click 1
    wait_until 10 calendar_up || fail "$tag: a click on the arrow button dropped no calendar"
    wait_until 5 log_has '日历 DatePicker' || fail "$tag: the calendar's drop-down was not logged"
    # The probe lists windows from the top of the z-order: the calendar comes before the page.
    list_windows | awk -F'\t' '$1 == "SysMonthCal32" { c = NR } $1 == "TGalleryPage" { p = NR } END { exit !(c && c < p) }' ||
        fail "$tag: the calendar is below the page: $(list_windows)"
    cal=$(list_windows | awk -F'\t' '$1 == "SysMonthCal32" { print $3; exit }')
    read -r mx my mw mh <<<"$cal"
    shot "lists-$tag-calendar" "$x" "$y" $((w + 100)) $((h + 200))
    # The fourth week's Tuesday: 2013-01-22 in a calendar that starts its weeks on Sunday.
    xdotool mousemove --sync $((mx + 90 * mw / 254)) $((my + 101 * mh / 154)) click 1
    wait_until 5 calendar_gone || fail "$tag: picking a day left the calendar up"
    wait_until 5 log_has '日期 DatePicker: 2013-01-22' || fail "$tag: the click picked no 2013-01-22; the log ends: $(log_last)"
    shot "lists-$tag-date" "$x" "$y" "$w" "$h"
    echo "lists $tag: the skin's arrow button drops the calendar above the page; a click picks 2013-01-22"

    close_gallery
}

run_lists ""
run_lists full
echo "lists: every step passed; screenshots in $out"
