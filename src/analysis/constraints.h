#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "board/position.h"

namespace dravik::analysis {

// Cell and constraint ids are ints (they come from Position); the containers want size_t.
inline std::size_t At(int index) {
    return static_cast<std::size_t>(index);
}

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

    bool Contradicted() const { return unsatisfiable >= 0; }
};

// Which rules Propagate runs to a standstill.
enum class Rules : std::uint8_t { SingleNumber, SingleNumberAndPairs };

// `useNumber` (by cell index) picks the numbers that take part; nullptr takes them all. Sets
// `unsatisfiable` when a number wants more mines than it has covered neighbours, or fewer than
// none.
Problem BuildProblem(const Position& position, const std::vector<char>* useNumber = nullptr);

// The single-number rule, and with Rules::SingleNumberAndPairs the pairs rule, to a standstill.
// False (with `unsatisfiable` set) when a number can no longer be satisfied.
bool Propagate(Problem& problem, Rules rules);

// BuildProblem, then Propagate when no number fails on its own: where every reasoning starts.
// Contradicted() tells whether either step found a number that cannot be satisfied.
Problem BuildAndPropagate(const Position& position, Rules rules,
                          const std::vector<char>* useNumber = nullptr);

}  // namespace dravik::analysis
