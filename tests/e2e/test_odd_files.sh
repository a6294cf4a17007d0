#!/usr/bin/env bash
# Odd places a user's settings may point at never cost labels: a file that
# is not a label file is left as it is (the labels go beside it), and End
# ends even when the settings file cannot be written, with the labels saved.
source "$(dirname "$0")/lib.sh"
start_display

# --- A FileName naming a text file of the user's.
printf '[FILE]\r\nFileName=notes.txt\r\n' >"$INI"
printf 'my important notes' >"$APP_DIR/notes.txt"
start_morna
read -r wid x y w h _ < <(wait_window Moranote)
# The notice says where the labels go, without holding start-up up.
sleep 1
$XWIN list | awk '$6 == "Moranote"' | grep -v "^$wid " | grep -q . ||
  fail "no notice about the file that is not a label file"
type_label "$x" "$y" "2090/05/06 10:00" "Dentist"
press_post "$x" "$y"
sleep 1
click_at $((x + 292)) $((y + 114))
wait_exit "$MORNA_PID"
[ "$(cat "$APP_DIR/notes.txt")" = "my important notes" ] || fail "notes.txt was changed"
grep -a -q "Memo=Dentist" "$APP_DIR/notes.txt.labels" || fail "the label is not in notes.txt.labels"

# --- End with a settings file that cannot be written (a folder stands in
# its place): End says so, and ends with the labels saved.
rm -f "$INI"
mkdir "$INI"
start_morna
read -r wid x y w h _ < <(wait_window Moranote)
type_label "$x" "$y" "2090/05/07 11:00" "Haircut"
press_post "$x" "$y"
sleep 1
click_at $((x + 292)) $((y + 114))
sleep 1
xdotool key Return  # the box that says the settings file cannot be written
wait_exit "$MORNA_PID"
grep -a -q "Memo=Haircut" "$DAT" || fail "End lost the label when the settings file could not be written"
echo "PASS"
