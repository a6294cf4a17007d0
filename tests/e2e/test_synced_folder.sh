#!/usr/bin/env bash
# Two computers keeping the label file in a folder that Syncthing keeps in
# step: two real Syncthing instances on the loopback address only (no
# discovery, relays, NAT, usage or crash reports, upgrades), each with its
# folder, and a Moranote on each, on displays of their own. A label posted
# on A stands on B's screen; a label deleted on B goes from A's; both
# posting at once ends with both labels on both sides and no conflict copy
# left unmerged.
source "$(dirname "$0")/lib.sh"
command -v syncthing >/dev/null || { echo "SKIP: syncthing is not installed"; exit 77; }
trap 'pkill -f -- "--home=$WORK/st" || true; cleanup' EXIT

start_display
DISPLAY_A=$DISPLAY
start_display
DISPLAY_B=$DISPLAY

# --- Two Syncthing instances sharing one folder.
read -r PORT_A PORT_B GUI_A GUI_B < <(/usr/bin/python3 - <<'EOF'
import socket
socks = [socket.socket() for _ in range(4)]
for s in socks:
    s.bind(("127.0.0.1", 0))
print(*[s.getsockname()[1] for s in socks])
EOF
)
KEY=moranote-e2e-key
for side in A B; do
  mkdir -p "$WORK/sync$side/.stfolder"
  syncthing generate --home="$WORK/st$side" --no-default-folder >"$WORK/st$side.gen" 2>&1 ||
    { cat "$WORK/st$side.gen" >&2; fail "syncthing generate failed"; }
done
ID_A=$(awk '/Device ID:/ {print $NF}' "$WORK/stA.gen")
ID_B=$(awk '/Device ID:/ {print $NF}' "$WORK/stB.gen")
[ -n "$ID_A" ] && [ -n "$ID_B" ] || fail "no device ids"
write_config() {  # side own-listen-port gui-port
  cat >"$WORK/st$1/config.xml" <<EOF
<configuration version="36">
  <folder id="labels" label="labels" path="$WORK/sync$1" type="sendreceive" rescanIntervalS="2" fsWatcherEnabled="true" fsWatcherDelayS="1">
    <device id="$ID_A"></device>
    <device id="$ID_B"></device>
    <maxConflicts>10</maxConflicts>
  </folder>
  <device id="$ID_A" name="A"><address>tcp://127.0.0.1:$PORT_A</address></device>
  <device id="$ID_B" name="B"><address>tcp://127.0.0.1:$PORT_B</address></device>
  <gui enabled="true" tls="false"><address>127.0.0.1:$3</address><apikey>$KEY</apikey></gui>
  <options>
    <listenAddress>tcp://127.0.0.1:$2</listenAddress>
    <globalAnnounceEnabled>false</globalAnnounceEnabled>
    <localAnnounceEnabled>false</localAnnounceEnabled>
    <relaysEnabled>false</relaysEnabled>
    <natEnabled>false</natEnabled>
    <urAccepted>-1</urAccepted>
    <crashReportingEnabled>false</crashReportingEnabled>
    <autoUpgradeIntervalH>0</autoUpgradeIntervalH>
    <startBrowser>false</startBrowser>
    <reconnectionIntervalS>1</reconnectionIntervalS>
  </options>
</configuration>
EOF
}
write_config A "$PORT_A" "$GUI_A"
write_config B "$PORT_B" "$GUI_B"
for side in A B; do
  STNOUPGRADE=1 HOME="$WORK/st$side" syncthing serve --home="$WORK/st$side" --no-browser \
    --no-restart --no-upgrade --logfile="$WORK/st$side.log" >"$WORK/st$side.out" 2>&1 &
  PIDS+=($!)
done
connected() {  # gui-port: whether that instance sees the other
  /usr/bin/python3 - "$1" "$KEY" <<'EOF'
import json, sys, urllib.request
req = urllib.request.Request(f"http://127.0.0.1:{sys.argv[1]}/rest/system/connections",
                             headers={"X-API-Key": sys.argv[2]})
try:
    conns = json.load(urllib.request.urlopen(req, timeout=2))["connections"]
except Exception:
    sys.exit(1)
sys.exit(0 if any(c.get("connected") for c in conns.values()) else 1)
EOF
}
for _ in $(seq 60); do connected "$GUI_A" && connected "$GUI_B" && break; sleep 0.5; done
connected "$GUI_A" && connected "$GUI_B" || { tail -20 "$WORK/stA.log" >&2; fail "the two Syncthing instances did not connect"; }

