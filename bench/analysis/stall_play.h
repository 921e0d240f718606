#pragma once

// Boards played to a standstill by each rule, and the stalls of the obvious rule, on simulated
// fields (30 x 16 with 99 mines unless given): the positions the analysis meets in play.

#include <cstdint>
#include <functional>
#include <vector>

#include "analysis/analysis.h"
#include "board_size.h"
#include "support/simulated_game.h"

namespace dravik::bench {

constexpr int kRows = 16;
constexpr int kCols = 30;
constexpr int kMines = 99;

// The layout seed of game (or board) `game` of the run seeded `seed`: the same game whatever
// the number of threads.
std::uint64_t LayoutSeed(std::uint64_t seed, int game);

// Board `board` of the run seeded `seed`, its first click made on a cell with no mine around.
testing::SimulatedGame OpenedBoard(std::uint64_t seed, int board, const BoardSize& size = {});

using Rule = std::function<std::vector<analysis::Move>(const Position&)>;

// Makes the rule's moves until it finds none. Throws std::logic_error on a wrong move.
void RunToStandstill(testing::SimulatedGame& game, const Rule& rule);

// The obvious rule to a standstill, and at each stall the analysis: its certain moves are made,
// else its safest cell is uncovered. Returns the stalls; each is handed to `atStall` first.
int PlayThroughStalls(testing::SimulatedGame& game,
                      const std::function<analysis::Analysis(const Position&)>& atStall);

}  // namespace dravik::bench
