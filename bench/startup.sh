#!/usr/bin/env bash
# Start-up of the game against the floor of any Qt Widgets program (bench/bare_window: one plain
# QWidget), on a virtual X server of its own: time from exec to the first top-level window mapped
# and to its first paint, and peak resident memory (VmHWM) one second after the map. Two more
# references run too: one line of text in a plain label ("bare_window --label", the least any
# window with text pays for the font stack) and a stock message box with the game's question
# ("bare_window --message-box"). The programs run in turn after one warm-up run each; medians and
# the game's ratios to the references are printed.
#
#   bench/startup.sh [BUILD_DIR] [ROUNDS]      defaults: build/release 9
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/release}
rounds=${2:-9}
probe=$build/bench/window_probe
game=$build/dravik
bare=$build/bench/bare_window
for f in "$probe" "$game" "$bare"; do
  [ -x "$f" ] || { echo "startup.sh: $f is missing: build the release preset first" >&2; exit 2; }
done

work=$(mktemp -d /tmp/dravik-startup.XXXXXX)
. bench/xvfb.sh
start_xvfb "$work" startup.sh

run() {  # run NAME COMMAND [ARGS]: appends "map paint hwm" to $work/NAME
  local name=$1 line
  shift
  line=$("$probe" startup "$@")
  echo "  $name: $line"
  echo "$line" | sed -E 's/map_ms=([^ ]+) paint_ms=([^ ]+) vmhwm_kib=([^ ]+)/\1 \2 \3/' >>"$work/$name"
}

echo "warm-up"
"$probe" startup "$game" >/dev/null
"$probe" startup "$bare" >/dev/null
for flag in --label --message-box; do
  "$probe" startup "$bare" $flag >/dev/null
done
for i in $(seq "$rounds"); do
  echo "round $i"
  run game "$game"
  run bare "$bare"
  run label "$bare" --label
  run box "$bare" --message-box
done

median() {  # median FILE COLUMN
  cut -d' ' -f"$2" "$1" | sort -g | awk '{v[NR] = $1} END {
    print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo
echo "medians of $rounds rounds ($(nproc) CPUs, $(uname -r))"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
printf '%-16s %9s %9s %9s %9s %10s %11s %9s\n' "" "game" "bare Qt" "label" "stock box" \
  "game/bare" "game/label" "game/box"
for metric in "map ms:1" "first paint ms:2" "VmHWM KiB:3"; do
  name=${metric%:*}
  column=${metric##*:}
  g=$(median "$work/game" "$column")
  b=$(median "$work/bare" "$column")
  l=$(median "$work/label" "$column")
  x=$(median "$work/box" "$column")
  printf '%-16s %9s %9s %9s %9s %10s %11s %9s\n' "$name" "$g" "$b" "$l" "$x" "$(ratio "$g" "$b")" \
    "$(ratio "$g" "$l")" "$(ratio "$g" "$x")"
done
echo "targets (game/bare): first paint <= 1.25, VmHWM <= 1.15"
