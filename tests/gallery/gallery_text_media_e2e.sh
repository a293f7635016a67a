#!/usr/bin/env bash
# End to end on the Gallery's Text and Media pages with real X input (xdotool), in both skins: the mouse
# over the list view's column header lights the column under it (and only that one) in the skin's hot cell,
# a click on a column's header is told to the page; the media player's skinned buttons click the player
# beneath them (playing enables pause and disables play, shown in the disabled cell), a click on a disabled
# button does nothing, and a press dragged from one button to another clicks neither. Every step is checked
# in the page's log; every screenshot is kept in OUTDIR.
#   gallery_text_media_e2e.sh Gallery.exe gallery_probe.exe OUTDIR
# Exit 0 pass, 1 fail, 125 when this machine cannot run the program (see tools/wine-run.sh).
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/gallery_helpers.sh"

# control CLASS N: the probe line of the page's Nth (from 1) child window of that class.
control() { probe_run children TGalleryPage | awk -F'\t' -v c="$1" -v n="$2" '$1 == c && ++i == n { print; exit }'; }
rect_of() { awk -F'\t' '{ print $3 }' <<<"$1"; }
skinned_of() { awk -F'\t' '{ print $4 }' <<<"$1"; }
# patch SHOT X Y W H: the mean colour of that part (screen coordinates) of a screenshot taken at (sx, sy).
patch() { patch_colour "$out/$1.png" $(($2 - sx)) $(($3 - sy)) "$4" "$5"; }
patch_colour() {
    convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -scale 1x1\! \
        -format '%[fx:int(255*r+.5)] %[fx:int(255*g+.5)] %[fx:int(255*b+.5)]' info:
}
distance() {
    awk -v a="$1" -v b="$2" 'BEGIN { split(a, p); split(b, q); printf "%d\n", sqrt((p[1]-q[1])^2 + (p[2]-q[2])^2 + (p[3]-q[3])^2) }'
}
log_count() { probe_run log | wc -l; }
# page_shot NAME: the whole page, kept as the reference for patch.
page_shot() {
    sleep 0.5
    sx=$x sy=$y
    shot "$1" "$x" "$y" "$w" "$h"
}

run_text() {
    local skin=$1 tag=${1:-tocvane}
    start_page text $'^TGalleryPage\t文本 - Text\t' "$skin"
    page_shot "text-$tag"
    local header hx hy hw hh
    header=$(control SysHeader32 1)
    [ -n "$header" ] || fail "$tag: the list view has no header window"
    [ "$(skinned_of "$header")" = 1 ] || fail "$tag: the list view's header is not skinned: $header"
    read -r hx hy hw hh <<<"$(rect_of "$header")"
    # The columns (text.form): 56, 64 and 68 pixels wide; a patch of each in its lower left corner, below
    # the text and above the bottom line, clear of the dividers.
    local c1=$((hx + 8)) c2=$((hx + 56 + 8)) py=$((hy + hh - 3))
    xdotool mousemove --sync $((hx + hw + 60)) $((hy - 30))
    sleep 0.5
    page_shot "text-$tag-header"
    local first second
    first=$(patch "text-$tag-header" "$c1" "$py" 6 2)
    second=$(patch "text-$tag-header" "$c2" "$py" 6 2)
    [ "$(distance "$first" "$second")" -lt 12 ] || fail "$tag: the header's columns differ with no mouse over them ($first, $second)"

    # Over the second column: it is lit, the first is not.
    xdotool mousemove --sync $((hx + 56 + 30)) $((hy + hh / 2))
    sleep 0.6
    page_shot "text-$tag-header-hot"
    local hot1 hot2
    hot1=$(patch "text-$tag-header-hot" "$c1" "$py" 6 2)
    hot2=$(patch "text-$tag-header-hot" "$c2" "$py" 6 2)
    [ "$(distance "$hot2" "$second")" -ge 12 ] || fail "$tag: the column under the mouse is not lit ($second, then $hot2)"
    [ "$(distance "$hot1" "$first")" -lt 12 ] || fail "$tag: the column away from the mouse changed ($first, then $hot1)"
    # Over the first: the light follows.
    xdotool mousemove --sync $((hx + 30)) $((hy + hh / 2))
    sleep 0.6
    page_shot "text-$tag-header-hot-first"
    [ "$(distance "$(patch "text-$tag-header-hot-first" "$c2" "$py" 6 2)" "$second")" -lt 12 ] ||
        fail "$tag: the second column stayed lit after the mouse moved to the first"
    [ "$(distance "$(patch "text-$tag-header-hot-first" "$c1" "$py" 6 2)" "$hot2")" -lt 12 ] ||
        fail "$tag: the first column is not lit like the second was"
    echo "text $tag: the mouse lights the header's column under it ($second -> $hot2)"

    # A click on the second column's header.
    xdotool mousemove --sync $((hx + 56 + 30)) $((hy + hh / 2)) click 1
    wait_until 5 log_has '列 column: 时间 Time' || fail "$tag: the click on the header was not told; the log ends: $(log_last)"
    # The mouse gone: no column lit.
    xdotool mousemove --sync $((hx + hw + 60)) $((hy - 30))
    sleep 0.6
    page_shot "text-$tag-header-left"
    [ "$(distance "$(patch "text-$tag-header-left" "$c1" "$py" 6 2)" "$first")" -lt 12 ] ||
        fail "$tag: a column stayed lit after the mouse left the header"
    echo "text $tag: a click on the header's second column is told to the page; leaving it lights none"
    close_gallery
}

