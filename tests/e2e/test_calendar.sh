#!/usr/bin/env bash
# The calendar window as a user meets it: a click on the month title opens it
# centred on the screen, each day's labels stand in that day's box, a left
# click on its title or the keys step the month, Escape closes it.
source "$(dirname "$0")/lib.sh"
need_faketime
start_display

printf 'Time=2030/06/20 09:00\r\nMemo=dentist\r\nMemo=bring card\r\nTime=2030/07/10 14:00\r\nMemo=trip\r\n' >"$DAT"
start_morna_at "@2030-06-15 10:00:00"
read -r _ x y _ _ _ < <(wait_window Moranote)
sleep 0.5

# The month title "2030/06" (client 5,0, 101 x 20).
click_at $((x + 55)) $((y + 10))
read -r cal cx cy cw ch _ < <(wait_window "Calendar of Moranote")
sleep 0.5
# The design client area 698 x 328, centred as a 706 x 355 window would be.
[ "$cw" -eq 698 ] && [ "$ch" -eq 328 ] || fail "calendar window ${cw}x$ch"
[ "$cx" -eq 159 ] && [ "$cy" -eq 206 ] || fail "calendar window at $cx,$cy"

# Columns 100 pixels apart, rows 48 apart; in the first row the memos (32
# high) stand from 54.
COLUMN=100 ROW=48
# Pixels of a colour other than the pale yellow ground in the memo of cell k
# (0..41, Sunday first), its edges left out.
ink() {
  local k=$1
  $XWIN colours $((cx + k % 7 * COLUMN + 2)) $((cy + 54 + k / 7 * ROW + 1)) 94 30 |
    awk '$1 != "ffffe0" { n += $2 } END { print n + 0 }'
}

# June 2030 begins on a Saturday: cell 6 is the 1st, cell 25 the 20th.
[ "$(ink 25)" -gt 40 ] || fail "the 20th June shows no label"
for k in 24 26 18 32; do
  [ "$(ink "$k")" -eq 0 ] || fail "cell $k of June shows text: $(ink "$k") pixels"
done

# A left click on the title panel (full width, 23 high): July 2030, which
# begins on a Monday: the 10th is cell 10, and cell 25 is the 25th.
click_at $((cx + 349)) $((cy + 11))
sleep 0.5
[ "$(ink 10)" -gt 20 ] || fail "after the step, the 10th July shows no label"
[ "$(ink 25)" -eq 0 ] || fail "after the step, June's label is still shown"

# Keys: Page Up steps back to June, Page Down on to July, Home back to
# today's month (June), Escape closes the window.
xdotool key Prior
sleep 0.5
[ "$(ink 25)" -gt 40 ] || fail "Page Up did not show June"
xdotool key Next
sleep 0.5
[ "$(ink 10)" -gt 20 ] || fail "Page Down did not show July"
xdotool key Home
sleep 0.5
[ "$(ink 25)" -gt 40 ] && [ "$(ink 10)" -eq 0 ] || fail "Home did not show June"
xdotool key Escape
for _ in $(seq 50); do $XWIN list | grep -q "Calendar of Moranote" || break; sleep 0.1; done
$XWIN list | grep -q "Calendar of Moranote" && fail "Escape did not close the calendar window"

# The close box hides the window; the program goes on.
click_at $((x + 55)) $((y + 10))
read -r cal _ < <(wait_window "Calendar of Moranote")
sleep 0.5
$XWIN close "$cal"
for _ in $(seq 50); do $XWIN list | grep -q "Calendar of Moranote" || break; sleep 0.1; done
$XWIN list | grep -q "Calendar of Moranote" && fail "the calendar window did not close"
kill -0 "$MORNA_PID" || fail "closing the calendar ended the program"

click_at $((x + 292)) $((y + 114))
wait_exit "$MORNA_PID"
echo "PASS"
