#!/usr/bin/env bash
# Labels kept in step with a calendar server: a real Radicale on 127.0.0.1,
# python3-caldav as the phone, the password in a gnome-keyring on a private
# session bus. First sync merges both sides; posts, phone events and deletes
# cross both ways; a server that is down gets the post when it is back; a
# wrong password is told and costs nothing; without sync the network module
# is never loaded.
if [ -z "${MORNA_IN_BUS:-}" ]; then
  for tool in dbus-run-session gnome-keyring-daemon radicale; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  /usr/bin/python3 -c 'import caldav, icalendar' 2>/dev/null || { echo "SKIP: python3-caldav is not installed"; exit 77; }
  # A home of its own, so that the keyring is the test's and never the user's.
  KEYHOME=$(mktemp -d /tmp/morna-keyring.XXXXXX)
  mkdir -p -m 0700 "$KEYHOME/run" "$KEYHOME/data" "$KEYHOME/config"
  status=0
  HOME="$KEYHOME" XDG_DATA_HOME="$KEYHOME/data" XDG_CONFIG_HOME="$KEYHOME/config" \
    XDG_RUNTIME_DIR="$KEYHOME/run" MORNA_IN_BUS=1 dbus-run-session -- bash "$0" "$@" || status=$?
  rm -rf "$KEYHOME"
  exit "$status"
fi
source "$(dirname "$0")/lib.sh"
TOOL="${MORNA_CALDAV_TOOL:-$(dirname "$MORNA_BIN")/caldav_tool}"
cp "$(dirname "$MORNA_BIN")"/libmorna_caldav.so "$APP_DIR/"

echo -n keyring-pw | gnome-keyring-daemon --foreground --unlock --components=secrets >"$WORK/keyring.log" 2>&1 &
PIDS+=($!)
sleep 1

