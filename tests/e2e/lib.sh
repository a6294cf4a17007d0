# Shared set-up for the end-to-end tests: a private X display (Xvfb) with a
# notification area, the program copied into a temporary folder, and helpers
# to wait for windows and files. Source it; $1 of the test is the built Morna.
set -euo pipefail
# The tests read the program's Japanese texts, so they run as on a Japanese
# desktop (test_language.sh tries the other languages).
export LANGUAGE=ja

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
MORNA_BIN=$(readlink -f "$1")
XWIN="/usr/bin/python3 $E2E_DIR/xwin.py"

for tool in Xvfb xdotool wmsystemtray /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import Xlib' 2>/dev/null || { echo "SKIP: python3-xlib is not installed"; exit 77; }

WORK=$(mktemp -d /tmp/morna-e2e.XXXXXX)
PIDS=()
cleanup() {
  for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
  stop_pulse
  wait 2>/dev/null || true
  [ -n "${KEEP_E2E:-}" ] || rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAIL: $* (test lines ${BASH_LINENO[*]})" >&2; exit 1; }

# A display of our own, 1024 x 768, with a notification area in its corner
# (none with --no-tray; start_tray adds it later).
start_display() {
  local n tray=1
  [ "${1:-}" = --no-tray ] && tray=""
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    # -noreset: without a notification area the server has no client of its
    # own, and a reset between two clients would refuse the next one.
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
    PIDS+=($!)
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
    xdotool getdisplaygeometry >/dev/null 2>&1 || continue
    [ -n "$tray" ] && start_tray
    return 0
  done
  fail "no display could be started"
}

start_tray() {
  wmsystemtray --non-wmaker -geometry 64x64+0+704 >"$WORK/tray.log" 2>&1 &
  PIDS+=($!)
  sleep 0.5
  kill -0 "${PIDS[-1]}" 2>/dev/null || { cat "$WORK/tray.log" >&2; fail "the notification area (wmsystemtray) did not start"; }
}

# The centre of the program's 24 x 24 icon in the notification area, as
# "x y"; empty while there is none.
icon_centre() {
  xwininfo -root -tree | awk '/24x24/ && /Moranote/ { split($NF, p, "+"); print p[2] + 12, p[3] + 12; exit }'
}

# The program in a folder of its own: its settings file sits beside it and
# its data file in the current folder.
APP_DIR="$WORK/app"
mkdir -p "$APP_DIR"
cp "$MORNA_BIN" "$APP_DIR/Morna"
# The sound and calendar modules go with the program, as in a copy a user
# unpacks.
cp "$(dirname "$MORNA_BIN")"/libmorna_sound.so "$(dirname "$MORNA_BIN")"/libmorna_icalendar.so "$APP_DIR/"
INI="$APP_DIR/Morna.ini"
DAT="$APP_DIR/Dpstitdt.dat"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
export QT_QPA_PLATFORM=xcb

MORNA_PID=""
# libfaketime's library; a test that needs a fake clock calls need_faketime.
FAKETIME_LIB=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
need_faketime() {
  [ -f "$FAKETIME_LIB" ] || { echo "SKIP: libfaketime is not installed"; exit 77; }
}

# Starts the program on a fake clock from $1 (libfaketime's form, e.g.
# "@2030-06-15 08:55:30 x10" for ten times fast), with the further
# VAR=value settings given after it.
start_morna_at() {
  local clock=$1
  shift
  (cd "$APP_DIR" && exec env "$@" LD_PRELOAD="$FAKETIME_LIB" FAKETIME="$clock" \
    ASAN_OPTIONS="$ASAN_OPTIONS:verify_asan_link_order=0" ./Morna >"$WORK/morna.log" 2>&1) &
  MORNA_PID=$!
  PIDS+=("$MORNA_PID")
}

start_morna() {
  (cd "$APP_DIR" && exec ./Morna >"$WORK/morna.log" 2>&1) &
  MORNA_PID=$!
  PIDS+=("$MORNA_PID")
}

# Waits until a mapped top-level window titled $1 exists; prints its line.
# The notification-area icon's own small window (it may carry the program's
# name too, and may be mapped first) is not taken for it.
wait_window() {
  local line
  for _ in $(seq 100); do
    line=$($XWIN list | awk -v t="$1" '{n=$6; for(i=7;i<=NF;i++) n=n" "$i} n==t && ($4 > 64 || $5 > 64) {print; exit}')
    [ -n "$line" ] && { echo "$line"; return 0; }
    sleep 0.1
  done
  $XWIN list >&2 || true
  cat "$WORK/morna.log" >&2 || true
  fail "no window titled '$1'"
}

# The label windows: titled with their date-time, "ToDo" or "Alarm".
label_windows() { $XWIN list | awk '$6 ~ /^([0-9]+\/|ToDo$|Alarm$)/'; }

wait_exit() {
  local pid=$1
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null || true; return 0; }
    sleep 0.1
  done
  cat "$WORK/morna.log" >&2 || true
  $XWIN list >&2 || true
  fail "the program did not end"
}

# (no --sync: it waits forever when the pointer is already there)
click_at() { xdotool mousemove "$1" "$2" sleep 0.2 click 1; }
# Clicks into the text box at $1,$2 and types $3 over what it holds.
type_at() {
  click_at "$1" "$2"
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 20 "$3"
}

