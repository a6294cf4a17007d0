#!/usr/bin/env bash
# A Wayland session that offers X as well (a real compositor socket from a
# headless weston, the test's X display as XWayland): the program runs on X,
# so its label windows stand along the right edge as the settings say.
# Without X, or told to, it runs on Wayland.
source "$(dirname "$0")/lib.sh"
command -v weston >/dev/null || { echo "SKIP: weston is not installed"; exit 77; }
[ -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so ] ||
  ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
  { echo "SKIP: qt6-wayland is not installed"; exit 77; }
start_display

export XDG_RUNTIME_DIR="$WORK/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --use-pixman --socket=morna-wayland \
  --no-config --idle-time=0 >"$WORK/weston.log" 2>&1 &
PIDS+=($!)
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/morna-wayland" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/morna-wayland" ] || { cat "$WORK/weston.log" >&2; fail "weston did not start"; }

# The session as GNOME or KDE on Wayland leaves it to a program.
unset QT_QPA_PLATFORM
export XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=morna-wayland

printf 'Time=1900/12/01 00:00\r\nMemo=buy stamps\r\nTime=2090/01/02 09:00\r\nMemo=meeting\r\n' >"$DAT"
start_morna
wait_window Moranote >/dev/null
sleep 1
mapfile -t labels < <(label_windows | sort -n -k3)
[ "${#labels[@]}" -eq 2 ] || fail "expected 2 label windows on X, found: ${labels[*]}"
for p in 0 1; do
  read -r _ lx ly lw lh _ <<<"${labels[$p]}"
  [ "$lx" -eq 892 ] && [ "$ly" -eq $((p * 37)) ] || fail "label window $p at $lx,$ly"
done
grep -qi "wayland" "$WORK/morna.log" && fail "Wayland messages from a program on X: $(cat "$WORK/morna.log")"
kill "$MORNA_PID"; wait_exit "$MORNA_PID"

# Wayland and no X: the program runs natively instead of refusing to start.
DISPLAY="" start_morna
sleep 3
kill -0 "$MORNA_PID" || { cat "$WORK/morna.log" >&2; fail "the program did not run on Wayland without X"; }
[ -z "$($XWIN list | awk '$6 == "Moranote"')" ] || fail "a window on X without DISPLAY"
kill "$MORNA_PID"; wait_exit "$MORNA_PID"

# The user's own choice wins: told to use Wayland it draws nothing on X.
export QT_QPA_PLATFORM=wayland
start_morna
sleep 3
kill -0 "$MORNA_PID" || { cat "$WORK/morna.log" >&2; fail "the program did not run on Wayland"; }
[ -z "$($XWIN list | awk '$6 == "Moranote"')" ] || fail "a window on X although Wayland was asked for"
[ -z "$(label_windows)" ] || fail "label windows on X although Wayland was asked for"
kill "$MORNA_PID"; wait_exit "$MORNA_PID"
echo "PASS"
