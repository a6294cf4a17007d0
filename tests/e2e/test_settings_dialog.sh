#!/usr/bin/env bash
# The settings dialog with real clicks: opened from the title, the "Data"
# tab's left-edge picture and OK move the label windows to the left edge and
# write Area=4; another opening closed with Cancel writes nothing.
source "$(dirname "$0")/lib.sh"
start_display

printf 'Time=2090/05/06 10:00\r\nMemo=Dentist\r\n' >"$DAT"
start_morna
read -r _ x y _ _ _ < <(wait_window Moranote)
sleep 0.5
mapfile -t labels < <(label_windows)
[ "${#labels[@]}" -eq 1 ] || fail "expected one label window, found: ${labels[*]}"
read -r _ lx _ _ _ _ <<<"${labels[0]}"
[ "$lx" -eq 892 ] || fail "the label window starts at $lx, not at the right edge"

# The dialog: 427 x 293, centred on the 1024 x 768 screen.
dialog() { $XWIN list | awk '$4 == 427 && $5 == 293'; }
open_dialog() {
  click_at $((x + 200)) $((y + 9))  # the title, PstVerShow (client 128,0, 173 x 18)
  for _ in $(seq 50); do [ -n "$(dialog)" ] && break; sleep 0.1; done
  read -r _ dx dy _ _ _ < <(dialog) || fail "the settings dialog did not open"
  [ "$dx" -eq 298 ] && [ "$dy" -eq 237 ] || fail "the dialog stands at $dx,$dy"
  sleep 0.5
}
close_dialog_with() {
  click_at $((dx + $1)) $((dy + 279))  # O K at 250,270 or Cancel at 340,270 (80 x 18)
  for _ in $(seq 50); do [ -z "$(dialog)" ] && break; sleep 0.1; done
  [ -z "$(dialog)" ] || fail "the dialog is still open"
}
form_area() { tr -d '\r' <"$INI" | awk '/^\[/ {s = $0} s == "[FORM]" && /^Area=/'; }

open_dialog
click_at $((dx + 97)) $((dy + 37))    # the "Data" tab
sleep 0.3
click_at $((dx + 199)) $((dy + 130))  # Image4, the left-edge picture (page 6,49 + 3,56 + 180,15)
close_dialog_with 290
for _ in $(seq 50); do [ -s "$INI" ] && break; sleep 0.1; done
[ "$(form_area)" = "Area=4" ] || fail "settings file: $(form_area)"
sleep 0.5
mapfile -t labels < <(label_windows)
[ "${#labels[@]}" -eq 1 ] || fail "expected one label window after OK, found: ${labels[*]}"
read -r _ lx ly _ _ _ <<<"${labels[0]}"
[ "$lx" -eq 0 ] && [ "$ly" -eq 0 ] || fail "the label window stands at $lx,$ly, not at the left edge"

# Another opening, closed with Cancel, writes neither file.
before=$(md5sum "$INI" "$DAT")
sleep 1.1  # a rewrite would show in the modification time too
open_dialog
click_at $((dx + 97)) $((dy + 37))
sleep 0.3
click_at $((dx + 49)) $((dy + 130))   # Image1, the top edge
close_dialog_with 380
sleep 0.5
[ "$(md5sum "$INI" "$DAT")" = "$before" ] || fail "Cancel changed a file"
[ "$(form_area)" = "Area=4" ] || fail "settings file after Cancel: $(form_area)"
read -r _ lx _ _ _ _ < <(label_windows)
[ "$lx" -eq 0 ] || fail "the label window moved after Cancel"

click_at $((x + 292)) $((y + 114))  # End
wait_exit "$MORNA_PID"
echo "PASS"
