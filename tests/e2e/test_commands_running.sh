#!/usr/bin/env bash
# Commands of scripts while the program runs: the running program carries
# them out, so a label added from a terminal stands on the desktop at once,
# and the file ends as it would without the program.
source "$(dirname "$0")/lib.sh"
start_display
export XDG_RUNTIME_DIR="$WORK/run"
mkdir -m 0700 "$XDG_RUNTIME_DIR"

start_morna
read -r wid x y w h _ < <(wait_window Moranote)
sleep 1

(cd "$APP_DIR" && ./Morna --add "2090/05/06 10:00" "Dentist") >"$WORK/add.out" 2>&1 ||
  fail "--add failed: $(cat "$WORK/add.out")"
found=""
for _ in $(seq 10); do
  label_windows | grep -q "2090/05/06 10:00" && { found=1; break; }
  sleep 0.1
done
[ -n "$found" ] || fail "no label window within a second of --add: $(label_windows)"
grep -a -q "Memo=Dentist" "$DAT" || fail "the label is not in the file"

# A refusal comes back with its status and message from the running program.
if (cd "$APP_DIR" && ./Morna --add "2090/02/30 10:00" "never") >"$WORK/bad.out" 2>&1; then
  fail "an impossible date was taken"
fi
grep -q "Date & Time" "$WORK/bad.out" || fail "no reason for the refusal: $(cat "$WORK/bad.out")"

# --list answers from the running program, and the program is still one.
list=$(cd "$APP_DIR" && ./Morna --list)
[ "$list" = $'2090/05/06 10:00\tDentist' ] || fail "--list: $list"
kill -0 "$MORNA_PID" || fail "the program ended"
echo "PASS"