# A sound server of our own: PulseAudio with a null sink as the default
# output; record_start/record_stop capture what is played into a WAV file.
PULSE_STARTED=""
start_pulse() {
  for tool in pulseaudio pactl parec sox; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  export XDG_RUNTIME_DIR="$WORK/run"
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  unset PULSE_SERVER PULSE_SINK
  if ! HOME="$WORK" pulseaudio -D --exit-idle-time=-1 -n --log-target=file:"$WORK/pulse.log" \
       --load="module-null-sink sink_name=nul" --load=module-native-protocol-unix; then
    echo "SKIP: PulseAudio cannot start here"; exit 77
  fi
  PULSE_STARTED=1
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  pactl info >/dev/null 2>&1 || { echo "SKIP: PulseAudio cannot start here"; exit 77; }
  pactl set-default-sink nul
}
stop_pulse() {
  [ -n "$PULSE_STARTED" ] && [ -f "$XDG_RUNTIME_DIR/pulse/pid" ] &&
    kill "$(cat "$XDG_RUNTIME_DIR/pulse/pid")" 2>/dev/null || true
}
RECORD_PID=""
record_start() { parec -d nul.monitor --file-format=wav "$1" & RECORD_PID=$!; PIDS+=("$RECORD_PID"); }
record_stop() { kill "$RECORD_PID" 2>/dev/null; wait "$RECORD_PID" 2>/dev/null || true; }
# RMS amplitude of a WAV file, or of the part from $2 seconds on, $3 long.
rms_of() {
  if [ $# -gt 1 ]; then sox "$1" -n trim "$2" "$3" stat 2>&1; else sox "$1" -n stat 2>&1; fi |
    awk '/^RMS +amplitude/ {print $3}'
}

# The label windows with a date-time title, by their places: waits until
# there are $1 of them and keeps their "x y" in LABEL_PLACES, top to bottom.
LABEL_PLACES=()
wait_label_places() {
  for _ in $(seq 100); do
    mapfile -t LABEL_PLACES < <(label_windows | awk '$6 ~ /^[0-9]+\// {print $2, $3}' | sort -n -k2)
    [ "${#LABEL_PLACES[@]}" -eq "$1" ] && return 0
    sleep 0.1
  done
  label_windows >&2
  fail "expected $1 label windows"
}
# The colour of the date-time text of the label window at x y: pink, red or black.
caption_colour_at() {
  import -window root -crop "105x12+$(($1 + 2))+$(($2 + 2))" +repage "$WORK/caption.png" 2>/dev/null
  local hist
  hist=$(convert "$WORK/caption.png" -format %c histogram:info:- 2>/dev/null)
  if grep -qi '#FF40FF' <<<"$hist"; then echo pink
  elif grep -qi '#FF0000' <<<"$hist"; then echo red
  else echo black; fi
}
# Every window of LABEL_PLACES as "<background>/<caption colour>", blank-separated.
label_states() {
  local out="" p
  for p in "${LABEL_PLACES[@]}"; do
    set -- $p
    out+=" $($XWIN pixel $(($1 + 108)) $(($2 + 30)))/$(caption_colour_at "$1" "$2")"
  done
  echo "${out# }"
}
# The starts of the sounds in a recording, in quarter seconds, one a line: a
# quarter louder than RMS 0.05 after at least a second of quiet.
sound_bursts() {
  local length q r last=-10
  length=$(soxi -D "$1")
  for q in $(seq 0 $(awk -v l="$length" 'BEGIN { print int(l * 4) - 1 }')); do
    r=$(rms_of "$1" "$(awk -v q="$q" 'BEGIN { print q / 4 }')" 0.25)
    if awk -v r="$r" 'BEGIN { exit !(r > 0.05) }'; then
      [ $((q - last)) -gt 4 ] && echo "$q"
      last=$q
    fi
  done
}
# Types a label into the registration window whose top-left is at $1,$2:
# the date-time $3 into Date & Time (client 203,20, 115 x 18), the message
# $4 into the message box (client 128,52, 190 x 35).
type_label() {
  type_at $(($1 + 260)) $(($2 + 29)) "$3"
  click_at $(($1 + 200)) $(($2 + 65))
  xdotool type --delay 20 "$4"
}
# Presses Post (client 205,106, 50 x 16) of the registration window at $1,$2.
press_post() { click_at $(($1 + 230)) $(($2 + 114)); }

# A session bus of our own, reached only through its socket in $WORK, as
# $DBUS_SESSION_BUS_ADDRESS. With "services" it starts the system's D-Bus
# services on demand (the accessibility bus needs that).
start_session_bus() {
  local services=""
  [ "${1:-}" = services ] && services="<standard_session_servicedirs/>"
  cat >"$WORK/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$WORK/bus</listen>
  <auth>EXTERNAL</auth>
  $services
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
  dbus-daemon --config-file="$WORK/bus.conf" --nofork --nopidfile >"$WORK/bus.log" 2>&1 &
  PIDS+=($!)
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$WORK/bus"
  for _ in $(seq 50); do [ -S "$WORK/bus" ] && break; sleep 0.1; done
  [ -S "$WORK/bus" ] || fail "the private session bus did not start: $(cat "$WORK/bus.log")"
}
