#!/usr/bin/env bash
# End to end, check boxes and radio buttons with real X input (xdotool), in both skins: on the Choices page a
# click checks a box (its image then is the checked box's image pixel for pixel), a three-state box goes through
# its three states by mouse and keyboard, picking a radio button clears the others, a radio group and a check
# group answer clicks on their items, and each change reaches the log; in the full skin the mouse over a box
# changes its image (the hot cell) and leaving it changes it back. In the dialog box the raw controls (an
# automatic three-state box, a group of automatic radio buttons) do the same under the skin's images. Every
# screenshot is kept in OUTDIR.
#   gallery_choices_e2e.sh Gallery.exe gallery_probe.exe OUTDIR
# Exit 0 pass, 1 fail, 125 when this machine cannot run the program (see tools/wine-run.sh).
set -uo pipefail

. "$(dirname "${BASH_SOURCE[0]}")/gallery_common.sh"

windows=$(list_windows)
grep -qE '^(TGalleryForm|TGalleryPage)'$'\t' <<<"$windows" && fail "a Gallery window is already open in this Wine prefix"

# controls TITLE: the probe's lines for the controls of the window whose title contains TITLE (ASCII).
controls() { "$tools/wine-run.sh" "$probe" controls "$1" 2>/dev/null | tr -d '\r'; }
# control TITLE TEXT: the probe line of the control whose text is TEXT.
control() { controls "$1" | awk -F'\t' -v t="$2" '$2 == t { print; exit }'; }
check_of() { control "$1" "$2" | awk -F'\t' '{ print $6 }'; }
check_is() { [ "$(check_of "$1" "$2")" = "$3" ]; }
log_last() { "$tools/wine-run.sh" "$probe" log 2>/dev/null | tr -d '\r' | tail -n1; }
log_is() { [ "$(log_last)" = "$1" ]; }

