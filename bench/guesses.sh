#!/usr/bin/env bash
# How fast the hint comes at a guess, on a virtual X server of its own: the game is played by
# "Complete Logic" to a standstill and the hinted guess, and Ctrl+H is timed at every standstill
# until its box has painted.
#
#   bench/guesses.sh [BUILD_DIR] [HINTS]    defaults: build/release 60
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/release}
hints=${2:-60}
probe=$build/bench/window_probe
game=$build/dravik
for f in "$probe" "$game"; do
  [ -x "$f" ] || { echo "guesses.sh: $f is missing: build the release preset first" >&2; exit 2; }
done

work=$(mktemp -d /tmp/dravik-guesses.XXXXXX)
. bench/xvfb.sh
start_xvfb "$work" guesses.sh

"$probe" guesses --rounds "$hints" "$game" >"$work/samples"
summary=$(tail -n1 "$work/samples")
case $summary in
  guess_hint_median_ms=*) ;;
  *) echo "guesses.sh: the probe did not finish" >&2; exit 1 ;;
esac

. bench/spread.sh
echo "$(nproc) CPUs, $(uname -r), $(uptime | sed 's/.*load/load/')"
echo "Ctrl+H at a guess:  $(spread "$work/samples" guess_hint_ms)  ($(echo "$summary" | sed "s/.*hints=\([0-9]*\) games=\([0-9]*\).*/\1 hints in \2 games/"))"
echo "target: median at most 50 ms, max at most 500 ms"
