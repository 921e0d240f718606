#!/usr/bin/env bash
# How fast the game answers real input, on a virtual X server of its own: a left click on a
# covered cell, timed until the cell's pixels change; an arrow key moving the board's cursor,
# timed until the board's pixels change; Ctrl+H after a few moves, timed until the
# hint's box has painted; and F2, timed until every cell looks covered again. Clicks that meet a
# mine open a box first and are left out.
#
#   bench/response.sh [BUILD_DIR] [ROUNDS] [CLICKS_PER_ROUND]    defaults: build/release 25 4
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/release}
rounds=${2:-25}
clicks=${3:-4}
probe=$build/bench/window_probe
game=$build/dravik
for f in "$probe" "$game"; do
  [ -x "$f" ] || { echo "response.sh: $f is missing: build the release preset first" >&2; exit 2; }
done

work=$(mktemp -d /tmp/dravik-response.XXXXXX)
. bench/xvfb.sh
start_xvfb "$work" response.sh

"$probe" response --rounds "$rounds" --clicks "$clicks" "$game" >"$work/samples"
summary=$(tail -n1 "$work/samples")
case $summary in
  click_median_ms=*) ;;
  *) echo "response.sh: the probe did not finish" >&2; exit 1 ;;
esac

. bench/spread.sh
echo "$(nproc) CPUs, $(uname -r)"
echo "click on a covered cell: $(spread "$work/samples" click_ms)  ($(grep -c 'hit a mine' "$work/samples" || true) mine hits left out)"
echo "arrow key on the board:   $(spread "$work/samples" key_ms)"
echo "Ctrl+H after $clicks moves: $(spread "$work/samples" hint_ms)"
echo "F2 after $clicks moves:     $(spread "$work/samples" f2_ms)"
echo "targets: click median < 5 ms, arrow key median <= 5 ms, Ctrl+H median < 20 ms, F2 median < 8 ms"
