#!/usr/bin/env bash
# The spring daylight-saving night in Berlin, with the clock running ten
# times fast from 01:55:00 (start-up may take a while on a busy machine):
# the local clock goes from 01:59:59 to 03:00:00, so the label at 02:30
# (warning at 02:28) has both its moments skipped. At the first tick after
# the skip the window turns red and the alarm is heard; before it all is
# quiet.
source "$(dirname "$0")/lib.sh"
need_faketime
[ -f /usr/share/zoneinfo/Europe/Berlin ] || { echo "SKIP: no time zone data"; exit 77; }
start_display
start_pulse

sox -n -r 44100 -c 1 -b 16 "$WORK/tone.wav" synth 0.6 sine 880 vol 0.5
printf '[FILE]\r\nWaveFileName=%s\r\n[FORM]\r\nMinute=2\r\n' "$WORK/tone.wav" >"$INI"
printf 'Time=2030/03/31 02:30\r\nMemo=night shift\r\n' >"$DAT"

record_start "$WORK/heard.wav"
t0=$(date +%s.%N)
start_morna_at "@2030-03-31 01:55:00 x10" TZ=Europe/Berlin
elapsed() { awk -v a="$t0" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }'; }

# The label window stands at 892,0. Its time lies within the warning lead
# only after the skip, so it goes from black straight to red.
seen="" red_at=""
for _ in $(seq 150); do
  back=$($XWIN pixel 1000 30)
  [ "$back" = 000000 ] && { sleep 0.2; continue; }  # not up yet
  cap=$(caption_colour_at 892 0)
  [ "$cap" != "${seen##* }" ] && { seen+=" $cap"; echo "$(elapsed)s: $back/$cap"; }
  [ "$cap" = red ] && { red_at=$(elapsed); break; }
  sleep 0.3
done
sleep 3  # let the recorder catch up before it stops
record_stop
grep -q "Moranote" <<<"$($XWIN list)" || fail "the program is gone: $(cat "$WORK/morna.log")"
[ -n "$red_at" ] || fail "the label never turned red (seen:$seen)"
[ "${seen# }" = "black red" ] || fail "the date-time went$seen, expected black, red"

# Heard: the alarm after the skip (warning and due moment at the same tick
# may sound as one), nothing in the quiet start-up minutes before it.
mapfile -t bursts < <(sound_bursts "$WORK/heard.wav")
echo "alarms heard at ${bursts[*]} (quarter seconds of the recording); red at ${red_at}s"
[ "${#bursts[@]}" -ge 1 ] || fail "no alarm was heard after the skipped hour"
awk -v b="${bursts[0]}" -v r="$red_at" 'BEGIN { exit !(b / 4 > r - 8) }' ||
  fail "an alarm sounded $((bursts[0] / 4)) s into the recording, long before the skip"
echo "PASS"
