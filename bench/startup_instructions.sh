#!/bin/bash
# Start-up in instructions, which do not depend on what else the machine is
# doing: runs the floor programs and Moranote (no files; 50 labels and the
# four fixed alarms) twice each under callgrind, in the folders the start-up
# benchmark uses, and prints the instructions each executes before its event
# loop starts -- everything up to the point where its windows go to the
# display server -- and up to the first moment it is idle with every window
# painted, with the ratios against the same floors as startup_bench.
# Needs valgrind and xdotool and an X display, like startup_bench.
#
#   bench/startup_instructions.sh <Morna> <bench folder of the build>
set -u
morna=$(realpath "$1")
bench=$(realpath "$2")
work=$(mktemp -d /tmp/morna-instr.XXXXXX)
trap 'rm -rf "$work"' EXIT
"$bench/startup_bench" --prepare "$work" "$morna" "$bench/morna_floor" || exit 1

. "$(dirname "$0")/callgrind_start.sh"

# One start (see callgrind_start.sh): prints the instructions outside
# QCoreApplication::exec and the instructions in all.
measure() {
  local dir=$1 out=$work/cg.$RANDOM
  shift
  callgrind_start "$out" "$dir" "$@" || exit 1
  callgrind_annotate --inclusive=yes "$out.1" 2>/dev/null | awk '
    /PROGRAM TOTALS/ { gsub(",", "", $1); total = $1 }
    /QCoreApplication::exec\(\)/ && !loop { gsub(",", "", $1); loop = $1 }
    END { printf "%.0f %.0f\n", total - loop, total }'
}

# The fewer of two starts, each figure: a start that finds the font
# configuration's cache out of date (fonts installed meanwhile) rebuilds it,
# which costs billions.
twice() {
  local x y
  x=($(measure "$@")) && y=($(measure "$@")) || exit 1
  echo $((x[0] < y[0] ? x[0] : y[0])) $((x[1] < y[1] ? x[1] : y[1]))
}

a=($(twice "$work/floor" ./morna_floor))
b=($(twice "$work/floor" ./morna_floor --text))
c=($(twice "$work/floor" ./morna_floor --labels 53))
d=($(twice "$work/floor" ./morna_floor --form))
e=($(twice "$work/floor" ./morna_floor --form --labels 53))
m=($(twice "$work/empty" "./$(basename "$morna")"))
f=($(twice "$work/full" "./$(basename "$morna")"))
ratio() { echo "$1 / $2" | bc -l; }
echo "instructions before the event loop, and until idle with every window painted"
printf '%-40s %14s %8s %14s %8s\n' start "before loop" ratio "until idle" ratio
row() {  # name, figures, floor's figures, floor's letter
  local -n x=$2 y=$3
  if [ -z "$4" ]; then
    printf '%-40s %14.0f %8s %14.0f %8s\n' "$1" "${x[0]}" - "${x[1]}" -
  else
    printf '%-40s %14.0f %7.2fx %14.0f %7.2fx  (%s)\n' "$1" "${x[0]}" "$(ratio "${x[0]}" "${y[0]}")" \
      "${x[1]}" "$(ratio "${x[1]}" "${y[1]}")" "$4"
  fi
}
row "(a) Qt floor" a a ""
row "(b) Qt floor with a line of text" b a a
row "(c) (b) + 53 two-line windows" c b b
row "(d) the registration window's controls" d b b
row "(e) (d) + 53 windows in the labels' fonts" e d d
row "Moranote, no files" m b b
row "Moranote, no files" m d d
row "Moranote, 50 labels + 4 alarm windows" f c c
row "Moranote, 50 labels + 4 alarm windows" f e e