# image_at TITLE TEXT: the screen point at the middle of the control's box image (at its right for a caption
# on the left, BS_LEFTTEXT), and the image's top-left corner: "cx cy left top".
image_at() {
    local ln x y w h style
    ln=$(control "$1" "$2")
    [ -n "$ln" ] || fail "no control \"$2\" in the window $1"
    read -r x y w h <<<"$(awk -F'\t' '{ print $3 }' <<<"$ln")"
    style=$(awk -F'\t' '{ print $4 }' <<<"$ln")
    local top=$((y + (h - 13) / 2)) left=$x
    (((16#$style & 0x20) != 0)) && left=$((x + w - 14))
    echo "$((left + 6)) $((top + 6)) $left $top"
}
# patch TITLE TEXT NAME: saves the control's 13 x 13 box image as OUTDIR/NAME.png (the mouse out of the way).
patch() {
    local cx cy left top
    read -r cx cy left top <<<"$(image_at "$1" "$2")"
    import -window root -crop "13x13+$left+$top" +repage "$out/$3.png" 2>/dev/null || fail "no screenshot $3"
}
# same NAME1 NAME2: the two saved images are the same pixel for pixel.
same() { [ "$(compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1)" = 0 ]; }
click_image() {
    local cx cy
    read -r cx cy _ <<<"$(image_at "$1" "$2")"
    xdotool mousemove --sync "$cx" "$cy" click 1
}
# Away from every control (the window's top-left corner, inside its client area), so no look is hot.
park() { xdotool mousemove --sync "$((page_x + 4))" "$((page_y + 34))"; sleep 0.4; }
shot_page() { import -window root -crop "${page_w}x${page_h}+${page_x}+${page_y}" +repage "$out/$1.png" 2>/dev/null; }

run_choices() {
    local skin=$1 title=Choices
    check_page choices $'^TGalleryPage\t选择 - Choices\t' "$skin"
    read -r page_x page_y page_w page_h <<<"$(awk -F'\t' '{ print $3 }' <<<"$line")"
    local unskinned
    unskinned=$(controls "$title" | awk -F'\t' '$1 ~ /Check|Radio|Group/ && $5 != 1 { print $1 " " $2 }')
    [ -z "$unskinned" ] || fail "choices ($skin): controls not skinned: $unskinned"
    park
    # The looks to compare with, as the page starts: unchecked, checked, grayed; a radio button off and on.
    patch "$title" '未选 Unchecked' "$skin-ref-unchecked"
    patch "$title" '选中 Checked' "$skin-ref-checked"
    patch "$title" '三态 Three states' "$skin-ref-grayed"
    patch "$title" '乙 Second' "$skin-ref-off"
    patch "$title" '甲 First' "$skin-ref-on"
    same "$skin-ref-unchecked" "$skin-ref-checked" && fail "choices ($skin): checked and unchecked look alike"
    same "$skin-ref-grayed" "$skin-ref-checked" && fail "choices ($skin): grayed and checked look alike"
    shot_page "gallery-choices-$skin-start"

    # A click checks the unchecked box: its image becomes the checked box's; a second click clears it again.
    click_image "$title" '未选 Unchecked'
    wait_until 5 check_is "$title" '未选 Unchecked' 1 || fail "choices ($skin): a click did not check the box"
    wait_until 5 log_is '复选框 check box: 未选 Unchecked = 选中 checked' || fail "choices ($skin): the log says $(log_last)"
    park
    patch "$title" '未选 Unchecked' "$skin-toggled"
    same "$skin-toggled" "$skin-ref-checked" || fail "choices ($skin): the checked box does not show the checked image"
    shot_page "gallery-choices-$skin-toggled"
    click_image "$title" '未选 Unchecked'
    wait_until 5 check_is "$title" '未选 Unchecked' 0 || fail "choices ($skin): a second click did not clear the box"
    park
    patch "$title" '未选 Unchecked' "$skin-cleared"
    same "$skin-cleared" "$skin-ref-unchecked" || fail "choices ($skin): the cleared box does not look unchecked"

    # The three-state box: grayed, a click to checked, one to unchecked, the space bar back to grayed.
    local want state
    for want in '1 checked 选中 checked' '0 unchecked 未选 unchecked'; do
        read -r state name text <<<"$want"
        click_image "$title" '三态 Three states'
        wait_until 5 check_is "$title" '三态 Three states' "$state" || fail "choices ($skin): the three-state box is not $name"
        wait_until 5 log_is "复选框 check box: 三态 Three states = $text" || fail "choices ($skin): the log says $(log_last)"
        park
        patch "$title" '三态 Three states' "$skin-three-$name"
        same "$skin-three-$name" "$skin-ref-$name" || fail "choices ($skin): the three-state box does not look $name"
        shot_page "gallery-choices-$skin-three-$name"
    done
    xdotool key space
    wait_until 5 check_is "$title" '三态 Three states' 2 || fail "choices ($skin): space did not gray the three-state box"
    park
    patch "$title" '三态 Three states' "$skin-three-grayed"
    same "$skin-three-grayed" "$skin-ref-grayed" || fail "choices ($skin): the grayed box does not look grayed"
    echo "choices ($skin): check boxes toggle and the three-state box goes round its states under real input"

    # Picking the second radio button clears the first (and the third stays clear): the images swap.
    click_image "$title" '乙 Second'
    wait_until 5 check_is "$title" '乙 Second' 1 || fail "choices ($skin): a click did not pick the second radio button"
    check_is "$title" '甲 First' 0 || fail "choices ($skin): the first radio button stayed checked"
    check_is "$title" '丙 Third' 0 || fail "choices ($skin): the third radio button got checked"
    wait_until 5 log_is '单选 radio: 乙 Second' || fail "choices ($skin): the log says $(log_last)"
    park
    patch "$title" '乙 Second' "$skin-radio-second"
    patch "$title" '甲 First' "$skin-radio-first"
    same "$skin-radio-second" "$skin-ref-on" || fail "choices ($skin): the picked radio button does not look checked"
    same "$skin-radio-first" "$skin-ref-off" || fail "choices ($skin): the cleared radio button does not look clear"
    shot_page "gallery-choices-$skin-radio"

    # The radio group's first item, the check group's second.
    click_image "$title" '红 Red'
    wait_until 5 log_is '单选组 radio group: 0 红 Red' || fail "choices ($skin): the radio group's log says $(log_last)"
    check_is "$title" '蓝 Blue' 0 || fail "choices ($skin): the radio group kept its old item"
    click_image "$title" '斜体 Italic'
    wait_until 5 log_is '复选组 check group: 斜体 Italic = 选中 checked' ||
        fail "choices ($skin): the check group's log says $(log_last)"
    park
    patch "$title" '斜体 Italic' "$skin-group-italic"
    same "$skin-group-italic" "$skin-ref-checked" || fail "choices ($skin): the check group's item does not look checked"
    # A disabled box does not answer.
    click_image "$title" '禁用 Disabled'
    sleep 0.5
    [ "$(controls "$title" | awk -F'\t' '$2 == "禁用 Disabled" { print $6 }' | tr -d '\n')" = 010 ] ||
        fail "choices ($skin): a disabled control changed: $(controls "$title" | grep 禁用)"
    shot_page "gallery-choices-$skin-groups"
    echo "choices ($skin): radio buttons, the radio group and the check group answer real clicks"

    if [ "$skin" = full ]; then
        # Twelve cells: the mouse over a box shows its hot image, leaving it the normal one again.
        local cx cy
        read -r cx cy _ <<<"$(image_at "$title" '选中 Checked')"
        xdotool mousemove --sync "$cx" "$cy"
        sleep 0.6
        patch "$title" '选中 Checked' "$skin-hot"
        same "$skin-hot" "$skin-ref-checked" && fail "choices ($skin): the box under the mouse shows no hot image"
        shot_page "gallery-choices-$skin-hot"
        park
        patch "$title" '选中 Checked' "$skin-left"
        same "$skin-left" "$skin-ref-checked" || fail "choices ($skin): the box the mouse left keeps its hot image"
        echo "choices ($skin): the mouse over a box shows its hot image and leaving it takes it away"
    fi
    close_gallery
}

run_choices tocvane
run_choices full

# The dialog box's raw controls: the skin's images over the platform's own boxes.
check_page dialogs $'^#32770\t标准控件 - Standard controls\t'
read -r page_x page_y page_w page_h <<<"$(awk -F'\t' '{ print $3 }' <<<"$line")"
title=Standard
# (The picture button keeps the platform's look, as a push button showing a bitmap does.)
unskinned=$(controls "$title" | awk -F'\t' '$1 == "Button" && $6 != -1 && $5 != 1 && $2 !~ /Picture/ { print $2 }')
[ -z "$unskinned" ] || fail "dialogs: raw controls not skinned: $unskinned"
park
patch "$title" '记住(&R)' dlg-ref-checked
patch "$title" '三态(&T)' dlg-ref-grayed
patch "$title" '甲(&A)' dlg-ref-off
patch "$title" '乙(&B)' dlg-ref-on
same dlg-ref-off dlg-ref-on && fail "dialogs: the radio buttons' images do not tell on from off"
shot_page gallery-dialog-start
# BS_AUTO3STATE goes unchecked, checked, grayed: from grayed once round, then to checked.
for state in 0 1 2; do
    click_image "$title" '三态(&T)'
    wait_until 5 check_is "$title" '三态(&T)' "$state" || fail "dialogs: the three-state box is not at $state"
done
park
patch "$title" '三态(&T)' dlg-three
same dlg-three dlg-ref-grayed || fail "dialogs: the three-state box does not look grayed after its round"
for state in 0 1; do
    click_image "$title" '三态(&T)'
    wait_until 5 check_is "$title" '三态(&T)' "$state" || fail "dialogs: the three-state box is not at $state"
done
park
patch "$title" '三态(&T)' dlg-three-checked
same dlg-three-checked dlg-ref-checked || fail "dialogs: the checked three-state box does not look checked"
# Picking A clears B.
click_image "$title" '甲(&A)'
wait_until 5 check_is "$title" '甲(&A)' 1 || fail "dialogs: a click did not pick radio button A"
check_is "$title" '乙(&B)' 0 || fail "dialogs: radio button B stayed checked"
park
patch "$title" '甲(&A)' dlg-a
patch "$title" '乙(&B)' dlg-b
same dlg-a dlg-ref-on || fail "dialogs: the picked raw radio button does not look checked"
same dlg-b dlg-ref-off || fail "dialogs: the cleared raw radio button does not look clear"
shot_page gallery-dialog-picked
echo "dialogs: the raw three-state box and radio buttons answer real clicks under the skin's images"
close_gallery
echo "all choices answer"
