#include <algorithm>
#include <cstdlib>

#include "analysis/analysis.h"
#include "analysis/constraints.h"
#include "analysis/enumeration.h"

namespace dravik::analysis {

namespace {

// What one check of a set of numbers says about the move: forced, left undecided (some layout
// that fits the numbers has the other state), no layout at all, or the budget ran out.
enum class Check { Forced, NotForced, NoLayout, OverBudget };

// Whether a check may use the count of mines left besides the chosen numbers.
enum class MinesLeft { Ignored, Counted };

class Prover {
  public:
    Prover(const Position& position, const Move& move, long budget)
        : position_(position), move_(move), budget_(budget) {}

    // Whether the chosen numbers alone (and the mines left when counted) force the move.
    Check Forces(const std::vector<char>& numbers, MinesLeft minesLeft) const {
        const Problem problem = BuildAndPropagate(position_, Rules::SingleNumberAndPairs, &numbers);
        if (problem.Contradicted()) {
            return Check::NoLayout;
        }
        const CellState wanted = move_.mine ? CellState::Mine : CellState::Safe;
        const CellState decided = problem.cells[At(move_.index)];
        if (decided != CellState::Unknown) {
            return decided == wanted ? Check::Forced : Check::NotForced;
        }
        const Solution solution =
            Enumerate(problem, {.nodeBudget = budget_,
                                .useMinesLeft = minesLeft == MinesLeft::Counted,
                                .wantOdds = false});
        switch (solution.status) {
            case SearchStatus::Contradiction:
                return Check::NoLayout;
            case SearchStatus::Exhausted:
                return Check::OverBudget;
            case SearchStatus::Solved:
                break;
        }
        return solution.forced[At(move_.index)] == wanted ? Check::Forced : Check::NotForced;
    }

    // Numbers with no covered neighbour say nothing about covered cells.
    std::vector<int> Candidates() const {
        std::vector<int> candidates;
        for (int index = 0; index < position_.Size(); ++index) {
            bool touchesCovered = false;
            if (position_.IsNumber(index)) {
                position_.ForEachNeighbour(
                    index, [&](int next) { touchesCovered |= position_.IsCovered(next); });
            }
            if (touchesCovered) {
                candidates.push_back(index);
            }
        }
        return candidates;
    }

    // Without the mines left, only the numbers linked to the cell through shared covered
    // cells can matter.
    std::vector<int> Linked(const std::vector<char>& numbers) const {
        std::vector<char> reached(At(position_.Size()), 0);
        std::vector<int> coveredCells{move_.index};
        std::vector<int> linked;
        reached[At(move_.index)] = 1;
        for (std::size_t next = 0; next < coveredCells.size(); ++next) {
            position_.ForEachNeighbour(coveredCells[next], [&](int number) {
                if (numbers[At(number)] == 0 || reached[At(number)] != 0) {
                    return;
                }
                reached[At(number)] = 1;
                linked.push_back(number);
                position_.ForEachNeighbour(number, [&](int cell) {
                    if (position_.IsCovered(cell) && reached[At(cell)] == 0) {
                        reached[At(cell)] = 1;
                        coveredCells.push_back(cell);
                    }
                });
            });
        }
        return linked;
    }

    int Distance(int number) const {
        return std::max(std::abs(position_.RowOf(number) - position_.RowOf(move_.index)),
                        std::abs(position_.ColOf(number) - position_.ColOf(move_.index)));
    }

  private:
    const Position& position_;
    Move move_;
    long budget_;
};

}  // namespace

std::optional<Proof> Prove(const Position& position, const Analysis& analysis, const Move& move,
                           const Limits& limits) {
    if (move.index < 0 || move.index >= position.Size() || !position.IsCovered(move.index)) {
        return std::nullopt;
    }
    if (analysis.verdict != Verdict::CertainMoves || analysis.exhausted ||
        std::find(analysis.certain.begin(), analysis.certain.end(), move) ==
            analysis.certain.end()) {
        return std::nullopt;
    }
    const Prover prover(position, move, limits.nodeBudget);
    std::vector<int> kept = prover.Candidates();
    std::vector<char> numbers(At(position.Size()), 0);
    for (const int number : kept) {
        numbers[At(number)] = 1;
    }
    // The numbers alone first: a proof that needs no count is the easier one to follow.
    MinesLeft minesLeft = MinesLeft::Ignored;
    switch (prover.Forces(numbers, minesLeft)) {
        case Check::Forced:
            kept = prover.Linked(numbers);
            std::fill(numbers.begin(), numbers.end(), 0);
            for (const int number : kept) {
                numbers[At(number)] = 1;
            }
            break;
        case Check::NotForced:
            // Only the mines left can force it; with them every number must, or the analysis
            // handed in was not this position's.
            minesLeft = MinesLeft::Counted;
            if (prover.Forces(numbers, minesLeft) != Check::Forced) {
                return std::nullopt;
            }
            break;
        case Check::NoLayout:
        case Check::OverBudget:
            return std::nullopt;
    }
    // Far numbers are tried first, so the proof gathers around the cell.
    std::stable_sort(kept.begin(), kept.end(),
                     [&](int a, int b) { return prover.Distance(a) > prover.Distance(b); });
    for (const int number : kept) {
        numbers[At(number)] = 0;
        switch (prover.Forces(numbers, minesLeft)) {
            case Check::Forced:
                break;
            case Check::NotForced:
                numbers[At(number)] = 1;
                break;
            case Check::NoLayout:
            case Check::OverBudget:
                return std::nullopt;
        }
    }
    Proof proof;
    proof.usesMineCount = minesLeft == MinesLeft::Counted;
    for (int index = 0; index < position.Size(); ++index) {
        if (numbers[At(index)] != 0) {
            proof.numbers.push_back(index);
        }
    }
    return proof;
}

}  // namespace dravik::analysis
