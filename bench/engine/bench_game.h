#pragma once

// A started game on the tests' toolkit without a window system, for timing the core alone:
// message boxes answer at once and are not logged, yields run nothing, and random numbers come
// from a generator the benchmark seeds, so every board is the same on every run.

#include <cstdint>

#include "support/game_fixture.h"

namespace dravik::bench {

class BenchGame : public testing::GameWindow {
  public:
    // A game in the normal layout with the minefield the generator lays from seed.
    explicit BenchGame(std::uint32_t seed = 1);

    // A new random minefield from seed through the game's own Replay.
    void NewGame(std::uint32_t seed);

    BoardState Save() const { return board.State(); }
    // Element-wise assignment keeps every caption's storage, so restoring allocates nothing.
    void Restore(const BoardState& state) { board.SetState(state); }

    int Covered() const;
    int Marked() const;
    // Cells whose caption differs from the saved state's.
    int Changed(const BoardState& before) const;
    // The uncovered cell with no adjacent mine whose region opens the most cells when clicked,
    // or -1 when the field has none. The board is left as it was found.
    std::int16_t BestOpening();
};

}  // namespace dravik::bench
