#include "analysis/analysis.h"

#include <algorithm>

#include "analysis/constraints.h"
#include "analysis/enumeration.h"

namespace dravik::analysis {

namespace {

std::vector<Move> ReadingOrder(const Problem& problem) {
    std::vector<Move> moves;
    moves.reserve(problem.decided.size());
    for (const int cell : problem.decided) {
        moves.push_back(Move{cell, problem.cells[At(cell)] == CellState::Mine});
    }
    std::sort(moves.begin(), moves.end(),
              [](const Move& a, const Move& b) { return a.index < b.index; });
    return moves;
}

std::vector<Move> RuleMoves(const Position& position, Rules rules) {
    const Problem problem = BuildAndPropagate(position, rules);
    if (problem.Contradicted()) {
        return {};
    }
    return ReadingOrder(problem);
}

// When only the count fails, a number that touches a mark comes first: over-marking is the
// usual cause. Without any number there is nothing to name.
int NumberToBlame(const Position& position, int fromSearch) {
    if (fromSearch >= 0) {
        return fromSearch;
    }
    int first = -1;
    for (int index = 0; index < position.Size(); ++index) {
        if (!position.IsNumber(index)) {
            continue;
        }
        bool touchesMark = false;
        position.ForEachNeighbour(index, [&](int next) { touchesMark |= position.IsMarked(next); });
        if (touchesMark) {
            return index;
        }
        if (first < 0) {
            first = index;
        }
    }
    return first;
}

void FillOdds(const Problem& problem, const Solution& solution, Analysis& analysis) {
    analysis.odds.reserve(static_cast<std::size_t>(problem.covered));
    for (std::size_t cell = 0; cell < problem.cells.size(); ++cell) {
        double mine = 0;
        switch (problem.cells[cell]) {
            case CellState::Open:
                continue;
            case CellState::Mine:
                mine = 1;
                break;
            case CellState::Safe:
                break;
            case CellState::Unknown:
                mine = solution.forced[cell] == CellState::Mine ? 1.0
                       : solution.forced[cell] == CellState::Safe
                           ? 0.0
                           : static_cast<double>(solution.odds[cell]);
                break;
        }
        analysis.odds.push_back(Odds{static_cast<int>(cell), mine});
    }
    std::sort(analysis.odds.begin(), analysis.odds.end(), [](const Odds& a, const Odds& b) {
        return a.mine < b.mine || (a.mine == b.mine && a.index < b.index);
    });
}

}  // namespace

std::vector<Move> ObviousMoves(const Position& position) {
    return RuleMoves(position, Rules::SingleNumber);
}

std::vector<Move> PairsMoves(const Position& position) {
    return RuleMoves(position, Rules::SingleNumberAndPairs);
}

Analysis Analyse(const Position& position, const Limits& limits) {
    Analysis analysis;
    const Problem problem = BuildAndPropagate(position, Rules::SingleNumberAndPairs);
    if (problem.Contradicted()) {
        analysis.verdict = Verdict::Contradiction;
        analysis.unsatisfiable = problem.unsatisfiable;
        return analysis;
    }
    // The odds are worked out even when not asked for: a guess needs them, and whether one is
    // needed is known only at the end.
    const Solution solution = Enumerate(
        problem, {.nodeBudget = limits.nodeBudget, .useMinesLeft = true, .wantOdds = true});
    analysis.nodes = solution.nodes;
    if (solution.status == SearchStatus::Contradiction) {
        analysis.verdict = Verdict::Contradiction;
        analysis.unsatisfiable = NumberToBlame(position, solution.unsatisfiable);
        return analysis;
    }
    if (problem.covered == 0) {
        analysis.verdict = Verdict::NothingLeft;
        return analysis;
    }
    analysis.certain = ReadingOrder(problem);
    for (std::size_t cell = 0; cell < problem.cells.size(); ++cell) {
        if (problem.cells[cell] == CellState::Unknown &&
            solution.forced[cell] != CellState::Unknown) {
            analysis.certain.push_back(
                Move{static_cast<int>(cell), solution.forced[cell] == CellState::Mine});
        }
    }
    std::inplace_merge(
        analysis.certain.begin(),
        analysis.certain.begin() + static_cast<std::ptrdiff_t>(problem.decided.size()),
        analysis.certain.end(), [](const Move& a, const Move& b) { return a.index < b.index; });
    if (solution.status == SearchStatus::Exhausted) {
        analysis.exhausted = true;
        analysis.verdict = analysis.certain.empty() ? Verdict::Undetermined : Verdict::CertainMoves;
        return analysis;
    }
    analysis.verdict = analysis.certain.empty() ? Verdict::GuessNeeded : Verdict::CertainMoves;
    if (analysis.verdict == Verdict::GuessNeeded || limits.withOdds) {
        FillOdds(problem, solution, analysis);
    }
    return analysis;
}

}  // namespace dravik::analysis
