#include "analysis/guess.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/constraints.h"
#include "analysis/ending.h"
#include "analysis/enumeration.h"

namespace dravik::analysis {

namespace {

// What a guess promises: the chance to survive it, then what follows as the score says.
struct Outlook {
    bool weighed = false;
    bool live = false;  // it may show two numbers or more
    double score = 0;
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
// the two lowest mine chances among the rest. Marks and the numbers are the same for every
// number the cell may show, so the weights compare once each is scaled back to whole layouts.
struct Lowest {
    int open = 0;  // undecided cells counted
    double lowest = 1;
    double second = 1;

    void Add(double mine) {
        ++open;
        second = std::min(second, std::max(lowest, mine));
        lowest = std::min(lowest, mine);
    }
};

struct Branch {
    bool possible = false;
    long double logWeight = 0;
    int safeCells = 0;
    Lowest chances;
};

// Every neighbour decided: uncovered, marked or certain. Such a cell's number is known before it
// is opened, so it is dead; a cheap test, not every dead cell passes it.
bool Settled(const Position& next, const Problem& problem, const Solution& solution, int cell) {
    bool settled = true;
    next.ForEachNeighbour(cell, [&](int around) {
        settled = settled &&
                  (!next.IsCovered(around) || problem.cells[At(around)] != CellState::Unknown ||
                   solution.forced[At(around)] != CellState::Unknown);
    });
    return settled;
}

Branch Follow(Position next, int cell, int number, long& budget, const GuessOptions& options) {
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
    Lowest every;  // dead cells too, for when no live one is left
    for (std::size_t c = 0; c < problem.cells.size(); ++c) {
        const bool unknown = problem.cells[c] == CellState::Unknown;
        if (problem.cells[c] == CellState::Safe ||
            (unknown && solution.forced[c] == CellState::Safe)) {
            ++branch.safeCells;
        }
        if (unknown) {
            off += problem.linkCount[c] == 0 ? 1 : 0;
            if (solution.forced[c] == CellState::Unknown) {
                const auto mine = static_cast<double>(solution.odds[c]);
                if (mine < every.second) {
                    every.Add(mine);
                }
                if (mine < branch.chances.second &&
                    !(options.deadCells && Settled(next, problem, solution, static_cast<int>(c)))) {
                    branch.chances.Add(mine);
                }
            }
        }
    }
    if (branch.chances.open == 0) {
        branch.chances = every;
    }
    branch.possible = true;
    branch.logWeight = std::log(solution.total) + LogChoose(off, std::min(off, problem.minesLeft));
    return branch;
}

// What follows a branch, as the score counts it: a certain cell is safety 1; a board with
// nothing left to open is won.
double Onward(const Branch& branch, Score score) {
    const Lowest& chances = branch.chances;
    const double best = branch.safeCells > 0 || chances.open == 0 ? 1 : 1 - chances.lowest;
    if (score == Score::TwoSteps) {
        return best;
    }
    double next = best;  // with one cell left, the second best is the best
    if (branch.safeCells > 1) {
        next = 1;
    } else if (branch.safeCells == 1 && chances.open > 0) {
        next = 1 - chances.lowest;
    } else if (branch.safeCells == 0 && chances.open > 1) {
        next = 1 - chances.second;
    }
    return 0.8 * best + 0.2 * next;
}

Outlook Weigh(const Position& position, const Odds& odds, long& budget,
              const GuessOptions& options) {
    std::vector<Branch> branches;
    for (int number = 0; number <= kMostNeighbours && budget > 0; ++number) {
        branches.push_back(Follow(position, odds.index, number, budget, options));
    }
    if (budget <= 0) {
        return {};
    }
    long double top = -INFINITY;
    int possible = 0;
    for (const Branch& branch : branches) {
        top = branch.possible ? std::max(top, branch.logWeight) : top;
        possible += branch.possible ? 1 : 0;
    }
    long double total = 0;
    long double onward = 0;
    long double reveals = 0;
    Outlook outlook;
    for (const Branch& branch : branches) {
        if (branch.possible) {
            const long double weight = std::exp(branch.logWeight - top);
            total += weight;
            onward += weight * Onward(branch, options.score);
            reveals += weight * branch.safeCells;
        }
    }
    outlook.weighed = total > 0;
    outlook.live = possible > 1;
    outlook.safe = 1.0 - odds.mine;
    outlook.score = outlook.weighed ? outlook.safe * static_cast<double>(onward / total) : 0;
    outlook.reveals = outlook.weighed ? static_cast<double>(reveals / total) : 0;
    return outlook;
}

int CoveredAround(const Position& position, int index) {
    int covered = 0;
    position.ForEachNeighbour(index, [&](int next) { covered += position.IsCovered(next); });
    return covered;
}

bool NextToNumber(const Position& position, int index) {
    bool next = false;
    position.ForEachNeighbour(index, [&](int around) { next = next || position.IsNumber(around); });
    return next;
}

// Two cells straight out from a number, across one covered cell: it shows a number that often
// settles that cell.
bool StraightOut(const Position& position, int index) {
    const int row = position.RowOf(index);
    const int col = position.ColOf(index);
    constexpr int kSteps[4][2] = {{-2, 0}, {2, 0}, {0, -2}, {0, 2}};
    for (const auto& step : kSteps) {
        const int r = row + step[0];
        const int c = col + step[1];
        if (r >= 0 && r < position.Rows() && c >= 0 && c < position.Cols() &&
            position.IsNumber(position.Index(r, c))) {
            return true;
        }
    }
    return false;
}

// The cells worth weighing, safest first; among equally safe ones those with fewer covered
// neighbours (a corner shows a 0 more often), then reading order. By ratio the list is longer
// than what is weighed: the best live safety, found while weighing, draws the line.
std::vector<Odds> Candidates(const Position& position, const Analysis& analysis,
                             const GuessOptions& options) {
    std::vector<Odds> candidates;
    const double lowest = analysis.odds.front().mine;
    if (options.candidacy == Candidacy::Margin) {
        for (const Odds& odds : analysis.odds) {
            if (odds.mine > lowest + options.margin) {
                break;
            }
            if (odds.mine < 1) {
                candidates.push_back(odds);
            }
        }
    } else {
        std::vector<Odds> away;
        for (const Odds& odds : analysis.odds) {
            if (odds.mine >= 1) {
                break;
            }
            (NextToNumber(position, odds.index) ? candidates : away).push_back(odds);
        }
        const double awayFloor = options.awayRatio * (1 - lowest);
        std::erase_if(away, [&](const Odds& odds) { return 1 - odds.mine <= awayFloor; });
        if (std::ssize(away) > options.awayMany) {
            std::erase_if(away, [&](const Odds& odds) {
                const int covered = CoveredAround(position, odds.index);
                return !StraightOut(position, odds.index) && covered != 2 && covered != 3;
            });
        }
        candidates.insert(candidates.end(), away.begin(), away.end());
    }
    std::stable_sort(candidates.begin(), candidates.end(), [&](const Odds& a, const Odds& b) {
        if (a.mine != b.mine) {
            return a.mine < b.mine;
        }
        return CoveredAround(position, a.index) < CoveredAround(position, b.index);
    });
    return candidates;
}

bool Better(const Outlook& a, const Outlook& b, const GuessOptions& options) {
    if (options.deadCells && a.live != b.live) {
        return a.live;
    }
    if (std::abs(a.score - b.score) > kSameChance) {
        return a.score > b.score;
    }
    const double safer = a.safe - b.safe;
    const double revealing = a.reveals - b.reveals;
    const bool blend = options.score == Score::Blend;
    if (std::abs(blend ? revealing : safer) > kSameChance) {
        return (blend ? revealing : safer) > 0;
    }
    return (blend ? safer : revealing) > kSameChance;
}

double MineChance(const Analysis& analysis, int index) {
    for (const Odds& odds : analysis.odds) {
        if (odds.index == index) {
            return odds.mine;
        }
    }
    return 1;
}

// The look-ahead over the candidates; -1 when none could be weighed.
int LookAhead(const Position& position, const Analysis& analysis, const GuessOptions& options) {
    long budget = options.lookAheadBudget;
    int choice = -1;
    Outlook best;
    double bestLive = -1;  // the safety of the safest live cell weighed
    int weighed = 0;
    for (const Odds& candidate : Candidates(position, analysis, options)) {
        const double safe = 1 - candidate.mine;
        if (options.candidacy == Candidacy::Ratio && bestLive >= 0) {
            if (safe < options.frontierRatio * bestLive) {
                break;  // safest first: none after it qualifies either
            }
            if (!NextToNumber(position, candidate.index) && safe <= options.awayRatio * bestLive) {
                continue;
            }
        }
        if (++weighed > options.candidates) {
            break;
        }
        const Outlook outlook = Weigh(position, candidate, budget, options);
        if (!outlook.weighed) {
            break;
        }
        if (bestLive < 0 && (outlook.live || !options.deadCells)) {
            bestLive = safe;
        }
        if (choice < 0 || Better(outlook, best, options)) {
            best = outlook;
            choice = candidate.index;
        }
    }
    return choice;
}

// A cell of two side by side that hold one mine between them and that nothing can tell apart:
// each neighbour of one but not the other is a mine, and a number next to both wants one more
// mine there and has no other undecided neighbour. -1 when there is no such pair.
int UnavoidablePair(const Position& position, const Analysis& analysis) {
    std::vector<double> chance(At(position.Size()), -1);
    for (const Odds& odds : analysis.odds) {
        chance[At(odds.index)] = odds.mine;
    }
    const auto undecided = [&](int cell) { return chance[At(cell)] > 0 && chance[At(cell)] < 1; };
    const auto mine = [&](int cell) { return position.IsMarked(cell) || chance[At(cell)] == 1; };
    const auto next = [&](int a, int b) {
        return a != b && std::abs(position.RowOf(a) - position.RowOf(b)) <= 1 &&
               std::abs(position.ColOf(a) - position.ColOf(b)) <= 1;
    };
    for (const Odds& odds : analysis.odds) {
        const int a = odds.index;
        if (!undecided(a)) {
            continue;
        }
        const int row = position.RowOf(a);
        const int col = position.ColOf(a);
        for (const int b : {col + 1 < position.Cols() ? a + 1 : -1,
                            row + 1 < position.Rows() ? a + position.Cols() : -1}) {
            if (b < 0 || !undecided(b)) {
                continue;
            }
            bool apart = false;
            bool oneMine = false;
            const auto look = [&](int around) {
                if (around == a || around == b) {
                    return;
                }
                if (next(around, a) != next(around, b)) {
                    apart = apart || !mine(around);
                } else if (position.IsNumber(around)) {
                    int missing = position.Number(around);
                    int open = 0;
                    position.ForEachNeighbour(around, [&](int cell) {
                        missing -= mine(cell) ? 1 : 0;
                        open += position.IsCovered(cell) && !mine(cell) ? 1 : 0;
                    });
                    oneMine = oneMine || (missing == 1 && open == 2);
                }
            };
            position.ForEachNeighbour(a, look);
            position.ForEachNeighbour(b, look);
            if (!apart && oneMine) {
                return a;
            }
        }
    }
    return -1;
}

}  // namespace

Guess ChooseGuess(const Position& position, const Analysis& analysis, const GuessOptions& options) {
    Guess guess;
    if (analysis.verdict != Verdict::GuessNeeded || analysis.odds.empty()) {
        return guess;
    }
    const Ending ending = PlayEnding(position, options.ending);
    if (ending.solved && ending.cell >= 0) {
        guess.cell = ending.cell;
    } else if (options.fiftyFiftyFirst) {
        guess.cell = UnavoidablePair(position, analysis);
    }
    if (guess.cell < 0) {
        guess.cell = LookAhead(position, analysis, options);
    }
    if (guess.cell < 0) {
        guess.cell = analysis.odds.front().index;
    }
    guess.mine = MineChance(analysis, guess.cell);
    if (analysis.odds.front().mine < guess.mine) {
        guess.safer = analysis.odds.front().index;
        guess.saferMine = analysis.odds.front().mine;
    }
    return guess;
}

std::vector<int> DeadCells(const Position& position, const Analysis& analysis, long budget) {
    std::vector<int> dead;
    for (const Odds& odds : analysis.odds) {
        int possible = 0;
        for (int number = 0; odds.mine > 0 && odds.mine < 1 && number <= kMostNeighbours &&
                             possible < 2 && budget > 0;
             ++number) {
            possible += Follow(position, odds.index, number, budget, {}).possible ? 1 : 0;
        }
        if (odds.mine > 0 && odds.mine < 1 && possible < 2 && budget > 0) {
            dead.push_back(odds.index);
        }
    }
    std::sort(dead.begin(), dead.end());
    return dead;
}

}  // namespace dravik::analysis
