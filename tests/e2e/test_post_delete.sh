#!/usr/bin/env bash
# Posting and deleting a label with real clicks and keystrokes: the label
# window appears and the data file holds the label; deleting it through the
# label window's popup removes both.
source "$(dirname "$0")/lib.sh"
start_display

start_morna
read -r wid x y w h _ < <(wait_window Moranote)
sleep 0.5

# A date far ahead.
type_label "$x" "$y" "2090/05/06 10:00" "Dentist"
press_post "$x" "$y"

for _ in $(seq 50); do [ -s "$DAT" ] && break; sleep 0.1; done
expected=$(printf 'Time=2090/05/06 10:00\r\nMemo=Dentist\r\n')
[ "$(cat "$DAT")" = "$expected" ] || fail "data file after Post: $(od -c "$DAT" | head)"
sleep 0.5
mapfile -t labels < <(label_windows)
[ "${#labels[@]}" -eq 1 ] || fail "expected one label window, found: ${labels[*]}"
read -r _ lx ly lw lh _ <<<"${labels[0]}"
[ "$lx" -eq 892 ] && [ "$ly" -eq 0 ] || fail "label window at $lx,$ly"

# A click on its date-time opens the popup, centred on the 1024 x 768 screen
# (175 x 120 at 424,324); Delete is at 65,95 (40 x 17) in it.
click_at $((lx + 40)) $((ly + 8))
sleep 0.5
click_at $((424 + 85)) $((324 + 103))
for _ in $(seq 50); do [ ! -s "$DAT" ] && break; sleep 0.1; done
[ ! -s "$DAT" ] || fail "the label is still in the data file: $(cat "$DAT")"
sleep 0.5
[ -z "$(label_windows)" ] || fail "label windows left: $(label_windows)"

click_at $((x + 292)) $((y + 114))
wait_exit "$MORNA_PID"
echo "PASS"
