#!/usr/bin/env bash
# The notification-area icon as a user meets it: a left click opens the menu,
# "close the registration window" hides it, a right click brings it back, the
# menu opens the help, and "end the program" saves and ends.
source "$(dirname "$0")/lib.sh"
start_display

start_morna
wait_window Moranote >/dev/null
sleep 1

# The icon: a 24 x 24 window inside the notification area.
read -r ix iy < <(xwininfo -root -tree | awk '/24x24/ && /Moranote/ {
  split($NF, p, "+"); print p[2] + 12, p[3] + 12; exit }')
[ -n "${ix:-}" ] || { xwininfo -root -tree >&2; fail "no icon in the notification area"; }

main_shown() { $XWIN list | awk '$4 == 322 && $6 == "Moranote"' | grep -q .; }
menu_open() { $XWIN list | awk '$6 == "Moranote" && $4 != 322' | grep -q .; }

open_menu() {
  xdotool mousemove "$ix" "$iy" sleep 0.2 click 1
  for _ in $(seq 30); do menu_open && return 0; sleep 0.1; done
  fail "a left click on the icon opened no menu"
}

# Hide through the menu's first item.
open_menu
xdotool key Down Return
for _ in $(seq 30); do main_shown || break; sleep 0.1; done
main_shown && fail "the registration window is still shown after closing it from the menu"

# A right click shows it again.
xdotool mousemove "$ix" "$iy" sleep 0.2 click 3
for _ in $(seq 30); do main_shown && break; sleep 0.1; done
main_shown || fail "a right click on the icon did not show the registration window"

# Starting the program again while it runs brings the hidden window back
# instead of running a second copy.
open_menu
xdotool key Down Return
for _ in $(seq 30); do main_shown || break; sleep 0.1; done
(cd "$APP_DIR" && timeout 20 ./Morna >"$WORK/second.log" 2>&1) || fail "a second start failed"
for _ in $(seq 30); do main_shown && break; sleep 0.1; done
main_shown || fail "a second start did not bring the registration window back"

# Help: the fifth item.
open_menu
xdotool key Down Down Down Down Down Return
wait_window "Moranote ヘルプ" >/dev/null

# End through the last item: both files are written.
open_menu
xdotool key Up Return
wait_exit "$MORNA_PID"
[ -f "$INI" ] && [ -f "$DAT" ] || fail "ending from the menu did not save"
echo "PASS"
