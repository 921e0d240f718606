#pragma once

#include <optional>
#include <vector>

#include "board/position.h"

// What the numbers of a position prove: the cells whose state is forced, the odds of the others,
// and the numbers behind each forced cell. Reads a Position and nothing else of the game.
//
// Covered cells ('.') are the unknowns. Marks, the player's and the game's, count as mines, as
// the obvious rule counts them; the global count is the position's mines left (the counter:
// mines minus marks), so a board with more marks than mines has no layout at all.
namespace dravik::analysis {

// index into the Position; mine = false means the cell is safe to uncover.
struct Move {
    int index;
    bool mine;
    bool operator==(const Move&) const = default;
};

enum class Verdict { CertainMoves, GuessNeeded, Contradiction, Undetermined, NothingLeft };

// A covered cell's chance of holding a mine, 0..1.
struct Odds {
    int index;
    double mine;
};

// The search is exponential on purpose-built positions, so it is capped in nodes (one node is
// one value tried for one group of cells), never in time: the same position always gets the
// same answer.
// No position met in play has needed more; a purpose-built tangle stops at it within a millisecond.
inline constexpr long kNodeBudget = 30000;

struct Limits {
    long nodeBudget = kNodeBudget;
    bool withOdds = true;
};

struct Analysis {
    Verdict verdict = Verdict::NothingLeft;
    // CertainMoves: every forced covered cell, in reading order. When the budget ran out
    // (exhausted) only those the cheaper steps and the finished components proved.
    std::vector<Move> certain;
    // Every covered cell, safest first, ties in reading order: always for GuessNeeded, and for
    // CertainMoves when Limits::withOdds. Forced cells read exactly 0 or 1.
    std::vector<Odds> odds;
    // Contradiction: a number that cannot be satisfied. When no number fails alone, the first
    // number (reading order) of the part of the frontier that has no layout; when only the mines
    // left fail, the first number with a covered neighbour, else the first next to a mark, else
    // the first number; -1 when the position has no number at all.
    int unsatisfiable = -1;
    long nodes = 0;  // search nodes spent
    // The budget ran out: certainty was not decided for every cell and no odds were computed.
    bool exhausted = false;
};

// Cited numbers in reading order, minimal: without any one of them the cell is no longer forced.
// usesMineCount tells whether the mines left were needed as well.
struct Proof {
    std::vector<int> numbers;
    bool usesMineCount = false;
};

// Complete logic: the pairs rule first, then every component of the frontier enumerated and
// combined over the mines left. A contradiction is reported before NothingLeft (a board with no
// covered cell whose counter or numbers do not add up is a contradiction).
Analysis Analyse(const Position& position, const Limits& limits = {});

// The single-number rule run to a standstill on this position: a number whose missing mines
// equal its covered neighbours makes them all mines, one with none missing makes them all safe.
// Reading order; empty on a contradiction.
std::vector<Move> ObviousMoves(const Position& position);

// The single-number rule and the pairs rule to a standstill; reading order; empty on a
// contradiction found on the way.
std::vector<Move> PairsMoves(const Position& position);

// The numbers that force `move`; nullopt when it is not forced, the position has no layout at
// all, or a check ran over the budget (each check of the minimisation gets the whole budget).
// `analysis` is what Analyse found on this same position, with the same node budget: it says
// which moves are forced, so proving several of them analyses the position once. Prove does not
// take it on trust: a proof is returned only when its own checks force the move.
std::optional<Proof> Prove(const Position& position, const Analysis& analysis, const Move& move,
                           const Limits& limits = {});

}  // namespace dravik::analysis
