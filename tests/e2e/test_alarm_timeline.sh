#!/usr/bin/env bash
# A label's alarm as it happens, with the clock running ten times fast from
# 08:55:30 (start-up may take a while on a busy machine): two minutes before
# its 09:00 the label window turns to the warning colour with a pink
# date-time and the alarm is heard; at 09:00 the date-time turns red and the
# alarm is heard again; in between all is quiet.
source "$(dirname "$0")/lib.sh"
need_faketime
start_display
start_pulse

sox -n -r 44100 -c 1 -b 16 "$WORK/tone.wav" synth 0.6 sine 880 vol 0.5
printf '[FILE]\r\nWaveFileName=%s\r\n[FORM]\r\nMinute=2\r\n' "$WORK/tone.wav" >"$INI"
printf 'Time=2030/06/15 09:00\r\nMemo=standup\r\n' >"$DAT"

record_start "$WORK/heard.wav"
t0=$(date +%s.%N)
start_morna_at "@2030-06-15 08:55:30 x10"

# The label window stands at 892,0 (130 x 36).
elapsed() { awk -v a="$t0" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }'; }

# The captions seen, in order, and whether the warning colour stood with the
# pink caption. (A capture can catch a window half repainted, so the two
# colours are judged apart.)
seen="" first="" warned=""
for _ in $(seq 120); do
  back=$($XWIN pixel 1000 30)
  [ "$back" = 000000 ] && { sleep 0.2; continue; }  # not up yet
  cap=$(caption_colour_at 892 0)
  [ -n "$first" ] || first="$back/$cap"
  [ "$cap" != "${seen##* }" ] && { seen+=" $cap"; echo "$(elapsed)s: $back/$cap"; }
  [ "$back/$cap" = "c0ffff/pink" ] && warned=1
  [ "$back/$cap" = "c0ffff/red" ] && break
  sleep 0.3
done
sleep 3  # let the recorder catch up before it stops
record_stop
grep -q "Moranote" <<<"$($XWIN list)" || fail "the program is gone: $(cat "$WORK/morna.log")"

[ "$first" = "ffffe0/black" ] || fail "the label window started as $first, not light yellow with a black date-time"
[ "${seen# }" = "black pink red" ] || fail "the date-time went$seen, expected black, pink, red"
[ -n "$warned" ] || fail "the window never stood in the warning colour with a pink date-time"
[ "$back/$cap" = "c0ffff/red" ] || fail "the window ended as $back/$cap, expected light cyan with red"

# What was heard, in quarter seconds: the alarm must sound twice (at the
# warning and at the label's time), two minutes of the fast clock apart
# (about 12 s here; the recorder's own timing makes it read a little less),
# and be silent in between.
mapfile -t bursts < <(sound_bursts "$WORK/heard.wav")
echo "alarms heard at ${bursts[*]} (quarter seconds of the recording)"
[ "${#bursts[@]}" -eq 2 ] || fail "expected two alarms, heard ${#bursts[@]}"
gap=$(( bursts[1] - bursts[0] ))
[ "$gap" -ge 28 ] && [ "$gap" -le 60 ] || fail "the alarms were $((gap / 4)) s apart, expected about 12 s"
echo "PASS"
