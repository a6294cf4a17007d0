#!/usr/bin/env bash
# A screen reader's view: the program on a private session bus with the
# accessibility bus of at-spi2-core, read through AT-SPI (pyatspi) as a
# screen reader reads it. Its registration window's buttons and a label
# window are found by name, the label window's action and the popup's
# Cancel button are pressed through AT-SPI, and the label window's
# description changes (with its event) when its warning time comes. The
# clock starts a little before the warning.
source "$(dirname "$0")/lib.sh"
need_faketime
for tool in dbus-daemon /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }
start_display

start_session_bus services
export XDG_RUNTIME_DIR="$WORK/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# The accessibility bus, with its registry.
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$WORK/atspi.log" 2>&1 &
PIDS+=($!)
for _ in $(seq 50); do
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null 2>&1 && break
  sleep 0.1
done

# The label's warning comes two minutes before 09:00; the clock starts at
# 08:57:15, so the program's timer sees it some 45 seconds after start.
printf '[FORM]\r\nMinute=2\r\nBeep=0\r\n' >"$INI"
printf 'Time=2030/06/15 09:00\r\nMemo=standup\r\nMemo=room 4\r\n' >"$DAT"
start_morna_at "@2030-06-15 08:57:15" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
wait_window Moranote >/dev/null

/usr/bin/python3 "$E2E_DIR/atspi_walk.py" "$WORK/walk.log" "2030/06/15 09:00 standup room 4" 60 ||
  true
cat "$WORK/walk.log"
kill -0 "$MORNA_PID" 2>/dev/null || fail "the program is gone: $(cat "$WORK/morna.log")"
grep -q '^MISSING' "$WORK/walk.log" && fail "$(grep '^MISSING' "$WORK/walk.log")"
grep -qx 'BUTTON Post: ラベルを貼ります' "$WORK/walk.log" || fail "the Post button"
grep -qx 'LABEL 2030/06/15 09:00 standup room 4 | 今日の予定。Enterキーで修正・削除' "$WORK/walk.log" ||
  fail "the label window's name and description"
grep -qx 'POPUP CLOSED' "$WORK/walk.log" || fail "the popup through AT-SPI actions"
grep -qx 'DESCRIPTION 今日の予定。Enterキーで修正・削除 -> まもなく時刻です。Enterキーで修正・削除' \
  "$WORK/walk.log" || fail "the description at the warning time"
grep -q '^EVENTS [1-9]' "$WORK/walk.log" || fail "no description change event"
echo "PASS"
