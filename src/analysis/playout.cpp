#include "analysis/playout.h"

#include <algorithm>
#include <cstdlib>

#include "board/position.h"

namespace dravik::analysis {

namespace {

std::size_t At(int cell) {
    return static_cast<std::size_t>(cell);
}

}  // namespace

Playout::Playout(int rows, int cols) : rows_(rows), cols_(cols), width_(cols + 2) {
    for (int dr = -2; dr <= 2; ++dr) {
        for (int dc = -2; dc <= 2; ++dc) {
            if (dr == 0 && dc == 0) {
                continue;
            }
            within2_.push_back(dr * width_ + dc);
            if (std::abs(dr) <= 1 && std::abs(dc) <= 1) {
                around_.push_back(dr * width_ + dc);
            }
        }
    }
    // Two rows of wall above and below and one column each side (a step off one side lands on
    // the other side's wall): a pair two steps away never leaves the grid.
    const std::size_t size = At((rows + 4) * width_);
    state_.assign(size, kWall);
    coveredAtStart_.assign(size, 0);
    mine_.assign(size, 0);
    number_.assign(size, 0);
    missing_.assign(size, 0);
    covered_.assign(size, 0);
    for (int index = 0; index < rows * cols; ++index) {
        const int cell = Padded(index);
        for (const int offset : around_) {
            ++coveredAtStart_[At(cell + offset)];
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
}

void Playout::Touch(int cell) {
    if (state_[At(cell)] == kOpen && covered_[At(cell)] > 0) {
        touched_.push_back(cell);
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
        for (const int offset : around_) {
            const int neighbour = next + offset;
            --covered_[At(neighbour)];
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
    for (const int offset : around_) {
        const int neighbour = cell + offset;
        --covered_[At(neighbour)];
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
        const int covered = covered_[At(cell)];
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

// The pairs rule: when first misses as many more mines than second as it has cells second does
// not see, those cells are all mines and the cells only second sees are all safe.
bool Playout::PairOf(int first, int second, bool& progressed) {
    int onlyFirst = 0;
    for (const int offset : around_) {
        const int cell = first + offset;
        if (state_[At(cell)] == kCovered && !Adjacent(cell, second)) {
            ++onlyFirst;
        }
    }
    if (missing_[At(first)] - missing_[At(second)] != onlyFirst) {
        return true;
    }
    const auto decide = [&](int from, int other, bool mine) {
        for (const int offset : around_) {
            const int cell = from + offset;
            if (state_[At(cell)] == kCovered && !Adjacent(cell, other)) {
                if (!Apply(cell, mine)) {
                    return false;
                }
                progressed = true;
            }
        }
        return true;
    };
    return decide(first, second, true) && decide(second, first, false);
}

bool Playout::Pairs(bool& progressed) {
    for (int cell = 2 * width_; cell < (rows_ + 2) * width_; ++cell) {
        if (state_[At(cell)] != kOpen || covered_[At(cell)] == 0) {
            continue;
        }
        for (const int offset : within2_) {
            const int other = cell + offset;
            if (state_[At(other)] == kOpen && covered_[At(other)] > 0 &&
                covered_[At(cell)] > 0 && !PairOf(cell, other, progressed)) {
                return false;
            }
        }
        if (progressed) {
            return true;
        }
    }
    return true;
}

bool Playout::Analysed(long perAnalysis, long& nodesLeft, bool& progressed) {
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
        Analyse(position, Limits{.nodeBudget = std::min(perAnalysis, nodesLeft), .withOdds = false});
    nodesLeft -= analysis.nodes;
    for (const Move& move : analysis.certain) {
        if (!Apply(Padded(move.index), move.mine)) {
            return false;
        }
        progressed = true;
    }
    return true;
}

bool Playout::Solves(const std::vector<std::uint8_t>& mines, int firstCell, long perAnalysis,
                     long& nodesLeft) {
    Reset(mines);
    const int first = Padded(firstCell);
    if (mine_[At(first)] != 0) {
        return false;
    }
    Open(first);
    while (true) {
        if (!Obvious()) {
            return false;
        }
        if (safeLeft_ == 0) {
            return true;
        }
        bool progressed = false;
        if (!Pairs(progressed)) {
            return false;
        }
        if (!progressed &&
            (nodesLeft <= 0 || !Analysed(perAnalysis, nodesLeft, progressed) || !progressed)) {
            return false;
        }
    }
}

}  // namespace dravik::analysis
