#pragma once

#include "board/position.h"

namespace dravik::analysis {

// Chances closer than this are the same: sums of the same terms in another order differ by
// rounding alone, and a tie must not go to whichever came out a hair higher.
inline constexpr double kSameChance = 1e-9;

// Exact play of a small ending: every layout of the covered cells listed, and the order of
// guesses that clears the board without a mine hit most often found by searching them all.
struct Ending {
    bool solved = false;  // false: too many layouts, or the work ran out
    int cell = -1;        // the guess to make; -1 when a cell is certain or nothing is left
};

// Work is counted in layouts listed plus search steps; past `budget`, or past `maxLayouts`
// layouts, nothing is solved. Marks count as mines.
Ending PlayEnding(const Position& position, long budget, int maxLayouts);

}  // namespace dravik::analysis
