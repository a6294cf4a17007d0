#!/usr/bin/env bash
# Under a window manager (openbox), a registration window the user minimised
# comes back through each way of showing it: the icon menu's "登録画面を表示",
# a right click on the icon, and starting the program again.
source "$(dirname "$0")/lib.sh"
command -v openbox >/dev/null || { echo "SKIP: openbox is not installed"; exit 77; }
start_display --no-tray
HOME="$WORK" openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
PIDS+=($!)
sleep 1
start_tray

start_morna
main_id() {
  local w
  for w in $(xdotool search --name '^Moranote$' 2>/dev/null); do
    xwininfo -id "$w" 2>/dev/null | grep -q 'Width: 322' && { echo "$w"; return 0; }
  done
}
for _ in $(seq 100); do MAIN=$(main_id); [ -n "$MAIN" ] && break; sleep 0.1; done
[ -n "$MAIN" ] || { cat "$WORK/morna.log" >&2; fail "no registration window"; }
state() { xprop -id "$MAIN" WM_STATE 2>/dev/null | awk '/window state/ {print $3}'; }
wait_state() {
  for _ in $(seq 50); do [ "$(state)" = "$1" ] && return 0; sleep 0.1; done
  fail "$2 (state $(state))"
}
wait_state Normal "the registration window is not shown"
for _ in $(seq 50); do [ -n "$(icon_centre)" ] && break; sleep 0.1; done
read -r ix iy < <(icon_centre) || true
[ -n "${ix:-}" ] || { xwininfo -root -tree >&2; fail "no icon in the notification area"; }

minimise() {
  xdotool windowminimize "$MAIN"
  wait_state Iconic "the window manager did not minimise the window"
}

# The icon menu's second entry.
minimise
xdotool mousemove "$ix" "$iy" sleep 0.2 click 1 sleep 0.5 key Down Down Return
wait_state Normal "「登録画面を表示」 left the window minimised"

# A right click on the icon.
minimise
xdotool mousemove "$ix" "$iy" sleep 0.2 click 3
wait_state Normal "a right click on the icon left the window minimised"

# A second start.
minimise
(cd "$APP_DIR" && timeout 20 ./Morna >"$WORK/second.log" 2>&1) || fail "a second start failed"
wait_state Normal "a second start left the window minimised"

kill "$MORNA_PID"; wait_exit "$MORNA_PID"
echo "PASS"
