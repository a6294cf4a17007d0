#!/usr/bin/env bash
# Hand-edited settings the program must not trip over: an empty FileName=
# saves the labels in the default data file; a FileName too long to be read
# whole is not used (the user is told, the labels go to the default data
# file) and End leaves the user's line as it was written.
source "$(dirname "$0")/lib.sh"
start_display

# Posts one label, ends the program and checks that the default data file
# holds it.
post_and_end() {
  start_morna
  read -r wid x y w h _ < <(wait_window Moranote)
  sleep 0.5
  type_label "$x" "$y" "2090/05/06 10:00" "$1"
  press_post "$x" "$y"
  for _ in $(seq 50); do grep -q "$1" "$DAT" 2>/dev/null && break; sleep 0.1; done
  click_at $((x + 292)) $((y + 114))
  wait_exit "$MORNA_PID"
  [ "$(cat "$DAT")" = "$(printf 'Time=2090/05/06 10:00\r\nMemo=%s\r\n' "$1")" ] ||
    fail "the default data file after End: $(od -c "$DAT" | head)"
}

# --- An empty file name.
printf '[FILE]\r\nFileName=\r\n' >"$INI"
post_and_end "empty name"
grep -a -q $'^FileName=Dpstitdt.dat\r$' "$INI" || fail "FileName after End: $(grep -a FileName "$INI")"

# --- A file name of 5,000 characters.
rm -f "$DAT"
long=$(printf 'n%.0s' $(seq 5000))
printf '[FILE]\r\nFileName=%s\r\n' "$long" >"$INI"
cp "$INI" "$WORK/long.ini"
start_morna
read -r wid x y w h _ < <(wait_window Moranote)
for _ in $(seq 50); do
  [ "$($XWIN list | awk '$6 == "Moranote" && $4 > 64' | wc -l)" -ge 2 ] && break
  sleep 0.1
done
[ "$($XWIN list | awk '$6 == "Moranote" && $4 > 64' | wc -l)" -ge 2 ] ||
  fail "no notice about the long file name: $($XWIN list)"
click_at $((x + 292)) $((y + 114))
wait_exit "$MORNA_PID"
grep -a -q "^FileName=$long"$'\r$' "$INI" || fail "the long FileName line was not kept whole"
post_and_end "long name"
grep -a -q "^FileName=$long"$'\r$' "$INI" || fail "the long FileName line changed after a post"
echo "PASS"
