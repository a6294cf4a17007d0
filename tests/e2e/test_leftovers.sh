#!/usr/bin/env bash
# Temporary files that killed saves left beside the label file and the
# settings file: those of a process that is gone are removed by a start and
# an End; those of a running process, recent ones and other files stay, and
# the labels come back unchanged.
source "$(dirname "$0")/lib.sh"

start_display

{
  printf 'Time=1900/12/01 00:00\r\nMemo=buy stamps\r\n'
  printf 'Time=2090/01/02 09:00\r\nMemo=far ahead\r\n'
} >"$DAT"
cp "$DAT" "$WORK/labels.dat"
printf '[DISP]\r\nPastData=1\r\n' >"$INI"

# A process id that no process has any more.
sh -c 'exit 0' &
dead=$!
wait "$dead"
alive=$$

gone=(
  "~syncthing~Dpstitdt.dat.$dead-0-0000000a.tmp"
  "Dpstitdt.dat.tmp~$dead-1-0000000b"
  "~syncthing~Morna.ini.$dead-2-0000000c.tmp"
  "Morna.ini.tmp~$dead-3-0000000d"
)
stay=(
  "~syncthing~Dpstitdt.dat.$alive-4-0000000e.tmp"
  "Morna.ini.tmp~$alive-5-0000000f"
  "Dpstitdt.dat.tmp~notes"
  "~syncthing~Other.dat.$dead-6-00000010.tmp"
)
for name in "${gone[@]}" "${stay[@]}"; do
  head -c 100000 /dev/urandom >"$APP_DIR/$name"
  touch -d '1 hour ago' "$APP_DIR/$name"
done
# Written a moment ago: it may be a save another computer is making in a
# shared folder.
recent="~syncthing~Dpstitdt.dat.$dead-7-00000011.tmp"
echo partial >"$APP_DIR/$recent"
stay+=("$recent")

check_folder() {
  local name
  for name in "${gone[@]}"; do
    [ ! -e "$APP_DIR/$name" ] || fail "$1: $name is still there"
  done
  for name in "${stay[@]}"; do
    [ -e "$APP_DIR/$name" ] || fail "$1: $name was removed"
  done
}

start_morna
read -r wid x y w h _ < <(wait_window Moranote)
sleep 1
check_folder "after the start"
[ "$(label_windows | wc -l)" -eq 2 ] || fail "label windows: $(label_windows)"

# The leftovers come back before End saves both files.
for name in "${gone[@]}"; do
  echo partial >"$APP_DIR/$name"
  touch -d '1 hour ago' "$APP_DIR/$name"
done
click_at $((x + 292)) $((y + 114))
wait_exit "$MORNA_PID"
check_folder "after End"
cmp -s "$DAT" "$WORK/labels.dat" || fail "the label file changed"
[ ! -e "$DAT.past" ] || fail "a kept file of past labels without a past label"
grep -a -q '^PastData=1' "$INI" || fail "End wrote no settings file"
# Nothing else appeared beside the files.
extra=$(cd "$APP_DIR" && ls -A | grep -v -x -F -e Morna -e libmorna_sound.so -e libmorna_icalendar.so -e Morna.ini -e Dpstitdt.dat \
  $(printf -- '-e %s ' "${stay[@]}") || true)
[ -z "$extra" ] || fail "left beside the files: $extra"
echo "PASS"
