#!/usr/bin/env bash
# A desktop without a notification area, and a panel that starts after the
# program: start-up is not held up (a label can be posted at once), the
# icon's menu opens on a right click in the window's empty area, and the icon
# appears in a notification area started three seconds later.
source "$(dirname "$0")/lib.sh"
start_display --no-tray

start_morna
main_line() { $XWIN list | awk '$4 == 322 && $6 == "Moranote"'; }
for _ in $(seq 100); do [ -n "$(main_line)" ] && break; sleep 0.1; done
read -r wid x y w h _ <<<"$(main_line)"
[ -n "${wid:-}" ] || { cat "$WORK/morna.log" >&2; fail "no registration window"; }

# A post right away: Date & Time, message, Post.
type_label "$x" "$y" "2090/05/06 10:00" "Dentist"
press_post "$x" "$y"
for _ in $(seq 50); do [ -s "$DAT" ] && break; sleep 0.1; done
[ "$(cat "$DAT")" = "$(printf 'Time=2090/05/06 10:00\r\nMemo=Dentist\r\n')" ] ||
  fail "the post did not reach the registration window: $(od -c "$DAT" | head)"

# The user was told once, in a box of its own away from the window.
notices=$($XWIN list | awk '$6 == "Moranote" && $4 != 322')
[ "$(grep -c . <<<"$notices")" -eq 1 ] || fail "expected one notice, found: $notices"
read -r nid nx ny nw nh _ <<<"$notices"
[ "$nx" -ge $((x + w)) ] || [ "$ny" -ge $((y + h)) ] || fail "the notice covers the window: $notices"
$XWIN close "$nid"

# The icon's menu on the window's empty area (left of the entry fields,
# below the month grid is taken: the strip right of the calendar's title).
xdotool mousemove $((x + 310)) $((y + 5)) sleep 0.2 click 3
menu_open() { $XWIN list | awk '$6 == "Moranote" && $4 != 322 && $4 < 300' | grep -q .; }
for _ in $(seq 30); do menu_open && break; sleep 0.1; done
menu_open || fail "a right click in the window's empty area opened no menu"
# Its first item closes the registration window.
xdotool key Down Return
for _ in $(seq 30); do [ -z "$(main_line)" ] && break; sleep 0.1; done
[ -z "$(main_line)" ] || fail "the menu's first item did not close the window"

# A notification area that comes three seconds after the program gets the icon.
[ -z "$(icon_centre)" ] || fail "an icon without a notification area"
start_tray
for _ in $(seq 50); do [ -n "$(icon_centre)" ] && break; sleep 0.1; done
read -r ix iy < <(icon_centre) || true
[ -n "${ix:-}" ] || { xwininfo -root -tree >&2; fail "the icon did not appear in the late notification area"; }
# It works there: a right click brings the window back.
xdotool mousemove "$ix" "$iy" sleep 0.2 click 3
for _ in $(seq 30); do [ -n "$(main_line)" ] && break; sleep 0.1; done
[ -n "$(main_line)" ] || fail "a right click on the late icon did not show the window"
kill "$MORNA_PID"; wait_exit "$MORNA_PID"
echo "PASS"
