#!/usr/bin/env bash
# A post brings the label windows to the front: one that another program's
# window covers is raised above it, one in plain view keeps its place.
source "$(dirname "$0")/lib.sh"
start_display

printf 'Time=2090/01/02 09:00\r\nMemo=covered\r\nTime=2090/03/04 18:30\r\nMemo=in view\r\n' >"$DAT"
start_morna
read -r wid x y w h _ < <(wait_window Moranote)
wait_label_places 2
mapfile -t labels < <(label_windows | sort -n -k3)
[ "${#labels[@]}" -eq 2 ] || fail "expected 2 label windows, found: ${labels[*]}"
read -r covered lx ly _ <<<"${labels[0]}"
read -r inview _ <<<"${labels[1]}"

# Another program's red window over the first label window only.
/usr/bin/python3 - "$lx" "$ly" <<'PY' &
import sys, time
from Xlib import X, display
d = display.Display()
s = d.screen()
red = s.default_colormap.alloc_color(0xFFFF, 0, 0).pixel
w = s.root.create_window(int(sys.argv[1]) + 10, int(sys.argv[2]) + 5, 60, 20, 0, s.root_depth,
                         X.InputOutput, X.CopyFromParent, background_pixel=red,
                         override_redirect=True)
w.set_wm_name("Cover")
w.map()
d.sync()
time.sleep(120)
PY
PIDS+=("$!")
for _ in $(seq 50); do [ -n "$($XWIN list | awk '$6 == "Cover"')" ] && break; sleep 0.1; done
sleep 0.3
[ "$($XWIN pixel $((lx + 40)) $((ly + 15)))" = ff0000 ] || fail "the cover does not cover the label window"

# Stacking order, bottom first: the place of a window among the top-levels.
place() { $XWIN list | awk -v id="$1" '$1 == id {print NR; exit}'; }
cover=$($XWIN list | awk '$6 == "Cover" {print $1}')
[ "$(place "$inview")" -lt "$(place "$cover")" ] || fail "stacking before the post"

type_label "$x" "$y" "2095/01/01 10:00" "later"
press_post "$x" "$y"
for _ in $(seq 50); do [ "$(label_windows | wc -l)" -eq 3 ] && break; sleep 0.1; done
sleep 0.5
[ "$(place "$covered")" -gt "$(place "$cover")" ] || fail "the covered label window was not raised"
[ "$(place "$inview")" -lt "$(place "$cover")" ] || fail "a label window in plain view was raised"
[ "$($XWIN pixel $((lx + 40)) $((ly + 15)))" != ff0000 ] || fail "the label window is still covered"

click_at $((x + 292)) $((y + 114))
wait_exit "$MORNA_PID"
echo "PASS"