# --- A Moranote on each side, its label file in its synced folder.
APP_B="$WORK/appB"
mkdir -p "$APP_B"
cp "$APP_DIR/Morna" "$APP_DIR/libmorna_sound.so" "$APP_DIR/libmorna_icalendar.so" "$APP_B/"
printf '[FILE]\r\nFileName=%s\r\n' "$WORK/syncA/Dpstitdt.dat" >"$APP_DIR/Morna.ini"
printf '[FILE]\r\nFileName=%s\r\n' "$WORK/syncB/Dpstitdt.dat" >"$APP_B/Morna.ini"
DISPLAY=$DISPLAY_A start_morna
PID_A=$MORNA_PID
(cd "$APP_B" && DISPLAY=$DISPLAY_B exec ./Morna >"$WORK/morna-b.log" 2>&1) &
PID_B=$!
PIDS+=("$PID_B")
read -r _ XA YA _ < <(DISPLAY=$DISPLAY_A wait_window Moranote)
read -r _ XB YB _ < <(DISPLAY=$DISPLAY_B wait_window Moranote)
sleep 0.5

titles() { DISPLAY=$1 label_windows | awk '{n=$6; for(i=7;i<=NF;i++) n=n" "$i; print n}' | sort | tr '\n' ';'; }
# Waits at most $1 seconds for the command after it to succeed.
within() {
  local limit=$1; shift
  for _ in $(seq $((limit * 4))); do "$@" && return 0; sleep 0.25; done
  return 1
}
has_title() { [ "$(titles "$1")" = "$2" ]; }
unmerged_copies() { find "$WORK/syncA" "$WORK/syncB" -name '*.sync-conflict-*' ! -name '*.merged*'; }

# --- Posted on A: on B's screen within 30 s.
DISPLAY=$DISPLAY_A type_label "$XA" "$YA" "2090/05/06 10:00" "From A"
DISPLAY=$DISPLAY_A press_post "$XA" "$YA"
within 30 has_title "$DISPLAY_B" "2090/05/06 10:00;" ||
  fail "B shows '$(titles "$DISPLAY_B")'; its file: $(cat "$WORK/syncB/Dpstitdt.dat" 2>&1)"

# --- Deleted on B: gone from A's screen within 30 s.
read -r _ lx ly _ < <(DISPLAY=$DISPLAY_B label_windows)
DISPLAY=$DISPLAY_B click_at $((lx + 40)) $((ly + 8))
sleep 0.5
DISPLAY=$DISPLAY_B click_at $((424 + 85)) $((324 + 103))
within 30 has_title "$DISPLAY_A" "" || fail "A still shows '$(titles "$DISPLAY_A")'"

# --- Both post at once: both labels on both sides, no copy left unmerged.
DISPLAY=$DISPLAY_A type_label "$XA" "$YA" "2090/06/01 09:00" "Second from A"
DISPLAY=$DISPLAY_B type_label "$XB" "$YB" "2090/06/02 09:00" "Second from B"
DISPLAY=$DISPLAY_A press_post "$XA" "$YA" & DISPLAY=$DISPLAY_B press_post "$XB" "$YB"
wait $!
both="2090/06/01 09:00;2090/06/02 09:00;"
settled() {
  has_title "$DISPLAY_A" "$both" && has_title "$DISPLAY_B" "$both" && [ -z "$(unmerged_copies)" ] &&
    cmp -s "$WORK/syncA/Dpstitdt.dat" "$WORK/syncB/Dpstitdt.dat"
}
# Syncthing puts off a pull that meets a file changed but not yet scanned
# by a minute, so this wait allows for one such round.
within 90 settled || fail "A '$(titles "$DISPLAY_A")', B '$(titles "$DISPLAY_B")', copies: $(unmerged_copies)"
for f in "$WORK/syncA/Dpstitdt.dat" "$WORK/syncB/Dpstitdt.dat"; do
  grep -q "Second from A" "$f" && grep -q "Second from B" "$f" || fail "$f: $(cat "$f")"
done

# --- End on both: the files keep both labels.
DISPLAY=$DISPLAY_A click_at $((XA + 292)) $((YA + 114))
DISPLAY=$DISPLAY_B click_at $((XB + 292)) $((YB + 114))
wait_exit "$PID_A"
wait_exit "$PID_B"
for f in "$WORK/syncA/Dpstitdt.dat" "$WORK/syncB/Dpstitdt.dat"; do
  [ "$(grep -c '^Time=' "$f")" -eq 2 ] || fail "$f after End: $(cat "$f")"
done
echo "PASS"
