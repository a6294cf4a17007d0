#!/usr/bin/env bash
# The whole program from start to end, as a user sees it: a first start with
# no files, End writing both files, a second start showing the labels of the
# data file where they belong, a second program (or a copy using the same
# data file) bringing the first forward, and the close box leaving the files
# alone.
source "$(dirname "$0")/lib.sh"

# Without a display the program says so instead of crashing.
if out=$(cd "$APP_DIR" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ./Morna 2>&1); then
  fail "started without a display"
fi
grep -q "needs a display" <<<"$out" || fail "no clear message without a display: $out"

start_display

# --- First start: no settings file, no data file.
start_morna
read -r wid x y w h _ < <(wait_window Moranote)
[ "$x" -eq 0 ] && [ "$y" -eq 0 ] || fail "registration window at $x,$y, expected the top-left corner"
sleep 1
[ -z "$(label_windows)" ] || fail "label windows on a first start: $(label_windows)"
[ ! -e "$INI" ] || fail "the settings file was written before End"
# Calendar-server sync is off: nothing of the network is loaded.
! grep -q libQt6Network "/proc/$MORNA_PID/maps" || fail "a start without sync loaded the network module"

# End: the button at client 267,106 (50 x 16).
click_at $((x + 292)) $((y + 114))
wait_exit "$MORNA_PID"
[ -f "$INI" ] || fail "End wrote no settings file"
[ -f "$DAT" ] && [ ! -s "$DAT" ] || fail "End wrote no empty data file"

sections=$(grep -a '^\[' "$INI" | tr -d '\r' | tr '\n' ' ')
[ "$sections" = "[MAIN] [FILE] [FORM] [DISP] [ALARM] [HOLIDAY] [NONHOLIDAY] [ICAL] [CALDAV] " ] ||
  fail "sections: $sections"
keys=$(tr -d '\r' <"$INI" | grep -a -v '^\[' | grep -a -v '^$' | cut -d= -f1 | tr '\n' ' ')
expected="Top Left Language FileName WaveFileName DataCnt ScheCnt \
Ecolor Dcolor Tcolor Acolor MFcolor MDcolor MTcolor Minute MAcolor Area DataSize DataWCheck DataWSize Beep DisplayMode DisplayModeDay IMEMode \
PastData Sunday Monday Tuesday Wednesday Thursday Friday Saturday Holiday CalHeightC CalHeight CalWidthC CalWidth Caln Area Top Left Right Bottom DispFontName DispFontSize TitleFontName CaleFontName CaleFontSize NationalHolidays ReadableText \
DailyAlarm DATime WeeklyAlarm WeeklyAlarmW WeeklyAlarmT MonthlyAlarm1 MonthlyAlarmDay MonthlyAlarmT1 MonthlyAlarm2 MonthlyAlarmWeek MonthlyAlarmW MonthlyAlarmT2 CountDown CountDownN Notify "
for i in $(seq -w 1 40); do expected+="Day$i "; done
for i in $(seq -w 1 40); do expected+="Day$i "; done
expected+="AllDayTime Address User Collection Sync "
[ "$keys" = "$expected" ] || fail "keys in the settings file: $keys"
grep -a -q $'^Day07=\r$' "$INI" || fail "an empty holiday entry is not written as Day07="

# --- Second start with labels: a ToDo label and two far-future labels.
{
  printf 'Time=1900/12/01 00:00\r\nMemo=buy stamps\r\n'
  printf 'Time=2090/01/02 09:00\r\nMemo=first line\r\nMemo=\r\nMemo=third line\r\n'
  printf 'Time=2090/03/04 18:30\r\n'
  printf 'Memo=%s\r\n' "$(printf '会議の準備' | iconv -f UTF-8 -t CP932)"
} >"$DAT"
cp "$DAT" "$WORK/labels.dat"
start_morna
read -r wid x y w h _ < <(wait_window Moranote)
sleep 1
mapfile -t labels < <(label_windows | sort -n -k3)
[ "${#labels[@]}" -eq 3 ] || fail "expected 3 label windows, found: ${labels[*]}"
# Along the right edge of the 1024 x 768 work area, small windows (130 x 36),
# one below the other 37 pixels apart, in date order (ToDo first).
for p in 0 1 2; do
  read -r _ lx ly lw lh _ <<<"${labels[$p]}"
  [ "$lx" -eq 892 ] && [ "$ly" -eq $((p * 37)) ] && [ "$lw" -eq 130 ] && [ "$lh" -eq 36 ] ||
    fail "label window $p at $lx,$ly ${lw}x$lh"
done
# Light yellow ($00E0FFFF) inside a label window.
pix=$($XWIN pixel 1000 20)
[ "$pix" = "ffffe0" ] || fail "label window colour $pix"

click_at $((x + 292)) $((y + 114))
wait_exit "$MORNA_PID"
cmp -s "$DAT" "$WORK/labels.dat" || fail "End did not write the labels back unchanged"

# --- Third start: the close box ends without writing either file.
cp "$INI" "$WORK/before.ini"
start_morna
read -r wid x y w h _ < <(wait_window Moranote)
sleep 1
# A second start of the same program does not run beside the first one.
(cd "$APP_DIR" && timeout 20 ./Morna >"$WORK/second.log" 2>&1) || fail "a second start failed: $(cat "$WORK/second.log")"
[ "$($XWIN list | awk '$6 == "Moranote" && $4 == 322' | wc -l)" -eq 1 ] || fail "two registration windows"
[ "$(label_windows | wc -l)" -eq 3 ] || fail "a second start changed the label windows"

# So does a copy elsewhere whose settings name the same data file, here
# through a link to its folder: it would overwrite the labels later.
mkdir -p "$WORK/other"
cp "$APP_DIR/Morna" "$WORK/other/Morna"
ln -s "$APP_DIR" "$WORK/alias"
printf '[FILE]\r\nFileName=%s\r\n' "$WORK/alias/Dpstitdt.dat" >"$WORK/other/Morna.ini"
(cd "$WORK/other" && timeout 20 ./Morna >"$WORK/third.log" 2>&1) ||
  fail "a copy naming the same data file failed: $(cat "$WORK/third.log")"
[ "$($XWIN list | awk '$6 == "Moranote" && $4 == 322' | wc -l)" -eq 1 ] ||
  fail "a copy naming the same data file runs beside the first"
$XWIN close "$wid"
wait_exit "$MORNA_PID"
cmp -s "$INI" "$WORK/before.ini" || fail "the close box changed the settings file"
cmp -s "$DAT" "$WORK/labels.dat" || fail "the close box changed the data file"
echo "PASS"
