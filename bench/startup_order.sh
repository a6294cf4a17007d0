#!/bin/bash
# Writes the functions of Moranote that a start runs, as the names of their
# sections, for the linker to lay them out together (app/startup.order):
# starts the program with no files and with 50 labels and the four fixed
# alarms under callgrind, each until it is idle with every window painted,
# and lists every function of the program either start ran. Run it on the
# release build after changes to what a start does. Needs valgrind, xdotool
# and an X display with a notification area, like the other benchmarks.
#
#   bench/startup_order.sh <Morna> <bench folder of the build> > app/startup.order
set -u
morna=$(realpath "$1")
bench=$(realpath "$2")
work=$(mktemp -d /tmp/morna-order.XXXXXX)
trap 'rm -rf "$work"' EXIT
"$bench/startup_bench" --prepare "$work" "$morna" "$bench/morna_floor" >/dev/null || exit 1
. "$(dirname "$0")/callgrind_start.sh"
export CALLGRIND_OPTIONS=--demangle=no
callgrind_start "$work/empty.cg" "$work/empty" "./$(basename "$morna")" || exit 1
callgrind_start "$work/full.cg" "$work/full" "./$(basename "$morna")" || exit 1

# callgrind names an object or a function in full once, as "fn=(id) name",
# and by its id after that.
awk -v program="/$(basename "$morna")" '
  function named(line,   id, name) {
    id = substr(line, index(line, "(") + 1)
    name = substr(id, index(id, ")") + 2)
    id = substr(id, 1, index(id, ")") - 1)
    return name == "" ? id : name
  }
  /^c?ob=\(/ {
    split($0, a, "[()]"); n = named($0); if (n != a[2]) objects[FILENAME, a[2]] = n
    if ($0 ~ /^ob=/) ob = objects[FILENAME, a[2]]
    next
  }
  /^c?fn=\(/ {
    split($0, a, "[()]"); n = named($0); if (n != a[2]) functions[FILENAME, a[2]] = n
    if ($0 ~ /^fn=/ && substr(ob, length(ob) - length(program) + 1) == program)
      ran[functions[FILENAME, a[2]]] = 1
  }
  END {
    for (f in ran) {
      if (f ~ /^[(0]/) continue              # "(below main)", addresses without a name
      if (f ~ /^_GLOBAL__sub_I_/ || f == "main") { print ".text.startup." f; continue }
      print ".text." f
      # A complete-object constructor or destructor is an alias of the base
      # one, whose section carries the name.
      g = f; sub(/C1E/, "C2E", g); sub(/C1I/, "C2I", g); sub(/D1E/, "D2E", g)
      if (g != f) print ".text." g
    }
  }' "$work/empty.cg.1" "$work/full.cg.1" | LC_ALL=C sort
