#!/usr/bin/env bash
# No sound output at all (no sound server to reach, no card): with the
# default settings two labels come due in the same minute, the clock running
# ten times fast from 08:55:30. Both label windows still turn to the warning
# colour and then red while the failure's box stands (the schedule timer is
# not held by it); the box comes once, not at every alarm, and the program
# keeps running.
source "$(dirname "$0")/lib.sh"
need_faketime
start_display

printf '[FORM]\r\nMinute=2\r\n' >"$INI"
printf 'Time=2030/06/15 09:00\r\nMemo=standup\r\nTime=2030/06/15 09:00\r\nMemo=call\r\n' >"$DAT"

# A sound server that is not there, and none started on demand.
mkdir -p "$WORK/run" && chmod 700 "$WORK/run"
start_morna_at "@2030-06-15 08:55:30 x10" \
  XDG_RUNTIME_DIR="$WORK/run" PULSE_SERVER="unix:$WORK/run/no-server"

# Message boxes: top-level windows titled "Moranote" other than the
# registration window (322 x 123).
boxes() { $XWIN list | awk '$6 == "Moranote" && NF == 6 && !($4 == 322 && $5 == 123)' | wc -l; }

wait_label_places 2
seen="" warned="" state="" most=0
for _ in $(seq 150); do
  state=$(label_states)
  [ "$state" != "${seen##*,}" ] && { seen+=",$state"; echo "$state"; }
  [ "$state" = "c0ffff/pink c0ffff/pink" ] && warned=1
  n=$(boxes); [ "$n" -gt "$most" ] && most=$n
  [ "$state" = "c0ffff/red c0ffff/red" ] && break
  sleep 0.3
done
$XWIN list
kill -0 "$MORNA_PID" 2>/dev/null || fail "the program is gone: $(cat "$WORK/morna.log")"
[ -n "$warned" ] || fail "the two windows never stood in the warning colour together: $seen"
[ "$state" = "c0ffff/red c0ffff/red" ] || fail "the windows ended as $state, expected both light cyan with red"
[ "$(boxes)" -eq 1 ] || fail "expected the one box telling of the missing sound output, found $(boxes)"
[ "$most" -le 1 ] || fail "boxes stacked up: $most at once"
echo "PASS"
