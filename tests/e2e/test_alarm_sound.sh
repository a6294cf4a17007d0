#!/usr/bin/env bash
# The alarm is heard: a PulseAudio server with a null sink stands in for the
# sound card, its monitor is recorded while the alarm player plays a 1 s
# 880 Hz tone (16-bit PCM, then 32-bit float), and the recording must carry
# the tone. $1 (the program) is not needed here; the player is driven by
# tests/tools/alarm_tool.
set -euo pipefail

TOOL="${MORNA_ALARM_TOOL:-}"
if [ -z "$TOOL" ] && [ -n "${1:-}" ]; then
  TOOL="$(dirname "$(readlink -f "$1")")/../tests/alarm_tool"
fi
[ -x "$TOOL" ] || { echo "FAIL: alarm_tool not found (MORNA_ALARM_TOOL or next to the build)" >&2; exit 1; }

for tool in pulseaudio pactl parec sox; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

WORK=$(mktemp -d /tmp/morna-sound.XXXXXX)
export XDG_RUNTIME_DIR="$WORK/run" HOME="$WORK/home"
mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen
unset PULSE_SERVER PULSE_SINK

PAREC_PID=""
cleanup() {
  [ -n "$PAREC_PID" ] && kill "$PAREC_PID" 2>/dev/null || true
  # Only the server of this test: the one serving our own runtime folder.
  if [ -f "$XDG_RUNTIME_DIR/pulse/pid" ]; then
    kill "$(cat "$XDG_RUNTIME_DIR/pulse/pid")" 2>/dev/null || true
  fi
  wait 2>/dev/null || true
  [ -n "${KEEP_E2E:-}" ] || rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

if ! pulseaudio -D --exit-idle-time=-1 -n --log-target=file:"$WORK/pulse.log" \
     --load="module-null-sink sink_name=nul" --load=module-native-protocol-unix; then
  echo "SKIP: PulseAudio cannot start here"; exit 77
fi
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null 2>&1 || { echo "SKIP: PulseAudio cannot start here"; exit 77; }
pactl set-default-sink nul

# Records the null sink's monitor into $1 while the rest of the arguments run.
record() {
  local out=$1; shift
  parec -d nul.monitor --file-format=wav "$out" &
  PAREC_PID=$!
  sleep 0.5
  local rc=0
  "$@" || rc=$?
  sleep 0.5
  kill "$PAREC_PID"; wait "$PAREC_PID" 2>/dev/null || true
  PAREC_PID=""
  return $rc
}
rms_of() { sox "$1" -n stat 2>&1 | awk '/^RMS +amplitude/ {print $3}'; }
play_logged() { "$TOOL" play "$1" >"$2" 2>&1; }

# Silence first, so that a sound below cannot come from the measurement.
record "$WORK/quiet.wav" sleep 1
quiet=$(rms_of "$WORK/quiet.wav")
echo "silence: RMS $quiet"
awk -v r="$quiet" 'BEGIN { exit !(r < 0.01) }' || fail "the null sink is not silent (RMS $quiet)"

for kind in pcm16 float; do
  "$TOOL" make "$WORK/tone_$kind.wav" "$kind" 1 880 || fail "cannot write the $kind test tone"
  log="$WORK/play_$kind.log"
  record "$WORK/out_$kind.wav" play_logged "$WORK/tone_$kind.wav" "$log" \
    || { cat "$log" >&2; fail "$kind: the player failed"; }
  grep -q "playing: yes" "$log" || { cat "$log" >&2; fail "$kind: the player did not start"; }
  grep -q "finished: yes" "$log" || fail "$kind: the sound did not come to its end"
  rms=$(rms_of "$WORK/out_$kind.wav")
  echo "$kind: RMS $rms"
  awk -v r="$rms" 'BEGIN { exit !(r > 0.1) }' || fail "$kind: nothing was heard (RMS $rms)"
done

# A second alarm while the first still sounds starts the sound again.
"$TOOL" play "$WORK/tone_pcm16.wav" 400 >"$WORK/restart.log" 2>&1 || { cat "$WORK/restart.log" >&2; fail "restart failed"; }
grep -q "playing: yes" "$WORK/restart.log" || fail "the restarted sound does not play"

# A missing file is reported with its name, not played.
set +e
"$TOOL" play "$WORK/none.wav" >"$WORK/missing.log" 2>&1
rc=$?
set -e
[ "$rc" = 2 ] && grep -q "none.wav" "$WORK/missing.log" || fail "a missing file was not reported (rc $rc)"

# Two labels due in one tick with a missing file: each alarm tries the file
# and sounds the chime instead; the second stops the first's sound. The
# player never runs the event loop inside (whatever was queued, a report
# box among it, would then run inside the tick and could hold it).
"$TOOL" tick "$WORK/none.wav" >"$WORK/tick.log" 2>&1 || { cat "$WORK/tick.log" >&2; fail "the tick's alarms failed"; }
cat "$WORK/tick.log"
[ "$(grep -c 'event loop inside the player: no' "$WORK/tick.log")" = 2 ] \
  || fail "the player ran the event loop inside an alarm"

echo "PASS"