run_media() {
    local skin=$1 tag=${1:-tocvane}
    start_page media $'^TGalleryPage\t媒体 - Media\t' "$skin"
    page_shot "media-$tag"
    local panel px py pw ph
    panel=$(control TWMediaPlayer 1)
    [ -n "$panel" ] || fail "$tag: no skinned panel over the media player"
    read -r px py pw ph <<<"$(rect_of "$panel")"
    local bw=$((pw / 9)) my=$((py + ph / 2))
    centre() { echo $((px + bw * $1 + bw / 2)); }
    # The middle of button i's glyph (the play glyph is green while enabled, grey while disabled).
    face() { patch "$1" $((px + bw * $2 + bw / 2 - 2)) $((py + ph / 2 - 1)) 3 3; }
    local play_before n
    play_before=$(face "media-$tag" 0)

    n=$(log_count)
    xdotool mousemove --sync "$(centre 0)" "$my" click 1
    wait_until 5 log_has '媒体 Player: btPlay' || fail "$tag: the click on play was not told; the log ends: $(log_last)"
    xdotool mousemove --sync "$((px + pw + 40))" "$my"
    page_shot "media-$tag-playing"
    [ "$(distance "$(face "media-$tag-playing" 0)" "$play_before")" -ge 40 ] ||
        fail "$tag: play is not shown disabled while playing"
    echo "media $tag: the skinned play button clicks the player; play is disabled while it plays"

    # Record is disabled while playing: a click on it does nothing.
    n=$(log_count)
    xdotool mousemove --sync "$(centre 7)" "$my" click 1
    sleep 1
    [ "$(log_count)" = "$n" ] || fail "$tag: a click on the disabled record button was told: $(log_last)"
    # Pressed on pause, released over stop: neither clicks.
    xdotool mousemove --sync "$(centre 1)" "$my" mousedown 1
    sleep 0.3
    page_shot "media-$tag-pressed"
    xdotool mousemove --sync "$(centre 2)" "$my" mouseup 1
    sleep 1
    [ "$(log_count)" = "$n" ] || fail "$tag: a press dragged from pause to stop clicked: $(log_last)"
    # Pause, then stop: play comes back.
    xdotool mousemove --sync "$(centre 1)" "$my" click 1
    wait_until 5 log_has '媒体 Player: btPause' || fail "$tag: the click on pause was not told"
    xdotool mousemove --sync "$(centre 2)" "$my" click 1
    wait_until 5 log_has '媒体 Player: btStop' || fail "$tag: the click on stop was not told"
    xdotool mousemove --sync "$((px + pw + 40))" "$my"
    page_shot "media-$tag-stopped"
    [ "$(distance "$(face "media-$tag-stopped" 0)" "$play_before")" -lt 20 ] ||
        fail "$tag: play is not enabled again after stop"
    echo "media $tag: a disabled button and a dragged press click nothing; pause and stop reach the player"
    close_gallery
}

run_text ""
run_media ""
run_text full
run_media full
echo "text and media: every step passed; screenshots in $out"
