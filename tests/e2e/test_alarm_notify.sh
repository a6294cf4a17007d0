#!/usr/bin/env bash
# Desktop notifications: with [ALARM] Notify=1 a label's warning and due
# moments reach the desktop's notification service (here a stand-in on a
# private session bus) with its date-time and first message line, while the
# label window still turns red. The clock runs ten times fast from 08:55:30.
source "$(dirname "$0")/lib.sh"
need_faketime
command -v dbus-daemon >/dev/null || { echo "SKIP: dbus-daemon is not installed"; exit 77; }
/usr/bin/python3 -c 'import dbus, gi' 2>/dev/null || { echo "SKIP: python3-dbus is not installed"; exit 77; }
start_display

start_session_bus

/usr/bin/python3 "$E2E_DIR/fake_notifications.py" "$WORK/notes.log" 90 >"$WORK/fake.out" 2>&1 &
PIDS+=($!)
for _ in $(seq 50); do grep -q ready "$WORK/fake.out" 2>/dev/null && break; sleep 0.1; done
grep -q ready "$WORK/fake.out" || fail "the notification stand-in did not start: $(cat "$WORK/fake.out")"

printf '[FORM]\r\nMinute=2\r\nBeep=0\r\n[ALARM]\r\nNotify=1\r\n' >"$INI"
printf 'Time=2030/06/15 09:00\r\nMemo=standup\r\nMemo=room 4\r\n' >"$DAT"
start_morna_at "@2030-06-15 08:55:30 x10"

for _ in $(seq 600); do
  [ "$(cat "$WORK/notes.log" 2>/dev/null | wc -l)" -ge 2 ] && break
  sleep 0.1
done
cat "$WORK/notes.log" 2>/dev/null || true
kill -0 "$MORNA_PID" 2>/dev/null || fail "the program is gone: $(cat "$WORK/morna.log")"
expected="Moranote|2030/06/15 09:00 (まもなく)|standup
Moranote|2030/06/15 09:00|standup"
[ "$(cat "$WORK/notes.log" 2>/dev/null)" = "$expected" ] ||
  fail "expected the warning and the due notification, got: $(cat "$WORK/notes.log" 2>/dev/null)"
# The label window at 892,0 shows its date-time in red all the same.
import -window root -crop 105x12+894+2 +repage "$WORK/caption.png"
convert "$WORK/caption.png" -format %c histogram:info:- | grep -qi '#FF0000' ||
  fail "the label window's date-time is not red"
echo "PASS"
