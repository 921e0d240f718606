#pragma once

#include <cstdint>
#include <vector>

namespace dravik::testing {

struct Replay {
    bool won = false;      // every safe cell uncovered
    bool mineHit = false;  // a move uncovered a mine or marked a safe cell
    int moves = 0;         // certain moves made after the opening
};

// Plays the mines out from firstCell on Positions, every move a certain one of the analysis
// (complete logic, a generous budget), until the safe cells are all uncovered or no certain move
// is left. Knows nothing of how the layout was made.
Replay ReplayByLogic(int rows, int cols, const std::vector<std::uint8_t>& mines, int firstCell);

}  // namespace dravik::testing
