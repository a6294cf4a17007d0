#!/usr/bin/env bash
# The commands for scripts change and read the label file with no display
# and no running copy: --add (dated and ToDo, refused as a post refuses),
# --list, --export read back by an independent parser with the right UTC
# times, --import with its one line of counts, and writers at once that
# lose no label.
source "$(dirname "$0")/lib.sh"
/usr/bin/python3 -c 'import icalendar' 2>/dev/null || { echo "SKIP: python3-icalendar is not installed"; exit 77; }

# No display at all: none of this may need one.
morna() { (cd "$APP_DIR" && env -u DISPLAY -u WAYLAND_DISPLAY ./Morna "$@"); }
ICS_CHECK="/usr/bin/python3 $E2E_DIR/ics_check.py"

# --- --add and --list, in a zone with summer time.
export TZ=Europe/Berlin
out=$(morna --add "2031/07/01 12:00" "Zahnarzt ①
Praxis am Markt") || fail "--add failed"
[ "$out" = "$(printf '2031/07/01 12:00\tZahnarzt ①')" ] || fail "--add printed '$out'"
morna --add todo "髙島屋で買い物" >/dev/null || fail "--add todo failed"
morna --add "2031/01/15 08:30" "Winter" >/dev/null || fail "--add failed"
[ ! -e "$INI" ] || fail "a command wrote the settings file"

[ "$(morna --list)" = "$(printf 'ToDo\t髙島屋で買い物\n2031/01/15 08:30\tWinter\n2031/07/01 12:00\tZahnarzt ①')" ] ||
  fail "--list gave: $(morna --list)"
# The file holds the Shift-JIS bytes, as a post typed in the window would.
iconv -f CP932 -t UTF-8 "$DAT" | grep -q "^Memo=Praxis am Markt" || fail "the second line is not in the label file"

# --- Refused as a post is refused: non-zero, the window's message, nothing written.
before=$(md5sum <"$DAT")
set +e
err=$(morna --add "2031/02/30 10:00" "x" 2>&1 >/dev/null); code=$?
set -e
[ "$code" = 1 ] || fail "an impossible date gave exit $code"
[ "$err" = "$(printf 'Date & Timeの設定がまちがっています。\n修正してください。')" ] || fail "message: $err"
set +e
morna --add todo "" 2>/dev/null; code=$?
morna --add 2>/dev/null; usage=$?
set -e
[ "$code" = 1 ] || fail "an empty message gave exit $code"
[ "$usage" = 2 ] || fail "a command line without values gave exit $usage"
[ "$before" = "$(md5sum <"$DAT")" ] || fail "a refused --add changed the label file"

# --- --export, read by another program: Berlin is UTC+2 in July, UTC+1 in
# January. (The parser writes the alarm at the time, PT0S, as P0D.)
morna --export "$WORK/out.ics" >/dev/null || fail "--export failed"
[ "$($ICS_CHECK "$WORK/out.ics" --alarms)" = "$(printf 'ToDo\t髙島屋で買い物\t\n2031-01-15T07:30Z\tWinter\t-PT5M,P0D\n2031-07-01T10:00Z\tZahnarzt ①\t-PT5M,P0D')" ] ||
  fail "the export reads back as: $($ICS_CHECK "$WORK/out.ics" --alarms)"
# A relative name is taken in the caller's folder.
(cd "$WORK" && env -u DISPLAY "$APP_DIR/Morna" --export rel.ics >/dev/null) || fail "--export rel.ics failed"
[ -s "$WORK/rel.ics" ] || fail "rel.ics was not written in the caller's folder"

# --- --import in another zone: a Tokyo time, a UTC time, a prefixed TZID,
# a past event, one already there, a character Shift-JIS lacks.
export TZ=Asia/Tokyo
cat >"$WORK/in.ics" <<'ICS'
BEGIN:VCALENDAR
VERSION:2.0
PRODID:-//other//EN
BEGIN:VEVENT
UID:a
DTSTAMP:20300101T000000Z
DTSTART:20310301T030000Z
SUMMARY:From UTC
END:VEVENT
BEGIN:VEVENT
UID:b
DTSTAMP:20300101T000000Z
DTSTART;TZID=/freeassociation.sourceforge.net/Europe/Berlin:20310301T120000
SUMMARY:From Berlin 🎉
END:VEVENT
BEGIN:VEVENT
UID:c
DTSTAMP:20300101T000000Z
DTSTART:20010101T090000Z
SUMMARY:Long gone
END:VEVENT
BEGIN:VTODO
UID:d
DTSTAMP:20300101T000000Z
SUMMARY:髙島屋で買い物
END:VTODO
END:VCALENDAR
ICS
out=$(morna --import "$WORK/in.ics") || fail "--import failed"
[ "$out" = "added 2, already there 1, past 1, changed characters 1, kept aside 0" ] || fail "--import printed '$out'"
morna --list | grep -q "^2031/03/01 12:00	From UTC$" || fail "the UTC time is not 12:00 in Tokyo: $(morna --list)"
morna --list | grep -q "^2031/03/01 20:00	From Berlin ?$" || fail "the Berlin time is not 20:00 in Tokyo: $(morna --list)"

# A file that is not a calendar is refused with its reason; nothing changes.
before=$(md5sum <"$DAT")
printf 'not a calendar\n' >"$WORK/notes.ics"
set +e
err=$(morna --import "$WORK/notes.ics" 2>&1 >/dev/null); code=$?
set -e
[ "$code" = 1 ] || fail "a file that is no calendar gave exit $code"
echo "$err" | grep -q "was not imported: it holds no iCalendar calendar" || fail "refusal: $err"
[ "$before" = "$(md5sum <"$DAT")" ] || fail "a refused import changed the label file"

# --- Writers at once: every label arrives, the file stays whole.
printf '[FILE]\r\nDataCnt=50\r\n' >"$INI"
pids=()
for i in $(seq 10 29); do
  morna --add "2032/01/01 10:$i" "parallel $i" >/dev/null &
  pids+=($!)
done
for p in "${pids[@]}"; do wait "$p" || fail "a parallel --add failed"; done
[ "$(morna --list | grep -c 'parallel')" = 20 ] || fail "labels were lost: $(morna --list | grep -c parallel) of 20"
echo "PASS"
