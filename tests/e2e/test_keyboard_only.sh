#!/usr/bin/env bash
# The keyboard alone: a label is typed and posted, its window reached with
# F6, its popup opened with Enter and the label deleted with Tab and Enter;
# Alt+M opens the icon's menu. Only `xdotool key` and `xdotool type` act.
source "$(dirname "$0")/lib.sh"
start_display

start_morna
read -r wid x y w h _ < <(wait_window Moranote)
sleep 0.5
# Without a window manager nobody gives the new window the keyboard focus:
# do what one would.
xdotool windowfocus "$wid"
keys() { xdotool key --delay 80 "$@"; sleep 0.3; }

# The focus starts on Post; back through the kinds (one stop), the message
# and the time scroll bar to the date-time box.
keys shift+Tab shift+Tab shift+Tab shift+Tab
keys ctrl+a
xdotool type --delay 20 "2090/05/06 10:00"
keys Tab Tab
xdotool type --delay 20 "Dentist"
keys Tab Tab space
for _ in $(seq 50); do [ -s "$DAT" ] && break; sleep 0.1; done
expected=$(printf 'Time=2090/05/06 10:00\r\nMemo=Dentist\r\n')
[ "$(cat "$DAT")" = "$expected" ] || fail "data file after Post: $(od -c "$DAT" | head)"
sleep 0.5
[ "$(label_windows | wc -l)" -eq 1 ] || fail "expected one label window: $(label_windows)"

# F6 to the label window, Enter: the popup (175 x 120, centred) opens with
# the focus on Modify; Tab to Delete, Enter.
keys F6
keys Return
for _ in $(seq 30); do $XWIN list | awk '$4 == 175 && $5 == 120' | grep -q . && break; sleep 0.1; done
$XWIN list | awk '$4 == 175 && $5 == 120' | grep -q . || fail "no popup after F6, Enter"
keys Tab Return
for _ in $(seq 50); do [ ! -s "$DAT" ] && break; sleep 0.1; done
[ ! -s "$DAT" ] || fail "the label is still in the data file: $(cat "$DAT")"
sleep 0.5
[ -z "$(label_windows)" ] || fail "label windows left: $(label_windows)"

# The icon's menu from the registration window, and its last item ends
# the program.
keys alt+m
keys Up Return
wait_exit "$MORNA_PID"
echo "PASS"
