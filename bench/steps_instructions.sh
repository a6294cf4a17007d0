#!/bin/bash
# A post against its floor in instructions, which do not depend on what else
# the machine is doing: runs steps_bench under callgrind (a few rounds) and
# prints the instructions of one post with 54 windows on the screen and of
# re-filling the texts of the 54 windows, each until the display server has
# handled them, and their ratio. Needs valgrind and an X display, like
# steps_bench.
#
#   bench/steps_instructions.sh <bench folder of the build> [rounds]
set -u
bench=$(realpath "$1")
rounds=${2:-3}
work=$(mktemp -d /tmp/morna-steps.XXXXXX)
trap 'rm -rf "$work"' EXIT
valgrind --tool=callgrind --callgrind-out-file="$work/cg" --dump-instr=no \
  "$bench/steps_bench" "$rounds" >/dev/null 2>&1 || { echo "steps_bench failed" >&2; exit 1; }
callgrind_annotate --inclusive=yes "$work/cg" 2>/dev/null | awk -v n="$rounds" '
  /PostStep\(/ && !post { gsub(",", "", $1); post = $1 / n }
  /RefillStep\(/ && !refill { gsub(",", "", $1); refill = $1 / n }
  END {
    if (!post || !refill) { print "no figures (steps_bench built without its step functions?)"; exit 1 }
    printf "%-48s %14s\n", "step (one round)", "instructions"
    printf "%-48s %14.0f\n", "post with 50 labels on screen (54 windows)", post
    printf "%-48s %14.0f\n", "re-fill the texts of the 54 windows (floor)", refill
    printf "%-48s %13.2fx  goal <= 1.2x\n", "post / re-fill", post / refill
  }'
