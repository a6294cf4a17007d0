#!/usr/bin/env bash
# Another account on the same computer cannot stop the user's program: one
# that listens first where earlier versions listened (the shared temporary
# folder, at the name computed from the settings file's path) is neither
# asked nor believed, and the program, started as a normal user, shows its
# window and answers its own second start. One that took the user's private
# folder in the temporary folder leaves the program running, and it says so.
source "$(dirname "$0")/lib.sh"

[ "$(id -u)" -eq 0 ] || { echo "SKIP: needs root to run the program as another user"; exit 77; }
command -v setpriv >/dev/null || { echo "SKIP: setpriv is not installed"; exit 77; }
USER_ID=65534  # nobody: the normal user here; root plays the other account

start_display
chmod 755 "$WORK"
chown -R "$USER_ID:$USER_ID" "$APP_DIR"
# A shared temporary folder of the test's own, like /tmp.
export TMPDIR="$WORK/tmp"
mkdir -m 1777 "$TMPDIR"
RUN="$WORK/run"
mkdir -m 700 "$RUN" && chown "$USER_ID:$USER_ID" "$RUN"

as_user() {
  (cd "$APP_DIR" && exec setpriv --reuid=$USER_ID --regid=$USER_ID --clear-groups \
    env HOME="$APP_DIR" "$@")
}

# The names earlier versions listened at: the settings file and the data file.
name_of() { printf 'Moranote-%s' "$(printf '%s' "$1" | sha1sum | cut -c1-16)"; }
OLD_SETTINGS="$TMPDIR/$(name_of "$APP_DIR/Morna.ini")"
OLD_DATA="$TMPDIR/$(name_of "data:$APP_DIR/Dpstitdt.dat")"

# The other account listens at both, open to everybody, and counts who comes.
/usr/bin/python3 - "$OLD_SETTINGS" "$OLD_DATA" "$WORK/other.count" <<'PY' &
import os, select, socket, sys, time
servers = []
for path in sys.argv[1:3]:
    s = socket.socket(socket.AF_UNIX)
    s.bind(path)
    os.chmod(path, 0o777)
    s.listen(8)
    servers.append(s)
count = 0
open(sys.argv[3], "w").write("0\n")
end = time.time() + 120
while time.time() < end:
    ready, _, _ = select.select(servers, [], [], 0.5)
    for s in ready:
        s.accept()
        count += 1
        open(sys.argv[3], "w").write("%d\n" % count)
PY
PIDS+=($!)
for _ in $(seq 50); do [ -S "$OLD_DATA" ] && break; sleep 0.1; done
[ -S "$OLD_DATA" ] || fail "the other account's listener did not start"

# --- The user's program starts and shows its window.
as_user XDG_RUNTIME_DIR="$RUN" ./Morna >"$WORK/morna.log" 2>&1 &
MORNA_PID=$!
PIDS+=("$MORNA_PID")
wait_window Moranote >/dev/null
sleep 1
kill -0 "$MORNA_PID" 2>/dev/null || fail "the program ended: $(cat "$WORK/morna.log")"

# Its second start is answered by it and ends.
as_user XDG_RUNTIME_DIR="$RUN" timeout 20 ./Morna >"$WORK/second.log" 2>&1 ||
  fail "a second start failed: $(cat "$WORK/second.log")"
[ "$($XWIN list | awk '$6 == "Moranote" && $4 == 322' | wc -l)" -eq 1 ] || fail "two registration windows"
[ "$(cat "$WORK/other.count")" = 0 ] || fail "the other account's socket was connected to"
[ -S "$OLD_SETTINGS" ] && [ -S "$OLD_DATA" ] || fail "the other account's socket was removed"
[ -z "$(ls -A "$TMPDIR")" ] || [ "$(ls -A "$TMPDIR" | grep -vc '^Moranote-')" -eq 0 ] ||
  fail "the program put something into the shared temporary folder: $(ls -A "$TMPDIR")"
kill "$MORNA_PID"
wait_exit "$MORNA_PID"

# --- Without a runtime folder, and with the user's private folder in the
# temporary folder taken by the other account: the program runs and says so.
mkdir -m 777 "$TMPDIR/moranote-$USER_ID"
as_user XDG_RUNTIME_DIR= ./Morna >"$WORK/morna.log" 2>&1 &
MORNA_PID=$!
PIDS+=("$MORNA_PID")
wait_window Moranote >/dev/null
for _ in $(seq 100); do
  [ "$($XWIN list | awk '$6 == "Moranote" && $4 != 322 && $4 > 64' | wc -l)" -ge 1 ] && break
  sleep 0.1
done
[ "$($XWIN list | awk '$6 == "Moranote" && $4 != 322 && $4 > 64' | wc -l)" -ge 1 ] ||
  fail "no notice that another account holds the place"
[ "$(stat -c %u "$TMPDIR/moranote-$USER_ID")" -eq 0 ] && [ -z "$(ls -A "$TMPDIR/moranote-$USER_ID")" ] ||
  fail "the other account's folder was used"
[ "$(cat "$WORK/other.count")" = 0 ] || fail "the other account's socket was connected to"
echo "PASS"
