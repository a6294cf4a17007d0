#!/usr/bin/env bash
# The alarm with the default settings (Beep on, no sound file chosen): two
# labels due in the same minute, the clock running ten times fast from
# 08:55:30 (start-up may take a while on a busy machine). At the warning
# minute both label windows turn to the warning colour and the program's own
# chime is heard; at 09:00 both date-times turn red and the chime is heard
# again. No error box stands in the way.
source "$(dirname "$0")/lib.sh"
need_faketime
start_display
start_pulse

printf '[FORM]\r\nMinute=2\r\n' >"$INI"
printf 'Time=2030/06/15 09:00\r\nMemo=standup\r\nTime=2030/06/15 09:00\r\nMemo=call\r\n' >"$DAT"

record_start "$WORK/heard.wav"
start_morna_at "@2030-06-15 08:55:30 x10"

wait_label_places 2
seen="" warned="" state=""
for _ in $(seq 120); do
  state=$(label_states)
  [ "$state" != "${seen##*,}" ] && { seen+=",$state"; echo "$state"; }
  [ "$state" = "c0ffff/pink c0ffff/pink" ] && warned=1
  [ "$state" = "c0ffff/red c0ffff/red" ] && break
  sleep 0.3
done
sleep 3  # let the recorder catch up before it stops
record_stop
kill -0 "$MORNA_PID" 2>/dev/null || fail "the program is gone: $(cat "$WORK/morna.log")"

[ -n "$warned" ] || fail "the two windows never stood in the warning colour together: $seen"
[ "$state" = "c0ffff/red c0ffff/red" ] || fail "the windows ended as $state, expected both light cyan with red"
# No message box: the registration window is the only other one titled so.
boxes=$($XWIN list | awk '$6 == "Moranote" && NF == 6' | wc -l)
[ "$boxes" -le 1 ] || fail "a message box came up: $($XWIN list)"
# The chime, twice, two minutes of the fast clock apart, silent in between.
mapfile -t bursts < <(sound_bursts "$WORK/heard.wav")
echo "chimes heard at ${bursts[*]} (quarter seconds of the recording)"
[ "${#bursts[@]}" -eq 2 ] || fail "expected two chimes, heard ${#bursts[@]}"
gap=$(( bursts[1] - bursts[0] ))
[ "$gap" -ge 28 ] && [ "$gap" -le 60 ] || fail "the chimes were $((gap / 4)) s apart, expected about 12 s"
echo "PASS"
