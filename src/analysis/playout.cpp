#include "analysis/playout.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

#include "analysis/constraints.h"
#include "board/position.h"

namespace dravik::analysis {

Playout::Playout(int rows, int cols) : rows_(rows), cols_(cols), width_(cols + 2) {
    for (int dr = -1; dr <= 1; ++dr) {
        for (int dc = -1; dc <= 1; ++dc) {
            if (dr != 0 || dc != 0) {
                around_.push_back(dr * width_ + dc);
            }
        }
    }
    // For a number two steps away or closer: which of this cell's neighbours it sees too.
    for (int dr = -2; dr <= 2; ++dr) {
        for (int dc = -2; dc <= 2; ++dc) {
            if (dr == 0 && dc == 0) {
                continue;
            }
            Pair pair{dr * width_ + dc, 0, 0};
            int bit = 0;
            for (int ar = -1; ar <= 1; ++ar) {
                for (int ac = -1; ac <= 1; ++ac) {
                    if (ar == 0 && ac == 0) {
                        continue;
                    }
                    const bool seen = std::abs(ar - dr) <= 1 && std::abs(ac - dc) <= 1;
                    const bool sees = std::abs(ar + dr) <= 1 && std::abs(ac + dc) <= 1;
                    pair.sharedByFirst |= seen ? 1U << bit : 0U;
                    pair.sharedBySecond |= sees ? 1U << bit : 0U;
                    ++bit;
                }
            }
            pairs_.push_back(pair);
        }
    }
    // Two rows of wall above and below, two cells between one row and the next and two before the
    // first: a pair two steps away never leaves the grid.
    const std::size_t size = At((rows + 4) * width_ + 2);
    state_.assign(size, kWall);
    coveredAtStart_.assign(size, 0);
    mine_.assign(size, 0);
    number_.assign(size, 0);
    missing_.assign(size, 0);
    pairsDue_.assign(size, 0);
    for (int index = 0; index < rows * cols; ++index) {
        const int cell = Padded(index);
        for (std::size_t bit = 0; bit < around_.size(); ++bit) {
            coveredAtStart_[At(cell + around_[bit])] |= SeenFrom(bit);
        }
    }
}

void Playout::Reset(const std::vector<std::uint8_t>& mines) {
    std::fill(state_.begin(), state_.end(), kWall);
    std::fill(number_.begin(), number_.end(), 0);
    std::fill(mine_.begin(), mine_.end(), 0);
    covered_ = coveredAtStart_;
    mineCount_ = 0;
    for (int index = 0; index < rows_ * cols_; ++index) {
        const int cell = Padded(index);
        state_[At(cell)] = kCovered;
        if (mines[At(index)] != 0) {
            mine_[At(cell)] = 1;
            ++mineCount_;
            for (const int offset : around_) {
                ++number_[At(cell + offset)];
            }
        }
    }
    missing_ = number_;
    marked_ = 0;
    safeLeft_ = rows_ * cols_ - mineCount_;
    touched_.clear();
    pairCells_.clear();
    std::fill(pairsDue_.begin(), pairsDue_.end(), 0);
}

void Playout::Touch(int cell) {
    if (state_[At(cell)] == kOpen && covered_[At(cell)] != 0) {
        touched_.push_back(cell);
        if (pairsDue_[At(cell)] == 0) {
            pairsDue_[At(cell)] = 1;
            pairCells_.push_back(cell);
        }
    }
}

void Playout::Open(int cell) {
    flood_.assign(1, cell);
    while (!flood_.empty()) {
        const int next = flood_.back();
        flood_.pop_back();
        if (state_[At(next)] != kCovered) {
            continue;
        }
        state_[At(next)] = kOpen;
        --safeLeft_;
        for (std::size_t bit = 0; bit < around_.size(); ++bit) {
            const int neighbour = next + around_[bit];
            covered_[At(neighbour)] &= ~SeenFrom(bit);
            Touch(neighbour);
            if (number_[At(next)] == 0 && state_[At(neighbour)] == kCovered) {
                flood_.push_back(neighbour);
            }
        }
        Touch(next);
    }
}

void Playout::Mark(int cell) {
    state_[At(cell)] = kMarked;
    ++marked_;
    for (std::size_t bit = 0; bit < around_.size(); ++bit) {
        const int neighbour = cell + around_[bit];
        covered_[At(neighbour)] &= ~SeenFrom(bit);
        --missing_[At(neighbour)];
        Touch(neighbour);
    }
}

bool Playout::Apply(int cell, bool mine) {
    if (state_[At(cell)] != kCovered) {
        return true;
    }
    if ((mine_[At(cell)] != 0) != mine) {
        return false;
    }
    if (mine) {
        Mark(cell);
    } else {
        Open(cell);
    }
    return true;
}

bool Playout::Obvious() {
    while (!touched_.empty()) {
        const int cell = touched_.back();
        touched_.pop_back();
        const int covered = std::popcount(covered_[At(cell)]);
        const int missing = missing_[At(cell)];
        if (covered == 0 || (missing != 0 && missing != covered)) {
            continue;
        }
        for (const int offset : around_) {
            if (!Apply(cell + offset, missing != 0)) {
                return false;
            }
        }
    }
    return true;
}

bool Playout::ApplyAround(int cell, unsigned mask, bool mine) {
    for (std::size_t bit = 0; bit < around_.size(); ++bit) {
        if ((mask >> bit & 1U) != 0 && !Apply(cell + around_[bit], mine)) {
            return false;
        }
    }
    return true;
}

// The pairs rule: when one number misses as many more mines than the other as it has cells the
// other does not see, those cells are all mines and the cells only the other sees are all safe.
Playout::Step Playout::PairOf(int first, const Pair& pair) {
    const int second = first + pair.offset;
    const unsigned coveredByFirst = covered_[At(first)];
    if ((coveredByFirst & pair.sharedByFirst) == 0) {
        return Step::Nothing;  // nothing in common: the single-number rule has said it all
    }
    const unsigned onlyFirst = coveredByFirst & ~pair.sharedByFirst;
    const unsigned onlySecond = covered_[At(second)] & ~pair.sharedBySecond;
    if ((onlyFirst | onlySecond) == 0) {
        return Step::Nothing;
    }
    const int difference = missing_[At(first)] - missing_[At(second)];
    bool ok = true;
    if (difference == std::popcount(onlyFirst)) {
        ok = ApplyAround(first, onlyFirst, true) && ApplyAround(second, onlySecond, false);
    } else if (-difference == std::popcount(onlySecond)) {
        ok = ApplyAround(second, onlySecond, true) && ApplyAround(first, onlyFirst, false);
    } else {
        return Step::Nothing;
    }
    return ok ? Step::Progress : Step::Wrong;
}

// Only pairs with a number whose neighbourhood changed since the last pass can say anything new.
Playout::Step Playout::Pairs() {
    pass_.swap(pairCells_);
    pairCells_.clear();
    for (const int cell : pass_) {
        pairsDue_[At(cell)] = 0;
    }
    const auto live = [&](int cell) {
        return state_[At(cell)] == kOpen && covered_[At(cell)] != 0;
    };
    Step step = Step::Nothing;
    for (const int cell : pass_) {
        for (const Pair& pair : pairs_) {
            if (live(cell) && live(cell + pair.offset)) {
                const Step found = PairOf(cell, pair);
                if (found == Step::Wrong) {
                    return found;
                }
                step = found == Step::Progress ? found : step;
            }
        }
    }
    return step;
}

Playout::Step Playout::NoMinesLeft() {
    if (mineCount_ != marked_) {
        return Step::Nothing;
    }
    for (int index = 0; index < rows_ * cols_; ++index) {
        if (!Apply(Padded(index), false)) {
            return Step::Wrong;
        }
    }
    return Step::Progress;
}

Playout::Step Playout::Analysed(NodeBudget& budget) {
    if (budget.left <= 0) {
        return Step::Nothing;
    }
    Position position(rows_, cols_, mineCount_ - marked_);
    for (int index = 0; index < rows_ * cols_; ++index) {
        const int cell = Padded(index);
        if (state_[At(cell)] == kOpen) {
            position.SetNumber(index, number_[At(cell)]);
        } else if (state_[At(cell)] == kMarked) {
            position.SetMark(index, false);
        }
    }
    const Analysis analysis =
        Analyse(position,
                Limits{.nodeBudget = std::min(budget.perAnalysis, budget.left), .withOdds = false});
    budget.left -= analysis.nodes;
    for (const Move& move : analysis.certain) {
        if (!Apply(Padded(move.index), move.mine)) {
            return Step::Wrong;
        }
    }
    return analysis.certain.empty() ? Step::Nothing : Step::Progress;
}

bool Playout::Seen(int index) const {
    const int cell = Padded(index);
    return std::any_of(around_.begin(), around_.end(),
                       [&](int offset) { return state_[At(cell + offset)] == kOpen; });
}

bool Playout::OnFrontier(int index) const {
    return Unresolved(index) && Seen(index);
}

PlayoutEnd Playout::Play(const std::vector<std::uint8_t>& mines, int firstCell, NodeBudget& budget,
                         Rules rules) {
    Reset(mines);
    const int first = Padded(firstCell);
    if (mine_[At(first)] != 0) {
        return PlayoutEnd::Wrong;
    }
    Open(first);
    while (true) {
        if (!Obvious()) {
            return PlayoutEnd::Wrong;
        }
        if (safeLeft_ == 0) {
            return PlayoutEnd::Solved;
        }
        Step step = Pairs();
        if (step == Step::Nothing) {
            step = NoMinesLeft();
        }
        if (step == Step::Nothing && rules == Rules::WithAnalysis) {
            step = Analysed(budget);
        }
        if (step == Step::Wrong) {
            return PlayoutEnd::Wrong;
        }
        if (step == Step::Nothing) {
            return PlayoutEnd::Standstill;
        }
    }
}

}  // namespace dravik::analysis
