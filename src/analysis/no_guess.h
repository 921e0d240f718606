#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// Mine layouts that complete logic wins from the first click: the clicked cell and its
// neighbours hold no mine, and the numbers with the count of mines left prove every other safe
// cell, one certain move after another, without a guess.
//
// Plain rejection: uniform layouts (mines away from the opening) are drawn until one is solved,
// so a returned layout is drawn evenly from the solvable ones. A cheap play-out (the single-number
// and the pairs rule on a private grid) gets each try to its first standstill; only there does
// the full analysis run. When the tries or the nodes run out, a compact layout (safe cells
// packed around the opening) is returned instead, proven the same way. For 30 x 16 with 99 mines
// rejection has always been enough.
namespace dravik::analysis {

// A float in [0, 1), as the game draws every layout.
using RandomSource = std::function<float()>;

struct NoGuessBoard {
    int rows = 0;
    int cols = 0;
    int mines = 0;
    // index = row * cols + col, from 0; must be on the board.
    int firstCell = 0;
};

struct NoGuessLimits {
    int tries = 1000;
    // For each analysis at a standstill, as Limits::nodeBudget.
    long nodesPerAnalysis = 30000;
    // For all analyses of one call together.
    long nodes = 2000000;
};

struct NoGuessLayout {
    // By cell index: 1 a mine, 0 safe.
    std::vector<std::uint8_t> mines;
    // Uniform layouts drawn, the accepted one included.
    int tries = 0;
    // The compact layout was returned: no random one was solved within the limits.
    bool compact = false;
};

// nullopt when no layout was proven, neither a random nor a compact one: some small or thin
// boards have none at all (2 x 3 with one mine, clicked in a corner, leaves a pair of cells that
// no number tells apart). Throws std::invalid_argument when the board is empty, the first cell is
// off it, or the mines do not fit outside the first cell's neighbourhood.
std::optional<NoGuessLayout> LayNoGuess(const NoGuessBoard& board, const RandomSource& random,
                                        const NoGuessLimits& limits = {});

}  // namespace dravik::analysis
