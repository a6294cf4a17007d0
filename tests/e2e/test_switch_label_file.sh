#!/usr/bin/env bash
# Another label file named in the settings dialog's Data tab: the program
# switches to its labels, and after OK and after End both files still hold
# their own labels.
source "$(dirname "$0")/lib.sh"
start_display

printf 'Time=2090/05/06 10:00\r\nMemo=First file\r\n' >"$DAT"
SECOND="$APP_DIR/second.dat"
printf 'Time=2090/07/01 09:00\r\nMemo=Second file\r\nTime=2090/07/02 09:00\r\nMemo=Also second\r\n' >"$SECOND"
first_before=$(cat "$DAT")
second_before=$(cat "$SECOND")
start_morna
read -r _ x y _ _ _ < <(wait_window Moranote)
sleep 0.5
[ "$(label_windows | wc -l)" -eq 1 ] || fail "expected one label window: $(label_windows)"

# The dialog (427 x 293, centred): the Data tab, its file name box at page
# 130,5 (the page at 6,49), O K at 250,270.
click_at $((x + 200)) $((y + 9))
for _ in $(seq 50); do dialog=$($XWIN list | awk '$4 == 427 && $5 == 293'); [ -n "$dialog" ] && break; sleep 0.1; done
read -r _ dx dy _ _ _ <<<"$dialog"
[ -n "$dx" ] || fail "the settings dialog did not open"
sleep 0.5
click_at $((dx + 97)) $((dy + 37))
sleep 0.3
type_at $((dx + 186)) $((dy + 64)) "second.dat"
click_at $((dx + 290)) $((dy + 279))

# The program says it switched; the box is closed with Enter.
box=""
for _ in $(seq 50); do
  box=$($XWIN list | awk '{n=$6; for(i=7;i<=NF;i++) n=n" "$i} n=="Ｍｏｒａｎｏｔｅ" {print $1; exit}')
  [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || fail "no message after switching"
xdotool windowfocus --sync "$box" key Return 2>/dev/null || xdotool key Return
for _ in $(seq 50); do [ "$(label_windows | wc -l)" -eq 2 ] && break; sleep 0.1; done
[ "$(label_windows | wc -l)" -eq 2 ] || fail "expected the second file's two label windows: $(label_windows)"
[ "$(cat "$DAT")" = "$first_before" ] || fail "the first file changed after OK: $(cat "$DAT")"
[ "$(cat "$SECOND")" = "$second_before" ] || fail "the second file changed after OK: $(cat "$SECOND")"
tr -d '\r' <"$INI" | grep -q '^FileName=second.dat$' || fail "settings file: $(cat "$INI")"

click_at $((x + 292)) $((y + 114))  # End
wait_exit "$MORNA_PID"
[ "$(cat "$DAT")" = "$first_before" ] || fail "the first file changed after End: $(cat "$DAT")"
[ "$(cat "$SECOND")" = "$second_before" ] || fail "the second file changed after End: $(cat "$SECOND")"
echo "PASS"
