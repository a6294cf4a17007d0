#!/usr/bin/env bash
# The chosen sound file is gone: two labels come due in the same minute with
# a sound server running, the clock ten times fast from 08:55:30. At the
# warning minute each alarm tries the file and sounds the built-in chime
# instead, and one box tells of the missing file. While that box stands,
# nobody closing it, both label windows still turn red at 09:00: the box
# does not hold the schedule timer, and no second box comes.
source "$(dirname "$0")/lib.sh"
need_faketime
start_display
start_pulse

printf '[FORM]\r\nMinute=2\r\nBeep=1\r\n[FILE]\r\nWaveFileName=%s\r\n' "$WORK/gone/bell.wav" >"$INI"
printf 'Time=2030/06/15 09:00\r\nMemo=standup\r\nTime=2030/06/15 09:00\r\nMemo=call\r\n' >"$DAT"

record_start "$WORK/heard.wav"
start_morna_at "@2030-06-15 08:55:30 x10"

# Message boxes: top-level windows titled "Moranote" other than the
# registration window (322 x 123).
boxes() { $XWIN list | awk '$6 == "Moranote" && NF == 6 && !($4 == 322 && $5 == 123)' | wc -l; }

wait_label_places 2
seen="" warned="" state="" most=0 boxed_when_red=""
for _ in $(seq 150); do
  state=$(label_states)
  [ "$state" != "${seen##*,}" ] && { seen+=",$state"; echo "$state"; }
  [ "$state" = "c0ffff/pink c0ffff/pink" ] && warned=1
  n=$(boxes); [ "$n" -gt "$most" ] && most=$n
  if [ "$state" = "c0ffff/red c0ffff/red" ]; then boxed_when_red=$n; break; fi
  sleep 0.3
done
sleep 2  # let the recorder catch up before it stops
record_stop
$XWIN list
kill -0 "$MORNA_PID" 2>/dev/null || fail "the program is gone: $(cat "$WORK/morna.log")"
[ -n "$warned" ] || fail "the two windows never stood in the warning colour together: $seen"
[ "$state" = "c0ffff/red c0ffff/red" ] || fail "the windows ended as $state, expected both light cyan with red (the timer was held)"
[ "$boxed_when_red" = 1 ] || fail "the box of the missing file did not stand when the windows turned red (boxes: $boxed_when_red)"
[ "$most" -le 1 ] || fail "boxes stacked up: $most at once"
# The chime stood in for the file (at the warning minute, and again at 09:00).
mapfile -t bursts < <(sound_bursts "$WORK/heard.wav")
echo "chimes heard at ${bursts[*]} (quarter seconds of the recording)"
[ "${#bursts[@]}" -ge 1 ] || fail "no chime was heard in place of the missing file"
echo "PASS"
