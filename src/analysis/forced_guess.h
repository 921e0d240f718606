#pragma once

#include <cstdint>
#include <vector>

namespace dravik::analysis {

// True when the layout hides a guess that no logic can ever take away: a mine and a safe cell
// (two steps apart or closer) such that every other safe cell next to either of them is next to
// both. Swapping the two changes no number that can ever be seen and keeps the count, so
// whichever of them is uncovered first is uncovered blind. A quick test of a whole layout,
// before anything is played: it only ever rejects layouts that need a guess.
bool HasForcedGuess(int rows, int cols, const std::vector<std::uint8_t>& mines);

}  // namespace dravik::analysis
