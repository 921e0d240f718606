#pragma once

#include <cstdint>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/constraints.h"

// Plays a known layout out from its opening with complete logic, as fast as a generator needs:
// the single-number and the pairs rule run on a private grid with a border, kept up to date move
// by move; a Position is built and analysed only where both rules stand still. Every move is
// checked against the mines, so a wrong one can never pass as a win.
namespace dravik::analysis {

// What the analyses at the standstills may spend: each at most perAnalysis nodes, all together
// at most left, which they draw down.
struct NodeBudget {
    long perAnalysis = kNodeBudget;
    long left = 0;
};

// How a play-out ended: every safe cell uncovered, stuck where the rules it ran found nothing, or
// a move that contradicts the mines (a fault in the rules; never taken for a win).
enum class PlayoutEnd : std::uint8_t { Solved, Standstill, Wrong };

class Playout {
  public:
    Playout(int rows, int cols);

    // True when every safe cell gets uncovered. mines by cell index (row * cols + col); the
    // first cell must be safe. A play-out that would need more nodes than the budget has left
    // gives up.
    bool Solves(const std::vector<std::uint8_t>& mines, int firstCell, NodeBudget& budget) {
        return Play(mines, firstCell, budget, Rules::WithAnalysis) == PlayoutEnd::Solved;
    }
    // Which rules a play-out runs: the cheap ones alone (the single-number and the pairs rule and
    // the count of mines left) may stand still where the analysis would have got past.
    enum class Rules : std::uint8_t { CheapOnly, WithAnalysis };
    // As Solves, with the rules given.
    PlayoutEnd Play(const std::vector<std::uint8_t>& mines, int firstCell, NodeBudget& budget,
                    Rules rules);

    // Where the last play-out stopped, by cell index: neither uncovered nor marked.
    bool Unresolved(int index) const { return state_[At(Padded(index))] == kCovered; }
    bool Uncovered(int index) const { return state_[At(Padded(index))] == kOpen; }
    // Unresolved next to an uncovered cell: its numbers see it.
    bool OnFrontier(int index) const;
    // Next to an uncovered cell, whatever its own state.
    bool Seen(int index) const;

  private:
    enum State : std::uint8_t { kCovered, kOpen, kMarked, kWall };

    int Padded(int index) const { return (index / cols_ + 2) * width_ + index % cols_ + 2; }

    void Reset(const std::vector<std::uint8_t>& mines);
    // False when the move contradicts the mines.
    bool Apply(int cell, bool mine);
    void Open(int cell);
    void Mark(int cell);
    void Touch(int cell);
    // Runs the single-number rule over the cells touched since; false on a wrong move.
    bool Obvious();
    // What a rule did: a move contradicting the mines, nothing, or at least one move.
    enum class Step : std::uint8_t { Wrong, Nothing, Progress };
    // One pass of the pairs rule over the numbers changed since the last.
    Step Pairs();
    // A second number at first + offset; bit k of a mask stands for the k-th of a cell's
    // neighbours in reading order.
    struct Pair {
        int offset;
        unsigned sharedByFirst;   // first's neighbours that second sees as well
        unsigned sharedBySecond;  // second's neighbours that first sees as well
    };
    Step PairOf(int first, const Pair& pair);
    // The bit that stands for a cell in the mask of its neighbour at around_[bit]: reading order
    // turned round.
    static std::uint8_t SeenFrom(std::size_t bit) {
        return static_cast<std::uint8_t>(0x80U >> bit);
    }
    // False when a move contradicts the mines.
    bool ApplyAround(int cell, unsigned mask, bool mine);
    // With no mines left every covered cell is safe, whether a number sees it or not.
    Step NoMinesLeft();
    // The analysis at a standstill.
    Step Analysed(NodeBudget& budget);

    int rows_;
    int cols_;
    int width_;
    std::vector<int> around_;  // the eight neighbour offsets
    std::vector<Pair> pairs_;  // every cell two steps away or closer
    std::vector<std::uint8_t> mine_;
    std::vector<std::uint8_t> state_;
    std::vector<std::int16_t> number_;   // mines around
    std::vector<std::int16_t> missing_;  // mines around not yet marked
    std::vector<std::uint8_t> covered_;  // covered neighbours, a bit each
    std::vector<std::uint8_t> coveredAtStart_;
    std::vector<int> touched_;    // numbers whose neighbourhood changed, for the single-number rule
    std::vector<int> pairCells_;  // the same, for the pairs rule
    std::vector<std::uint8_t> pairsDue_;
    std::vector<int> pass_;
    std::vector<int> flood_;
    int mineCount_ = 0;
    int marked_ = 0;
    int safeLeft_ = 0;
};

}  // namespace dravik::analysis
