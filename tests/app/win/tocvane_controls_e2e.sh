#!/usr/bin/env bash
# End to end: the skinned controls of the real Tocvane window under real X input. Every windowed control
# answers that it is skinned; push buttons show hot and pressed looks and click only when released on
# themselves; Tab moves the focused look, Space and Enter click; a timing run works through the skinned
# buttons; after 40 laps the log's skinned scroll bar scrolls by its arrows, its track, its thumb and the
# wheel. Saves the screenshots it compares in OUTDIR.
#   tocvane_controls_e2e.sh Tocvane.exe window_probe.exe OUTDIR
# Exit 0 pass, 1 fail, 125 when this machine cannot run the program.
set -uo pipefail

. "$(dirname "${BASH_SOURCE[0]}")/e2e_common.sh"

# shot_client NAME X Y W H: a part of the client area (client coordinates).
shot_client() { shot "$1" $((cx + $2)) $((cy + $3)) "$4" "$5"; }
b2_text() { dump=$(run_probe dump); printf '%s\n' "$dump" | awk -F'\t' '$1 == "control" && $4 == "23 63 69 25" { print $3 }'; }
log_lines() { dump=$(run_probe dump); field log | grep -c . ; }
first_line() { run_probe firstline; }

start_program
dump=$(run_probe dump)
read -r cx cy <<<"$(field client)"

# Every windowed control is skinned; the hidden edits too, the panel over the scroll bar is the engine's own.
plain=$(field control | awk -F'\t' '$1 != "TWScrollbar" && $5 != 1 { print $1 " \x27" $2 "\x27 at " $3 }')
[ -z "$plain" ] || fail "not skinned: $plain"
[ "$(field control | grep -c $'^TButton\t')" = 6 ] || fail "expected six push buttons"

# 开始 has the focus at start; Tab moves the focused look to the next button in tab order (结束).
shot_client b2_focused 23 63 69 25
shot_client end_normal 165 63 69 25
xdotool key Tab
sleep 0.4
shot_client b2_after_tab 23 63 69 25
shot_client end_focused 165 63 69 25
[ "$(differ b2_focused b2_after_tab)" -gt 30 ] || fail "开始 kept its focused look after Tab"
[ "$(differ end_normal end_focused)" -gt 30 ] || fail "结束 shows no focused look after Tab"

# Pressing 计次 and releasing outside it: hot, then pressed, then no click; the press gave it the focus.
shot_client lap_normal 94 63 69 25
xdotool mousemove --sync $((cx + 128)) $((cy + 75))
sleep 0.4
shot_client lap_hot 94 63 69 25
xdotool mousedown 1
sleep 0.4
shot_client lap_pressed 94 63 69 25
xdotool mousemove --sync $((cx + 128)) $((cy + 150))
sleep 0.2
xdotool mouseup 1
sleep 0.4
shot_client lap_after 94 63 69 25
[ "$(differ lap_normal lap_hot)" -gt 30 ] || fail "计次 shows no hot look"
[ "$(differ lap_hot lap_pressed)" -gt 30 ] || fail "计次 shows no pressed look"
[ "$(differ lap_pressed lap_after)" -gt 30 ] || fail "计次 kept its pressed look after the release"
[ "$(differ lap_normal lap_after)" -gt 30 ] || fail "计次 shows no focused look after taking the focus"
[ "$(log_lines)" = 0 ] || fail "releasing outside 计次 clicked it"

# Tab from the last button of the tab order brings the focus back to 开始.
xdotool key Tab
sleep 0.4
shot_client b2_back 23 63 69 25
[ "$(differ b2_focused b2_back)" -lt 10 ] || fail "Tab did not give 开始 its focused look back"

# Space and Enter click the focused button: start, then pause.
xdotool key space
sleep 0.5
[ "$(b2_text)" = 暂停 ] || fail "Space on 开始 did not start a run (it reads $(b2_text))"
xdotool key Return
sleep 0.5
[ "$(b2_text)" = 继续 ] || fail "Enter on 暂停 did not pause the run (it reads $(b2_text))"
# The mouse continues; 40 laps fill the log beyond its height.
xdotool mousemove --sync $((cx + 57)) $((cy + 75)) click 1
sleep 0.4
[ "$(b2_text)" = 暂停 ] || fail "a click on 继续 did not continue the run"
xdotool mousemove --sync $((cx + 128)) $((cy + 75))
for _ in $(seq 1 40); do
    xdotool click 1
    sleep 0.08
done
sleep 0.5
[ "$(log_lines)" = 41 ] || fail "expected the pause line and 40 lap lines, found $(log_lines)"

# The log's scroll bar: the panel over the memo's right edge (client x 325, y 106, 17 x 115).
sx=$((cx + 333))
top=$((cy + 106))
bottom=$((cy + 106 + 115))
shot_client bar_at_end 325 106 17 115
l0=$(first_line)
[ "$l0" -gt 0 ] || fail "the log did not scroll to its end"
xdotool mousemove --sync "$sx" $((top + 7)) click 1
sleep 0.4
[ "$(first_line)" = $((l0 - 1)) ] || fail "the up arrow moved the first line from $l0 to $(first_line)"
xdotool mousemove --sync "$sx" $((bottom - 7)) click 1
sleep 0.4
[ "$(first_line)" = "$l0" ] || fail "the down arrow moved the first line to $(first_line), not $l0"
xdotool mousemove --sync "$sx" $((top + 24)) click 1
sleep 0.4
l1=$(first_line)
[ "$l1" -lt $((l0 - 1)) ] || fail "a click on the track above the thumb moved the first line only to $l1"
shot_client bar_after_page 325 106 17 115
[ "$(differ bar_at_end bar_after_page)" -gt 20 ] || fail "the drawn thumb did not follow a page up"
xdotool mousemove --sync $((cx + 150)) $((cy + 160)) click 4 click 4 click 4 click 4 click 4 click 4
sleep 0.5
l2=$(first_line)
[ "$l2" -lt "$l1" ] || fail "the wheel did not scroll the log up (first line $l2, was $l1)"
for _ in 1 2 3 4 5 6 7 8 9 10; do xdotool click 4; done
sleep 0.4
[ "$(first_line)" = 0 ] || fail "the wheel did not reach the log's first line"
shot_client bar_at_top 325 106 17 115
# Dragging the thumb from just below the up arrow down the track scrolls along.
xdotool mousemove --sync "$sx" $((top + 22)) mousedown 1
for step in 1 2 3 4 5 6; do
    xdotool mousemove --sync "$sx" $((top + 22 + step * 8))
    sleep 0.1
done
sleep 0.3
shot_client bar_dragging 325 106 17 115
xdotool mouseup 1
sleep 0.4
l3=$(first_line)
[ "$l3" -gt 5 ] || fail "dragging the thumb by 48 pixels moved the first line only to $l3"
[ "$(differ bar_at_top bar_dragging)" -gt 20 ] || fail "the drawn thumb did not follow the drag"
shot window "$cx" "$cy" 394 244

# The run ends through the skinned buttons and the program closes with 退出.
xdotool mousemove --sync $((cx + 199)) $((cy + 75)) click 1
sleep 0.4
[ "$(b2_text)" = 开始 ] || fail "结束 did not end the run"
xdotool mousemove --sync $((cx + 340)) $((cy + 75)) click 1
wait_gone "the program did not end after 退出"
echo "PASS"