# --- the server: htpasswd users in plain text, storage in the test's folder.
PORT=$(/usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
printf 'alice:secret\n' >"$WORK/users"
cat >"$WORK/radicale.conf" <<CONF
[server]
hosts = 127.0.0.1:$PORT
[auth]
type = htpasswd
htpasswd_filename = $WORK/users
htpasswd_encryption = plain
[rights]
type = owner_only
[storage]
filesystem_folder = $WORK/collections
[web]
type = none
[logging]
level = warning
CONF
RADICALE_PID=""
start_radicale() {
  radicale --config "$WORK/radicale.conf" >>"$WORK/radicale.log" 2>&1 &
  RADICALE_PID=$!
  PIDS+=("$RADICALE_PID")
  for _ in $(seq 100); do
    /usr/bin/python3 -c "import socket; socket.create_connection(('127.0.0.1', $PORT), 1)" 2>/dev/null && return 0
    sleep 0.1
  done
  cat "$WORK/radicale.log" >&2
  fail "the server did not start"
}
stop_radicale() { kill "$RADICALE_PID"; wait "$RADICALE_PID" 2>/dev/null || true; }
SERVER="http://127.0.0.1:$PORT/"
COLLECTION="${SERVER}alice/work/"
phone() { /usr/bin/python3 "$E2E_DIR/phone.py" "$SERVER" alice secret "$1" work "${@:2}"; }
# Waits up to $1 seconds for the command after it to succeed.
within() {
  local n=$(($1 * 5)); shift
  for _ in $(seq "$n"); do "$@" && return 0; sleep 0.2; done
  return 1
}
# (the listing is read whole first: grep -q ending early would fail the pipe)
on_phone() { local l; l=$(phone list) && grep -q "^$1"$'\t' <<<"$l"; }
not_on_phone() { local l; l=$(phone list) && ! grep -q "^$1"$'\t' <<<"$l"; }
in_file() { grep -a -q "^Memo=$1"$'\r'"\$" "$DAT"; }
not_in_file() { ! in_file "$1"; }

start_radicale
phone make
phone add phone-first 20900101T090000
printf 'Time=2090/02/02 09:00\r\nMemo=local-first\r\n' >"$DAT"
printf '[CALDAV]\r\nAddress=%s\r\nUser=alice\r\nCollection=%s\r\nSync=1\r\n' "$SERVER" "$COLLECTION" >"$INI"

# The settings page's look-up, and its store of the password.
found=$(echo secret | "$TOOL" find "$SERVER" alice) || fail "no calendar found: $found"
echo "$found" | grep -q "^${COLLECTION}	" || fail "the calendar is not among those found: $found"
echo secret | "$TOOL" store alice "$COLLECTION" || fail "the password could not be stored"

export MORNA_CALDAV_INTERVAL=3
start_display
start_morna

# --- first sync: both sides merged, nothing deleted.
within 30 in_file phone-first || fail "the phone's event did not come in: $(cat "$DAT")"
within 20 on_phone local-first || fail "the label did not go up: $(phone list)"
within 5 eval 'label_windows | grep -q "2090/01/01 09:00"' || fail "no label window for the phone's event"
[ "$(phone list | wc -l)" -eq 2 ] || fail "the first sync made duplicates: $(phone list)"
grep -q libQt6Network "/proc/$MORNA_PID/maps" || fail "sync is on but the network module is not loaded"

# --- a post reaches the server and the phone within seconds.
(cd "$APP_DIR" && ./Morna --add "2090/05/06 10:00" "posted") >/dev/null || fail "--add failed"
within 10 on_phone posted || fail "the post did not reach the phone: $(phone list)"
grep -q "^posted"$'\t'"20900506T1000\$" <<<"$(phone list)" || fail "the post stands at another time: $(phone list)"

# --- a phone event appears as a label window.
phone add from-phone 20900303T080000
within 20 in_file from-phone || fail "the phone's event did not come in"
within 5 eval 'label_windows | grep -q "2090/03/03 08:00"' || fail "no label window for it"

# --- deletes cross each way.
phone delete local-first
within 20 not_in_file local-first || fail "the phone's delete did not come in"
read -r _ lx ly _ < <(label_windows | awk '$6 == "2090/05/06"')
[ -n "${lx:-}" ] || fail "no label window of the post: $(label_windows)"
click_at $((lx + 40)) $((ly + 8))
sleep 0.5
click_at $((424 + 85)) $((324 + 103))
within 5 not_in_file posted || fail "the label was not deleted here"
within 10 not_on_phone posted || fail "the delete did not reach the phone: $(phone list)"

# --- both sides change at once: nothing is lost.
phone add both-phone 20900404T070000 &
phone_pid=$!
(cd "$APP_DIR" && ./Morna --add "2090/04/05 07:00" "both-here") >/dev/null || fail "--add failed"
wait "$phone_pid"
phone rename from-phone renamed-phone
within 20 eval 'in_file both-phone && in_file both-here && in_file renamed-phone' ||
  fail "a change was lost here: $(cat "$DAT")"
within 20 eval 'on_phone both-phone && on_phone both-here && on_phone renamed-phone' ||
  fail "a change was lost on the server: $(phone list)"
not_in_file from-phone || fail "the renamed event stands twice here"

# --- the server stopped: the post waits and arrives when it is back.
stop_radicale
(cd "$APP_DIR" && ./Morna --add "2090/06/07 06:00" "offline-post") >/dev/null || fail "--add failed while offline"
in_file offline-post || fail "the label was not kept while offline"
within 10 eval "\$XWIN list | awk '\$6 == \"Moranote\" && \$4 > 64' | grep -q ." ||
  fail "the outage was not told"
sleep 5
start_radicale
within 40 on_phone offline-post || fail "the post did not arrive after the server came back: $(phone list)"

kill "$MORNA_PID"; wait "$MORNA_PID" 2>/dev/null || true
[ -s "$DAT.caldav" ] || fail "no mapping beside the label file"
before_file=$(cat "$DAT")
before_phone=$(phone list | sort)

# --- a wrong password: told, nothing lost on either side.
echo wrong | "$TOOL" store alice "$COLLECTION" || fail "the password could not be stored"
start_morna
within 15 eval "\$XWIN list | awk '\$6 == \"Moranote\" && \$4 > 64' | grep -q ." ||
  fail "a refused login was not told"
sleep 4
[ "$(cat "$DAT")" = "$before_file" ] || fail "a refused login changed the labels"
[ "$(phone list | sort)" = "$before_phone" ] || fail "a refused login changed the server"
kill "$MORNA_PID"; wait "$MORNA_PID" 2>/dev/null || true

# --- no secret store to be reached: told, and no sync (the right password
# is back in the keyring, so a notice can only come from the missing store).
echo secret | "$TOOL" store alice "$COLLECTION" || fail "the password could not be stored"
DBUS_SESSION_BUS_ADDRESS=unix:path=$WORK/no-bus start_morna
within 15 eval "\$XWIN list | awk '\$6 == \"Moranote\" && \$4 > 64' | grep -q ." ||
  fail "a missing secret store was not told"
sleep 2
[ "$(cat "$DAT")" = "$before_file" ] || fail "the labels changed without a secret store"
kill "$MORNA_PID"; wait "$MORNA_PID" 2>/dev/null || true

# --- without sync neither the network module nor the secret store is loaded.
printf '[CALDAV]\r\nAddress=%s\r\nUser=alice\r\nCollection=%s\r\nSync=0\r\n' "$SERVER" "$COLLECTION" >"$INI"
start_morna
wait_label_windows_up() { [ -n "$(label_windows)" ]; }
within 15 wait_label_windows_up || fail "the program did not start without sync"
! grep -q -E 'libQt6Network|keychain|morna_caldav' "/proc/$MORNA_PID/maps" ||
  fail "a start without sync loaded the network module"
echo "PASS"
