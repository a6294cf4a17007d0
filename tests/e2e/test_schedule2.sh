#!/usr/bin/env bash
# A weekly recurring entry typed with the keyboard and posted with the mouse:
# the data file holds one label per week and their windows stand on the
# screen, one beside the other.
source "$(dirname "$0")/lib.sh"
start_display

start_morna
read -r wid x y w h _ < <(wait_window Moranote)
sleep 0.5

# Schedule-2 (client 225,90, 90 x 12) opens the group below y = 125.
click_at $((x + 240)) $((y + 96))
sleep 0.3
# Weekday box (group 3,125 + 145,20, 90 x 20) and time box (+ 245,20, 60 x 20).
type_at $((x + 175)) $((y + 155)) "Friday"
type_at $((x + 265)) $((y + 155)) "08:30"
# From Wednesday 2090/05/03; its time of day is not used.
type_label "$x" "$y" "2090/05/03 15:20" "Gym"
press_post "$x" "$y"

dates=("2090/05/05 08:30" "2090/05/12 08:30" "2090/05/19 08:30"
       "2090/05/26 08:30" "2090/06/02 08:30" "2090/06/09 08:30")
expected=$(printf 'Time=%s\r\nMemo=Gym\r\n' "${dates[@]}")
for _ in $(seq 50); do [ -s "$DAT" ] && break; sleep 0.1; done
[ "$(cat "$DAT")" = "$expected" ] || fail "data file after Post: $(od -c "$DAT" | head -20)"

# Six label windows titled with those date-times, each whole on the
# 1024 x 768 screen and none over another.
sleep 0.5
mapfile -t labels < <(label_windows)
[ "${#labels[@]}" -eq 6 ] || fail "expected six label windows, found: ${labels[*]}"
titles=$(printf '%s\n' "${labels[@]}" | cut -d' ' -f6- | sort)
[ "$titles" = "$(printf '%s\n' "${dates[@]}")" ] || fail "label windows: $titles"
printf '%s\n' "${labels[@]}" | awk '
  { x[NR] = $2; y[NR] = $3; w[NR] = $4; h[NR] = $5
    if ($2 < 0 || $3 < 0 || $2 + $4 > 1024 || $3 + $5 > 768) { print "off the screen: " $0; bad = 1 } }
  END { for (i = 1; i <= NR; i++) for (j = i + 1; j <= NR; j++)
          if (x[i] < x[j] + w[j] && x[j] < x[i] + w[i] && y[i] < y[j] + h[j] && y[j] < y[i] + h[i]) {
            print "windows " i " and " j " overlap"; bad = 1 }
        exit bad }' || fail "label windows: ${labels[*]}"

# End (client 267,106) keeps them.
click_at $((x + 292)) $((y + 114))
wait_exit "$MORNA_PID"
[ "$(cat "$DAT")" = "$expected" ] || fail "data file after End: $(od -c "$DAT" | head -20)"
echo "PASS"
