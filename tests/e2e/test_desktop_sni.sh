#!/usr/bin/env bash
# A D-Bus notification area (StatusNotifierItem) on a private session bus,
# with a watcher and host of the test's own and no XEmbed area: the icon
# registers there, exports its whole menu, and the menu's entries and the
# item's calls hide and show the registration window and end the program.
source "$(dirname "$0")/lib.sh"
command -v dbus-daemon >/dev/null || { echo "SKIP: dbus-daemon is not installed"; exit 77; }
/usr/bin/python3 -c 'import dbus, gi' 2>/dev/null || { echo "SKIP: python3-dbus or python3-gi is not installed"; exit 77; }
SNI="/usr/bin/python3 $E2E_DIR/sni.py"
start_display --no-tray

dbus-daemon --session --nofork --address="unix:path=$WORK/bus" >"$WORK/dbus.log" 2>&1 &
PIDS+=($!)
export DBUS_SESSION_BUS_ADDRESS="unix:path=$WORK/bus"
for _ in $(seq 50); do [ -S "$WORK/bus" ] && break; sleep 0.1; done
$SNI host >"$WORK/host.log" 2>&1 &
PIDS+=($!)
for _ in $(seq 50); do
  dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
    string:org.kde.StatusNotifierWatcher 2>/dev/null | grep -q true && break
  sleep 0.1
done

start_morna
main_line() { $XWIN list | awk '$4 == 322 && $6 == "Moranote"'; }
main_shown() { [ -n "$(main_line)" ]; }
for _ in $(seq 100); do main_shown && break; sleep 0.1; done
main_shown || { cat "$WORK/morna.log" >&2; fail "no registration window"; }

for _ in $(seq 50); do item=$($SNI items | head -n1); [ -n "$item" ] && break; sleep 0.1; done
[ -n "$item" ] || { cat "$WORK/morna.log" "$WORK/host.log" >&2; fail "the icon did not register with the watcher"; }
# Registered, so nobody is told that there is no notification area.
[ "$($XWIN list | awk '$6 == "Moranote"' | grep -c .)" -eq 1 ] ||
  fail "windows besides the registration window: $($XWIN list)"

menu=$($SNI menu "$item" | tr '\n' '|')
[ "$menu" = "登録画面を閉じる|登録画面を表示|-|カレンダーの表示|設定画面の表示|-|ヘルプの表示|-|iCalendarに書き出す...|iCalendarを読み込む...|-|ログイン時に起動|-|プログラムの終了|" ] ||
  fail "exported menu: $menu"

wait_hidden() {
  for _ in $(seq 30); do main_shown || return 0; sleep 0.1; done
  fail "$1"
}
wait_shown() {
  for _ in $(seq 30); do main_shown && return 0; sleep 0.1; done
  fail "$1"
}
$SNI click "$item" 登録画面を閉じる
wait_hidden "the exported menu's first entry did not hide the window"
$SNI click "$item" 登録画面を表示
wait_shown "the exported menu's second entry did not show the window"
# The host's own calls: ContextMenu shows the window as a right click does,
# Activate opens the icon's menu as a left click does.
$SNI click "$item" 登録画面を閉じる
wait_hidden "the window did not hide again"
$SNI call "$item" ContextMenu
wait_shown "ContextMenu did not show the window"
# (The call returns once the menu has closed.)
$SNI call "$item" Activate &
activate=$!
PIDS+=("$activate")
menu_open() { $XWIN list | awk '$6 == "Moranote" && $4 != 322' | grep -q .; }
for _ in $(seq 30); do menu_open && break; sleep 0.1; done
menu_open || fail "Activate opened no menu"
xdotool key Escape
for _ in $(seq 30); do menu_open || break; sleep 0.1; done
menu_open && fail "the menu did not close"
wait "$activate" || true

$SNI click "$item" プログラムの終了
wait_exit "$MORNA_PID"
[ -f "$INI" ] && [ -f "$DAT" ] || fail "ending from the exported menu did not save"
echo "PASS"
