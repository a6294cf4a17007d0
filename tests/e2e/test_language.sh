#!/usr/bin/env bash
# The language follows the system's: an English desktop gets English texts,
# a Japanese one Japanese, any other English. The files never depend on it:
# the same post writes the same label file and settings file in English and
# in Japanese.
source "$(dirname "$0")/lib.sh"
unset LANGUAGE LC_ALL LC_MESSAGES

# A refused command speaks the user's language (no program running: the
# command runs on its own).
refusal() { (cd "$APP_DIR" && env "$@" ./Morna --add "2090/13/45 10:00" "x" 2>&1 >/dev/null || true); }
[[ "$(refusal LANG=en_US.UTF-8)" == "The Date & Time is not valid."* ]] || fail "English: $(refusal LANG=en_US.UTF-8)"
[[ "$(refusal LANG=de_DE.UTF-8)" == "The Date & Time is not valid."* ]] || fail "German: $(refusal LANG=de_DE.UTF-8)"
[[ "$(refusal LANG=ja_JP.UTF-8)" == "Date & Timeの設定がまちがっています。"* ]] || fail "Japanese: $(refusal LANG=ja_JP.UTF-8)"
[[ "$(refusal LANG=ja_JP.UTF-8 LANGUAGE=en)" == "The Date & Time is not valid."* ]] || fail "LANGUAGE=en"
# The settings file's Language= overrides the system.
printf '[MAIN]\r\nLanguage=ja\r\n' >"$INI"
[[ "$(refusal LANG=en_US.UTF-8)" == "Date & Timeの設定がまちがっています。"* ]] || fail "Language=ja"
rm -f "$INI"

start_display

# Posts a ToDo and a dated label in a program started with LANG=$1, ends it,
# and keeps the label file and the settings file as $WORK/<name>.dat/.ini.
post_in() {
  (cd "$APP_DIR" && exec env LANG="$1" ./Morna >"$WORK/morna.log" 2>&1) &
  MORNA_PID=$!
  PIDS+=("$MORNA_PID")
  read -r _ x y _ < <(wait_window Moranote)
  sleep 0.5
  type_label "$x" "$y" "2090/05/06 10:00" "Dentist"
  press_post "$x" "$y"
  for _ in $(seq 50); do [ -s "$DAT" ] && break; sleep 0.1; done
  # ToDo (client 128,108, 60 x 12), then a message of its own.
  click_at $((x + 136)) $((y + 114))
  click_at $((x + 200)) $((y + 65))
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 20 "Call back"
  press_post "$x" "$y"
  for _ in $(seq 50); do grep -q 'ToDo' "$DAT" && break; sleep 0.1; done
  sleep 0.3
  # End (client 267,106, 50 x 16) saves the settings file.
  click_at $((x + 292)) $((y + 114))
  wait_exit "$MORNA_PID"
  cp "$DAT" "$WORK/$2.dat"
  cp "$INI" "$WORK/$2.ini"
  rm -f "$DAT" "$INI"
}

post_in en_US.UTF-8 english
post_in ja_JP.UTF-8 japanese
grep -q 'Call back' "$WORK/english.dat" || fail "no ToDo label: $(od -c "$WORK/english.dat" | head)"
cmp "$WORK/english.dat" "$WORK/japanese.dat" ||
  fail "label files differ: $(od -c "$WORK/english.dat" | head) / $(od -c "$WORK/japanese.dat" | head)"
cmp "$WORK/english.ini" "$WORK/japanese.ini" || fail "settings files differ: $(diff "$WORK/english.ini" "$WORK/japanese.ini")"
echo "PASS"
