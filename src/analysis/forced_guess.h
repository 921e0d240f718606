#pragma once

#include <cstdint>
#include <vector>

namespace dravik::analysis {

// True when the layout, played from firstCell, hides a guess that no logic can ever take away: a
// mine and a safe cell other than firstCell (two steps apart or closer) such that every other
// safe cell next to either of them is next to both. Swapping the two changes no number that can
// ever be seen and keeps the count, so the safe one can only be uncovered blind (no empty cell
// can open it: that would be a safe cell next to it and not to the mine). A quick test of a
// whole layout before anything is played: it flags only layouts that need a guess.
bool HasForcedGuess(int rows, int cols, const std::vector<std::uint8_t>& mines, int firstCell);

}  // namespace dravik::analysis
