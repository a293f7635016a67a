#!/usr/bin/env bash
# End to end: starts Tocvane.exe under Wine, clicks its buttons with real X input and reads back what the live
# window shows.   tocvane_e2e.sh Tocvane.exe window_probe.exe OUTDIR
# Exit 0 pass, 1 fail, 125 when this machine cannot run the program (see tools/wine-run.sh).
set -uo pipefail

. "$(dirname "${BASH_SOURCE[0]}")/e2e_common.sh"

# What the program file carries: 13 icon images, the version, the manifest, the form description.
res=$(run_probe resources "$(winepath_of "$exe")")
[ "$(awk -F'\t' '$1 == "icons" { print $2 }' <<<"$res")" = 13 ] || fail "icon images: $res"
[ "$(awk -F'\t' '$1 == "icon" { print $2 }' <<<"$res" | tr '\n' ,)" = \
  "16 4,24 4,32 4,48 4,16 8,24 8,32 8,48 8,16 32,24 32,32 32,48 32,128 32," ] || fail "icon sizes: $res"
grep -q $'^version\tv1.2.20130119$' <<<"$res" || fail "version resource: $res"
grep -q $'^manifest\tcomctl6=1 dpiaware=false$' <<<"$res" || fail "manifest: $res"
grep -q $'^form\t' <<<"$res" || fail "no form description: $res"

start_program

dump=$(run_probe dump)
[ "$(field title)" = "Tocvanev1.2.20130119" ] || fail "title at start: $(field title)"
[ "$(field topmost)" = 1 ] || fail "the window is not top-most"
read -r cx cy <<<"$(field client)"
[ -n "$cx" ] || fail "no client origin"

# Button centres from the layout (client coordinates): B2, Button2, ButtonClear, Button3 on the window,
# Button1 inside GroupBox2 at (0, 90).
click() {
    xdotool mousemove --sync $((cx + $1)) $((cy + $2)) click 1
    sleep 0.4
}
start_pause() { click $((23 + 34)) $((63 + 12)); }
lap() { click $((94 + 34)) $((63 + 12)); }
end_run() { click $((165 + 34)) $((63 + 12)); }
clear_log() { click $((350 + 20)) $((90 + 12 + 12)); }
quit() { click $((306 + 34)) $((63 + 12)); }

time_re='00时00分0[0-9]秒[0-9]{3}毫秒'
stamp_re=' 时间[^ ]+ .+'

start_pause # 开始
sleep 1
lap         # 计次
sleep 0.5
start_pause # 暂停
dump=$(run_probe dump)
[ "$(field title)" = "Tocvane -- 暂停" ] || fail "title while paused: $(field title)"
mapfile -t log < <(field log)
[ "${#log[@]}" = 2 ] || fail "expected a lap and a pause line"
[[ ${log[0]} =~ ^1\.计次\ ${time_re}${stamp_re}$ ]] || fail "lap line: ${log[0]}"
[[ ${log[1]} =~ ^暂停\ ${time_re}${stamp_re}$ ]] || fail "pause line: ${log[1]}"
printf '%s\n' "$dump" | grep -q $'^control\t[^\t]*\t继续\t' || fail "B2 does not read 继续"

start_pause # 继续
sleep 0.5
end_run     # 结束
dump=$(run_probe dump)
[ "$(field title)" = "Tocvane" ] || fail "title after the end: $(field title)"
mapfile -t log < <(field log)
[ "${#log[@]}" = 4 ] || fail "expected four log lines after the end"
[[ ${log[2]} =~ ^2\.结束\ ${time_re}${stamp_re}$ ]] || fail "end line: ${log[2]}"
[ "${log[3]}" = "-----------------------------------------------------" ] || fail "rule line: ${log[3]}"
# The end time is later than the pause time: the run went on after 继续.
lapms=$(sed -E 's/.*([0-9])秒([0-9]{3})毫秒.*/\1\2/' <<<"${log[1]}")
endms=$(sed -E 's/.*([0-9])秒([0-9]{3})毫秒.*/\1\2/' <<<"${log[2]}")
[ $((10#$endms)) -gt $((10#$lapms)) ] || fail "end time ${log[2]} not after pause time ${log[1]}"
printf '%s\n' "$dump" | grep -q $'^control\t[^\t]*\t开始\t' || fail "B2 does not read 开始"
printf '%s\n' "$dump" | grep -q $'^control\t[^\t]*\t1\t' || fail "the lap number is not back at 1"

if [ -n "$(field window)" ]; then
    read -r wx wy ww wh <<<"$(field window)"
    import -window root -crop "$((ww + 40))x$((wh + 40))+$((wx - 20))+$((wy - 20))" "$out/tocvane_e2e.png" 2>/dev/null ||
        import -window root "$out/tocvane_e2e.png"
    echo "screenshot: $out/tocvane_e2e.png"
fi

clear_log   # 清空
dump=$(run_probe dump)
[ -z "$(field log)" ] || fail "the log was not emptied"

quit        # 退出
wait_gone "the program did not end after 退出"
echo "PASS"
