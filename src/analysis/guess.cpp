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
    std::vector<Odds> safest;  // the safest live cells, when asked for
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

Branch Follow(Position next, int cell, int number, long& budget, const GuessOptions& options,
              int keep = 0) {
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
                const bool live =
                    !(options.deadCells && Settled(next, problem, solution, static_cast<int>(c)));
                if (mine < branch.chances.second && live) {
                    branch.chances.Add(mine);
                }
                if (keep > 0 && live) {
                    branch.safest.push_back({static_cast<int>(c), mine});
                }
            }
        }
    }
    if (branch.chances.open == 0) {
        branch.chances = every;
    }
    if (std::ssize(branch.safest) > keep) {
        const auto by = [](const Odds& a, const Odds& b) {
            return a.mine != b.mine ? a.mine < b.mine : a.index < b.index;
        };
        std::partial_sort(branch.safest.begin(), branch.safest.begin() + keep, branch.safest.end(),
                          by);
        branch.safest.resize(At(keep));
    }
    branch.possible = true;
    branch.logWeight = std::log(solution.total) + LogChoose(off, std::min(off, problem.minesLeft));
    return branch;
}

// What follows a branch, as the score counts it: a certain cell is safety 1; a board with
// nothing left to open is won.
double Onward(const Branch& branch, const GuessOptions& options) {
    const Lowest& chances = branch.chances;
    const double best = branch.safeCells > 0 || chances.open == 0 ? 1 : 1 - chances.lowest;
    if (options.score == Score::TwoSteps) {
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
    return (1 - options.secondShare) * best + options.secondShare * next;
}

Outlook Weigh(const Position& position, const Odds& odds, long& budget, const GuessOptions& options,
              bool deeper = false);

// A branch's worth one level deeper: the best score of its safest live cells weighed as guesses
// in turn. A branch with a certain cell keeps the first level's worth (about 1), so the deeper
// level also favours guesses whose numbers lead on without another guess. -1 when the budget ran
// out.
double Deeper(const Position& position, int cell, int number, const Branch& branch, long& budget,
              const GuessOptions& options) {
    if (branch.safeCells > 0 || branch.chances.open == 0 || branch.safest.empty()) {
        return Onward(branch, options);
    }
    Position next = position;
    next.SetNumber(cell, number);
    double best = 0;
    for (const Odds& odds : branch.safest) {
        const Outlook outlook = Weigh(next, odds, budget, options);
        if (!outlook.weighed) {
            return -1;
        }
        best = std::max(best, outlook.score);
    }
    return best;
}

Outlook Weigh(const Position& position, const Odds& odds, long& budget, const GuessOptions& options,
              bool deeper) {
    std::vector<Branch> branches;
    const int keep = deeper ? options.deeperCells : 0;
    for (int number = 0; number <= kMostNeighbours && budget > 0; ++number) {
        branches.push_back(Follow(position, odds.index, number, budget, options, keep));
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
    for (std::size_t number = 0; number < branches.size(); ++number) {
        const Branch& branch = branches[number];
        if (branch.possible) {
            const long double weight = std::exp(branch.logWeight - top);
            total += weight;
            const double worth = deeper ? Deeper(position, odds.index, static_cast<int>(number),
                                                 branch, budget, options)
                                        : Onward(branch, options);
            if (worth < 0) {
                return {};
            }
            onward += weight * worth;
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
std::vector<Odds> Candidates(const Position& position, const std::vector<Odds>& cells,
                             const GuessOptions& options) {
    std::vector<Odds> candidates;
    const double lowest = cells.front().mine;
    if (options.candidacy == Candidacy::Margin) {
        for (const Odds& odds : cells) {
            if (odds.mine > lowest + options.margin) {
                break;
            }
            if (odds.mine < 1) {
                candidates.push_back(odds);
            }
        }
    } else {
        std::vector<Odds> away;
        for (const Odds& odds : cells) {
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

std::vector<double> BreakBonus(const Position& position, const Analysis& analysis,
                               const GuessOptions& options);
std::vector<int> PocketSizes(const Position& position);

// The cells the look-ahead may weigh: those in small pockets only when no other is left.
std::vector<Odds> Eligible(const Position& position, const Analysis& analysis,
                           const GuessOptions& options) {
    std::vector<Odds> cells = analysis.odds;
    if (options.smallPocket > 0) {
        const std::vector<int> pockets = PocketSizes(position);
        std::vector<Odds> open;
        for (const Odds& odds : cells) {
            if (pockets[At(odds.index)] >= options.smallPocket) {
                open.push_back(odds);
            }
        }
        if (std::any_of(open.begin(), open.end(), [](const Odds& odds) { return odds.mine < 1; })) {
            cells = std::move(open);
        }
    }
    return cells;
}

// The look-ahead over the candidates; -1 when none could be weighed.
int LookAhead(const Position& position, const Analysis& analysis, const GuessOptions& options) {
    long budget = options.lookAheadBudget;
    int choice = -1;
    Outlook best;
    double bestLive = -1;  // the safety of the safest live cell weighed
    int weighed = 0;
    const std::vector<Odds> cells = Eligible(position, analysis, options);
    const std::vector<double> bonus = BreakBonus(position, analysis, options);
    std::vector<std::pair<Outlook, Odds>> weighedCells;
    for (const Odds& candidate : Candidates(position, cells, options)) {
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
        Outlook outlook = Weigh(position, candidate, budget, options);
        outlook.score *= bonus[At(candidate.index)];
        if (!outlook.weighed) {
            break;
        }
        if (bestLive < 0 && (outlook.live || !options.deadCells)) {
            bestLive = safe;
        }
        if (options.deeperCandidates > 0) {
            weighedCells.push_back({outlook, candidate});
        }
        if (choice < 0 || Better(outlook, best, options)) {
            best = outlook;
            choice = candidate.index;
        }
    }
    if (options.deeperCandidates <= 0 || weighedCells.size() < 2) {
        return choice;
    }
    // The few best weighed once more, each branch scored by the best guess in it: the first
    // level's blend guesses what follows, this one plays it.
    std::stable_sort(weighedCells.begin(), weighedCells.end(), [&](const auto& a, const auto& b) {
        if (options.deadCells && a.first.live != b.first.live) {
            return a.first.live;
        }
        return a.first.score > b.first.score;
    });
    weighedCells.resize(std::min(weighedCells.size(), At(options.deeperCandidates)));
    long deeperBudget = options.lookAheadBudget;
    int deepChoice = -1;
    double deepBest = -1;
    for (const auto& [outlook, candidate] : weighedCells) {
        if (options.deadCells && outlook.live != weighedCells.front().first.live) {
            break;
        }
        const Outlook deep = Weigh(position, candidate, deeperBudget, options, true);
        if (!deep.weighed) {
            return choice;
        }
        const double score = deep.score * bonus[At(candidate.index)];
        if (score > deepBest + kSameChance) {
            deepBest = score;
            deepChoice = candidate.index;
        }
    }
    return deepChoice >= 0 ? deepChoice : choice;
}

FiftyFiftyShapes Shapes(const GuessOptions& options) {
    return options.fiftyFiftyBlocks ? FiftyFiftyShapes::PairsAndBlocks : FiftyFiftyShapes::Pairs;
}

// Pairs and 2 x 2 blocks of undecided cells whose mines the numbers fix up to a swap: a pair
// holds one mine (a number next to both wants one more and has no other undecided neighbour), a
// block two on a diagonal (three of its four sides are such pairs). Only its tellers, the outside
// cells next to some of its cells but seeing the two ways differently (for a pair the neighbours
// of one cell only, for a block its four outer corners), can tell the ways apart; when each of
// them is a mine or off the board nothing ever will.
class FiftyFifties {
  public:
    FiftyFifties(const Position& position, const Analysis& analysis)
        : position_(position), chance_(At(position.Size()), -1) {
        for (const Odds& odds : analysis.odds) {
            chance_[At(odds.index)] = odds.mine;
        }
    }

    double Chance(int cell) const { return chance_[At(cell)]; }

    // Calls found(cells, tellers) with the tellers still undecided, none of them uncovered.
    template <typename Found>
    void ForEach(FiftyFiftyShapes shapes, Found&& found) const {
        const bool blocks = shapes == FiftyFiftyShapes::PairsAndBlocks;
        const int cols = position_.Cols();
        std::vector<int> tellers;
        for (int a = 0; a < position_.Size(); ++a) {
            if (!Undecided(a)) {
                continue;
            }
            const int row = position_.RowOf(a);
            const int col = position_.ColOf(a);
            for (const int b :
                 {col + 1 < cols ? a + 1 : -1, row + 1 < position_.Rows() ? a + cols : -1}) {
                if (b >= 0 && Undecided(b) && OneMine(a, b) && PairTellers(a, b, tellers)) {
                    found(std::vector<int>{a, b}, tellers);
                }
            }
        }
        for (int a = 0; blocks && a < position_.Size(); ++a) {
            const int row = position_.RowOf(a);
            const int col = position_.ColOf(a);
            if (row + 1 >= position_.Rows() || col + 1 >= cols) {
                continue;
            }
            const std::vector<int> block{a, a + 1, a + cols, a + cols + 1};
            if (!std::all_of(block.begin(), block.end(),
                             [&](int cell) { return Undecided(cell); })) {
                continue;
            }
            const int sides =
                (OneMine(a, a + 1) ? 1 : 0) + (OneMine(a + cols, a + cols + 1) ? 1 : 0) +
                (OneMine(a, a + cols) ? 1 : 0) + (OneMine(a + 1, a + cols + 1) ? 1 : 0);
            if (sides < 3) {
                continue;
            }
            tellers.clear();
            bool open = true;
            for (const auto& [r, c] : {std::pair{row - 1, col - 1}, std::pair{row - 1, col + 2},
                                       std::pair{row + 2, col - 1}, std::pair{row + 2, col + 2}}) {
                if (r >= 0 && r < position_.Rows() && c >= 0 && c < cols) {
                    open = open && Teller(position_.Index(r, c), tellers);
                }
            }
            if (open) {
                found(block, tellers);
            }
        }
    }

  private:
    bool Undecided(int cell) const { return Chance(cell) > 0 && Chance(cell) < 1; }
    bool Mine(int cell) const { return position_.IsMarked(cell) || Chance(cell) == 1; }

    bool Next(int a, int b) const {
        return Adjacent(position_.RowOf(a), position_.ColOf(a), position_.RowOf(b),
                        position_.ColOf(b));
    }

    // A mine tells nothing; an undecided cell is a teller; an uncovered one spoils it.
    bool Teller(int cell, std::vector<int>& tellers) const {
        if (Mine(cell)) {
            return true;
        }
        if (position_.IsCovered(cell) && Undecided(cell)) {
            if (std::find(tellers.begin(), tellers.end(), cell) == tellers.end()) {
                tellers.push_back(cell);
            }
            return true;
        }
        return false;
    }

    bool PairTellers(int a, int b, std::vector<int>& tellers) const {
        tellers.clear();
        bool open = true;
        const auto look = [&](int around) {
            if (around != a && around != b && Next(around, a) != Next(around, b)) {
                open = open && Teller(around, tellers);
            }
        };
        position_.ForEachNeighbour(a, look);
        position_.ForEachNeighbour(b, look);
        return open;
    }

    // A number next to both wants one more mine and has no other undecided neighbour.
    bool OneMine(int a, int b) const {
        bool one = false;
        position_.ForEachNeighbour(a, [&](int around) {
            if (one || !position_.IsNumber(around) || !Next(around, b)) {
                return;
            }
            int missing = position_.Number(around);
            int open = 0;
            position_.ForEachNeighbour(around, [&](int cell) {
                missing -= Mine(cell) ? 1 : 0;
                open += position_.IsCovered(cell) && !Mine(cell) ? 1 : 0;
            });
            one = missing == 1 && open == 2;
        });
        return one;
    }

    const Position& position_;
    std::vector<double> chance_;
};

// How much more each cell scores for telling forming 50/50s apart: a teller breaks one when it
// is safe and every other teller of it is a mine (their chances taken as independent).
std::vector<double> BreakBonus(const Position& position, const Analysis& analysis,
                               const GuessOptions& options) {
    std::vector<double> bonus(At(position.Size()), 1);
    if (options.breakBonus <= 0) {
        return bonus;
    }
    const FiftyFifties fifties(position, analysis);
    fifties.ForEach(Shapes(options), [&](const std::vector<int>&, const std::vector<int>& tellers) {
        for (const int teller : tellers) {
            double share = 1;
            for (const int other : tellers) {
                share *= other == teller ? 1 : fifties.Chance(other);
            }
            double& cell = bonus[At(teller)];
            cell = std::max(cell, 1 + options.breakBonus * share);
        }
    });
    return bonus;
}

// Each covered cell's enclosed area: the covered cells (marks too) reachable from it through
// covered neighbours, counted.
std::vector<int> PocketSizes(const Position& position) {
    std::vector<int> size(At(position.Size()), 0);
    std::vector<int> area;
    for (int start = 0; start < position.Size(); ++start) {
        if (size[At(start)] != 0 || position.IsNumber(start)) {
            continue;
        }
        area.assign(1, start);
        size[At(start)] = -1;
        for (std::size_t at = 0; at < area.size(); ++at) {
            position.ForEachNeighbour(area[at], [&](int next) {
                if (size[At(next)] == 0 && !position.IsNumber(next)) {
                    size[At(next)] = -1;
                    area.push_back(next);
                }
            });
        }
        for (const int cell : area) {
            size[At(cell)] = static_cast<int>(area.size());
        }
    }
    return size;
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
        const auto fifties = UnavoidableFiftyFifties(position, analysis, Shapes(options));
        guess.cell = fifties.empty() ? -1 : fifties.front().front();
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

std::vector<std::vector<int>> UnavoidableFiftyFifties(const Position& position,
                                                      const Analysis& analysis,
                                                      FiftyFiftyShapes shapes) {
    std::vector<std::vector<int>> found;
    FiftyFifties(position, analysis)
        .ForEach(shapes, [&](const std::vector<int>& cells, const std::vector<int>& tellers) {
            if (tellers.empty()) {
                found.push_back(cells);
            }
        });
    return found;
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
