#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/analysis.h"
#include "board/random_source.h"

// Mine layouts that complete logic wins from the first click: the clicked cell and its
// neighbours hold no mine, and the numbers with the count of mines left prove every other safe
// cell, one certain move after another, without a guess.
//
// Plain rejection first: uniform layouts (mines away from the opening) are drawn until one is
// solved, so a layout it returns is drawn evenly from the solvable ones. A cheap play-out (the
// single-number and the pairs rule on a private grid) gets each try to its first standstill;
// only there does the full analysis run. On dense boards hardly any layout is solvable, and
// rejection would draw for ever: after a few tries a drawn layout is repaired instead. Where its
// play-out stands still, a mine on the numbers' frontier moves to a covered cell no number sees
// yet (or a frontier cell takes one from there), and the layout is played out again from the
// first click, until it is won. A repaired layout is a random one with a few mines moved: not
// drawn evenly, but a board like others of its density. When repair runs out too, a compact
// layout (safe cells packed around the opening) is tried, proven the same way.
namespace dravik::analysis {

using dravik::RandomSource;

struct NoGuessBoard {
    int rows = 0;
    int cols = 0;
    int mines = 0;
    // index = row * cols + col, from 0; must be on the board.
    int firstCell = 0;
};

// The defaults give up, on a board that has no layout logic wins, after about a second on one
// core of the machine the game was tuned on: the cost is counted in play-outs, cells and nodes,
// never in time, so the same random numbers always give the same board.
struct NoGuessLimits {
    // Uniform layouts drawn before repair starts; most of the boards of a density that rejection
    // serves are found well within this.
    int tries = 300;
    // Rejection runs only up to this density of mines outside the opening.
    double drawnUpTo = 0.22;
    // What all the play-outs of repaired layouts together may cost, counted in cells: a play-out
    // counts its board's cells and 64 more for what it costs whatever the size. 25 million is
    // about a second here (some 46 000 play-outs of 30 x 16).
    long repairCells = 25000000;
    // Compact layouts tried last, each ring filled from another angle.
    int compactStarts = 8;
    // For each analysis at a standstill, as Limits::nodeBudget.
    long nodesPerAnalysis = kNodeBudget;
    // For all analyses of one call together.
    long nodes = 2000000;
};

// How a layout was made.
enum class NoGuessMethod : std::uint8_t {
    Drawn,     // by rejection: evenly from the solvable layouts
    Repaired,  // a drawn layout with mines moved until logic won it
    Compact,   // the safe cells packed around the opening: neither of the others found one
};

struct NoGuessLayout {
    // By cell index: 1 a mine, 0 safe.
    std::vector<std::uint8_t> mines;
    NoGuessMethod method = NoGuessMethod::Drawn;
    // Uniform layouts drawn, the returned one or the one repaired included.
    int tries = 0;
    // Play-outs of repaired layouts.
    int repairs = 0;
};

// nullopt when no layout was proven within the limits: some small or thin boards have none at
// all (2 x 3 with one mine, clicked in a corner, leaves a pair of cells that no number tells
// apart). Throws std::invalid_argument when the board is empty, the first cell is off it, or the
// mines do not fit outside the first cell's neighbourhood.
std::optional<NoGuessLayout> LayNoGuess(const NoGuessBoard& board, const RandomSource& random,
                                        const NoGuessLimits& limits = {});

// The ordinary layout for a first click when no proven one is to be had: the first cell free, and
// its neighbours too as far as the mines leave room; the mines away from the opening are drawn
// evenly, and any left over evenly among the neighbours.
std::vector<std::uint8_t> LayAroundOpening(const NoGuessBoard& board, const RandomSource& random);

}  // namespace dravik::analysis
