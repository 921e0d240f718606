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

struct EndingLimits {
    // Work is counted in layouts listed plus search steps; past it nothing is solved.
    long budget = 300000;
    // The most layouts listed: `layouts`, or more in a dense ending, as long as the layouts
    // times the cube of the share of covered cells that are safe stay within `dense` (0: off).
    // No layouts at all: no exact ending.
    // Dense endings have many layouts but few safe cells to try in each.
    int layouts = 600;
    double dense = 250;
    // Guess only cells that may show two numbers or more while there are any: a dead cell's
    // guess tells nothing, so putting it off never loses.
    bool deadLast = true;
    // Of equally safe guesses, those that show a 0 in more layouts, then those that may show
    // more numbers, tried first: the search settles its ties on the guesses that tell the most.
    bool ordered = true;
};

// Marks count as mines.
Ending PlayEnding(const Position& position, const EndingLimits& limits);

}  // namespace dravik::analysis
