#pragma once

#include <cstdint>
#include <vector>

#include "analysis/analysis.h"
#include "board/position.h"

namespace dravik::testing {

// A minefield on a plain array of mines, for checking and measuring the analysis away from the
// game's own code: uncovering floods empty regions, a mine uncovered gets an automatic mark and
// the counter shows mines minus marks, as the player sees it.
class SimulatedGame {
  public:
    // Lays `mines` mines at random from `seed`, never on `freeCell` (-1: anywhere); the same
    // seed gives the same field.
    SimulatedGame(int rows, int cols, int mines, std::uint64_t seed, int freeCell = -1);
    // The given mines, by cell index (non-zero a mine); no opening cell.
    SimulatedGame(int rows, int cols, const std::vector<std::uint8_t>& mines);

    // A random cell from the same seed with no mine in or around it; -1 if there is none.
    int OpeningCell() const { return opening_; }
    bool IsMine(int index) const { return mines_[static_cast<std::size_t>(index)] != 0; }
    const Position& Seen() const { return seen_; }
    // Every safe cell uncovered.
    bool Finished() const { return safeLeft_ == 0; }

    // Only for a covered cell. False when it held a mine.
    bool Uncover(int index);
    void Mark(int index);
    // Only the safe cells on even rows and even columns uncovered, nothing marked: on a field a
    // fifth mined, one frontier component with a vast number of layouts.
    Position Sparse() const;
    // What a careful player does with an analysis: every certain move, else the safest cell,
    // else (nothing proved within the budget) the first covered cell. Returns how many of the
    // certain moves were wrong.
    int Follow(const analysis::Analysis& analysis);

  private:
    int MinesAround(int index) const;

    std::vector<char> mines_;
    Position seen_;
    int opening_ = -1;
    int safeLeft_ = 0;
};

}  // namespace dravik::testing
