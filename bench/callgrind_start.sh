# Sourced by the callgrind benchmarks. callgrind_start <out> <folder> <cmd...>
# runs one start in <folder> under callgrind (with the options in
# $CALLGRIND_OPTIONS besides), waits (bounded) for its "Moranote" window of
# more than icon size to be mapped and then for the program to be idle (no
# code run for two seconds: every window painted), dumps the counts to
# <out>.1 and ends it. Fails when no window came.
callgrind_start() {
  local out=$1 dir=$2
  shift 2
  # shellcheck disable=SC2086
  (cd "$dir" && exec valgrind --tool=callgrind --callgrind-out-file="$out" --dump-instr=no \
    ${CALLGRIND_OPTIONS:-} "$@") >/dev/null 2>&1 &
  local pid=$! found=
  for _ in $(seq 1 600); do
    for w in $(xdotool search --onlyvisible --name '^Moranote$' 2>/dev/null); do
      local g
      g=$(xdotool getwindowgeometry "$w" 2>/dev/null | awk '/Geometry/{print $2}')
      [ "${g%x*}" -gt 64 ] 2>/dev/null && found=1
    done
    [ -n "$found" ] && break
    sleep 0.2
  done
  if [ -n "$found" ]; then
    local before= now=
    for _ in $(seq 1 60); do
      now=$(callgrind_control -s "$pid" 2>/dev/null | awk '/Basic blocks/ { print $5 }')
      [ -n "$now" ] && [ "$now" = "$before" ] && break
      before=$now
      sleep 2
    done
    callgrind_control -d "$pid" >/dev/null 2>&1
  fi
  sleep 1
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  [ -n "$found" ] || { echo "no window from $*" >&2; return 1; }
}
