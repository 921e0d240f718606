#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "board/position.h"

namespace dravik::analysis {

// A covered cell as the reasoning sees it; Open is any cell that is not covered.
enum class CellState : std::uint8_t { Unknown, Safe, Mine, Open };

constexpr int kMostNeighbours = 8;

// One uncovered number: its covered, still undecided neighbours (ascending) and the mines
// missing among them.
struct Constraint {
    int number = -1;
    int missing = 0;
    int size = 0;
    std::array<int, kMostNeighbours> cells{};
};

// Every covered cell as Unknown, one constraint per number with undecided neighbours, and the
// mines left to share among the Unknown cells. Propagate decides cells and shrinks both.
struct Problem {
    std::vector<CellState> cells;
    std::vector<Constraint> constraints;
    // The constraints each cell is in, ascending (a cell touches at most eight numbers).
    std::vector<std::array<int, kMostNeighbours>> links;
    std::vector<std::uint8_t> linkCount;
    int minesLeft = 0;
    int covered = 0;
    // Cells decided by Propagate, in the order it decided them.
    std::vector<int> decided;
    // The number found unsatisfiable, or -1.
    int unsatisfiable = -1;
};

// `useNumber` (by cell index) picks the numbers that take part; nullptr takes them all. Sets
// `unsatisfiable` when a number wants more mines than it has covered neighbours, or fewer than
// none.
Problem BuildProblem(const Position& position, const std::vector<char>* useNumber = nullptr);

// The single-number rule, and with `pairs` the pairs rule, to a standstill. False (with
// `unsatisfiable` set) when a number can no longer be satisfied.
bool Propagate(Problem& problem, bool pairs);

}  // namespace dravik::analysis
