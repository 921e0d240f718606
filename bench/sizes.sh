#!/usr/bin/env bash
# How fast a board of another size comes up, on a virtual X server of its own: Beginner,
# Intermediate, Expert and a 60 x 40 / 480 Custom board chosen from the Game menu by its keys,
# each timed from the key that makes the choice until the server reports the drawing after which
# the window looks as that board does once settled; and Ctrl+H on the 60 x 40 board after one
# opened cell, timed until the hint's box has painted.
#
#   bench/sizes.sh [BUILD_DIR] [ROUNDS]    defaults: build/release 15
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/release}
rounds=${2:-15}
probe=$build/bench/window_probe
game=$build/dravik
for f in "$probe" "$game"; do
  [ -x "$f" ] || { echo "sizes.sh: $f is missing: build the release preset first" >&2; exit 2; }
done

work=$(mktemp -d /tmp/dravik-sizes.XXXXXX)
. bench/xvfb.sh
start_xvfb "$work" sizes.sh

"$probe" sizes --rounds "$rounds" "$game" >"$work/samples"
case $(tail -n1 "$work/samples") in
  beginner_median_ms=*) ;;
  *) echo "sizes.sh: the probe did not finish" >&2; exit 1 ;;
esac

. bench/spread.sh
echo "$(nproc) CPUs, $(uname -r), $(uptime | sed 's/.*load/load/')"
echo "Beginner 9 x 9 / 10:        $(spread "$work/samples" beginner_ms)"
echo "Intermediate 16 x 16 / 40:  $(spread "$work/samples" intermediate_ms)"
echo "Expert 30 x 16 / 99:        $(spread "$work/samples" expert_ms)"
echo "Custom 60 x 40 / 480:       $(spread "$work/samples" custom_60x40_ms)"
echo "Ctrl+H on 60 x 40 / 480:    $(spread "$work/samples" hint_60x40_ms)"
echo "target: every median at most 30 ms"
