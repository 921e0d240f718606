#include "analysis/guess.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/constraints.h"
#include "analysis/ending.h"
#include "analysis/enumeration.h"

namespace dravik::analysis {

namespace {

// What a guess promises: the chance to survive it and then either meet a certain move or
// survive the safest guess after it.
struct Outlook {
    bool weighed = false;
    double twoSteps = 0;
    double safe = 0;
    double reveals = 0;  // certain safe cells expected after it
};

// A sum of logs rather than lgamma, which writes a global and so is no friend of threads.
long double LogChoose(int n, int k) {
    k = std::min(k, n - k);
    long double sum = 0;
    for (int i = 1; i <= k; ++i) {
        sum += std::log(static_cast<long double>(n - k + i) / static_cast<long double>(i));
    }
    return sum;
}

// The position after `cell` shows `number`: the log of its weight, the certain safe cells and
// the lowest mine chance among the rest. Marks and the numbers are the same for every number
// the cell may show, so the weights compare once each is scaled back to whole layouts.
struct Branch {
    bool possible = false;
    long double logWeight = 0;
    int safeCells = 0;
    double lowest = 1;
};

Branch Follow(Position next, int cell, int number, long& budget) {
    Branch branch;
    next.SetNumber(cell, number);
    const Problem problem = BuildAndPropagate(next, Rules::SingleNumberAndPairs);
    if (problem.Contradicted()) {
        return branch;
    }
    const Solution solution =
        Enumerate(problem, {.nodeBudget = budget, .useMinesLeft = true, .wantOdds = true});
    budget -= solution.nodes;
    if (solution.status != SearchStatus::Solved || solution.total <= 0) {
        budget = solution.status == SearchStatus::Exhausted ? -1 : budget;
        return branch;
    }
    int off = 0;
    for (std::size_t c = 0; c < problem.cells.size(); ++c) {
        if (problem.cells[c] == CellState::Safe) {
            ++branch.safeCells;
        } else if (problem.cells[c] == CellState::Unknown) {
            off += problem.linkCount[c] == 0 ? 1 : 0;
            if (solution.forced[c] == CellState::Safe) {
                ++branch.safeCells;
            } else if (solution.forced[c] == CellState::Unknown) {
                branch.lowest = std::min(branch.lowest, static_cast<double>(solution.odds[c]));
            }
        }
    }
    if (branch.safeCells == 0 && branch.lowest == 1) {
        branch.lowest = 0;  // only mines left: the board is clear
    }
    branch.possible = true;
    branch.logWeight = std::log(solution.total) + LogChoose(off, std::min(off, problem.minesLeft));
    return branch;
}

Outlook Weigh(const Position& position, const Odds& odds, long& budget) {
    std::vector<Branch> branches;
    for (int number = 0; number <= kMostNeighbours && budget > 0; ++number) {
        branches.push_back(Follow(position, odds.index, number, budget));
    }
    if (budget <= 0) {
        return {};
    }
    long double top = -INFINITY;
    for (const Branch& branch : branches) {
        top = branch.possible ? std::max(top, branch.logWeight) : top;
    }
    long double total = 0;
    long double onward = 0;
    long double reveals = 0;
    for (const Branch& branch : branches) {
        if (branch.possible) {
            const long double weight = std::exp(branch.logWeight - top);
            total += weight;
            onward += weight * (branch.safeCells > 0 ? 1.0 : 1.0 - branch.lowest);
            reveals += weight * branch.safeCells;
        }
    }
    Outlook outlook;
    outlook.weighed = total > 0;
    outlook.safe = 1.0 - odds.mine;
    outlook.twoSteps = outlook.weighed ? outlook.safe * static_cast<double>(onward / total) : 0;
    outlook.reveals = outlook.weighed ? static_cast<double>(reveals / total) : 0;
    return outlook;
}

int CoveredAround(const Position& position, int index) {
    int covered = 0;
    position.ForEachNeighbour(index, [&](int next) { covered += position.IsCovered(next); });
    return covered;
}

// The safest cells first; among equally safe ones those with fewer covered neighbours (a
// corner shows a 0 more often), then reading order.
std::vector<Odds> Candidates(const Position& position, const Analysis& analysis,
                             const GuessLimits& limits) {
    std::vector<Odds> candidates;
    const double lowest = analysis.odds.front().mine;
    for (const Odds& odds : analysis.odds) {
        if (odds.mine > lowest + limits.margin) {
            break;
        }
        if (odds.mine < 1) {
            candidates.push_back(odds);
        }
    }
    std::stable_sort(candidates.begin(), candidates.end(), [&](const Odds& a, const Odds& b) {
        if (a.mine != b.mine) {
            return a.mine < b.mine;
        }
        return CoveredAround(position, a.index) < CoveredAround(position, b.index);
    });
    if (candidates.size() > At(limits.candidates)) {
        candidates.resize(At(limits.candidates));
    }
    return candidates;
}

bool Better(const Outlook& a, const Outlook& b) {
    constexpr double kSame = 1e-9;
    if (std::abs(a.twoSteps - b.twoSteps) > kSame) {
        return a.twoSteps > b.twoSteps;
    }
    if (std::abs(a.safe - b.safe) > kSame) {
        return a.safe > b.safe;
    }
    return a.reveals > b.reveals + kSame;
}

double MineChance(const Analysis& analysis, int index) {
    for (const Odds& odds : analysis.odds) {
        if (odds.index == index) {
            return odds.mine;
        }
    }
    return 1;
}

}  // namespace

Guess ChooseGuess(const Position& position, const Analysis& analysis, const GuessLimits& limits) {
    Guess guess;
    if (analysis.verdict != Verdict::GuessNeeded || analysis.odds.empty()) {
        return guess;
    }
    const Ending ending = PlayEnding(position, limits.endingBudget, limits.endingLayouts);
    guess.work = ending.work;
    if (ending.solved && ending.cell >= 0) {
        guess.cell = ending.cell;
    } else {
        long budget = limits.lookAheadBudget;
        Outlook best;
        for (const Odds& candidate : Candidates(position, analysis, limits)) {
            const Outlook outlook = Weigh(position, candidate, budget);
            if (!outlook.weighed) {
                break;
            }
            if (guess.cell < 0 || Better(outlook, best)) {
                best = outlook;
                guess.cell = candidate.index;
            }
        }
        guess.work += limits.lookAheadBudget - std::max(budget, 0L);
        if (guess.cell < 0) {
            guess.cell = analysis.odds.front().index;
        }
    }
    guess.mine = MineChance(analysis, guess.cell);
    if (analysis.odds.front().mine < guess.mine) {
        guess.safer = analysis.odds.front().index;
        guess.saferMine = analysis.odds.front().mine;
    }
    return guess;
}

}  // namespace dravik::analysis
