#include "analysis/ending.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

#include "analysis/constraints.h"

namespace dravik::analysis {

namespace {

using Mask = std::uint64_t;
constexpr int kMostCells = 64;

struct OutOfWork {};

// The covered cells as bits, each number as the mask of its covered neighbours and the mines
// still missing there.
struct Field {
    std::vector<int> cells;    // bit -> position index
    std::vector<Mask> around;  // bit -> its covered neighbours
    std::vector<std::pair<Mask, int>> numbers;
    int mines = 0;
};

Field ReadField(const Position& position) {
    Field field;
    std::vector<int> bitOf(At(position.Size()), -1);
    for (int index = 0; index < position.Size(); ++index) {
        if (position.IsCovered(index)) {
            bitOf[At(index)] = static_cast<int>(field.cells.size());
            field.cells.push_back(index);
        }
    }
    if (field.cells.size() > kMostCells) {
        return field;
    }
    const auto coveredAround = [&](int index, int& marks) {
        Mask mask = 0;
        position.ForEachNeighbour(index, [&](int next) {
            marks += position.IsMarked(next) ? 1 : 0;
            mask |= bitOf[At(next)] >= 0 ? Mask{1} << bitOf[At(next)] : 0;
        });
        return mask;
    };
    for (const int index : field.cells) {
        int marks = 0;
        field.around.push_back(coveredAround(index, marks));
    }
    for (int index = 0; index < position.Size(); ++index) {
        int marks = 0;
        const Mask mask = position.IsNumber(index) ? coveredAround(index, marks) : 0;
        if (mask != 0 || (position.IsNumber(index) && position.Number(index) != marks)) {
            field.numbers.emplace_back(mask, position.Number(index) - marks);
        }
    }
    field.mines = position.MinesLeft();
    return field;
}

// Every layout of the mines left over the covered cells that fits the numbers; false when there
// are more than `most` or the work ran out.
class Layouts {
  public:
    Layouts(const Field& field, long& work, long budget, int most)
        : field_(field), work_(work), budget_(budget), most_(most) {}

    bool List(std::vector<Mask>& out) {
        out_ = &out;
        return Place(0, 0, field_.mines);
    }

  private:
    bool Fits(Mask decided, Mask mines) const {
        for (const auto& [mask, need] : field_.numbers) {
            const int have = std::popcount(mines & mask);
            const int open = std::popcount(mask & ~decided);
            if (have > need || have + open < need) {
                return false;
            }
        }
        return true;
    }

    bool Place(int bit, Mask mines, int left) {
        if (++work_ > budget_) {
            return false;
        }
        const int cells = static_cast<int>(field_.cells.size());
        const Mask decided = bit >= kMostCells ? ~Mask{0} : (Mask{1} << bit) - 1;
        if (left < 0 || left > cells - bit || !Fits(decided, mines)) {
            return true;
        }
        if (bit == cells) {
            out_->push_back(mines);
            return static_cast<int>(out_->size()) <= most_;
        }
        return Place(bit + 1, mines, left) && Place(bit + 1, mines | Mask{1} << bit, left - 1);
    }

    const Field& field_;
    long& work_;
    long budget_;
    int most_;
    std::vector<Mask>* out_ = nullptr;
};

// The best chance to uncover every safe cell from a set of layouts still possible, with the
// cells uncovered so far. A cell safe in every layout is uncovered at once: knowing more never
// hurts, so only real guesses are compared.
class Search {
  public:
    Search(const Field& field, const std::vector<Mask>& layouts, long& work, long budget,
           const EndingLimits& limits)
        : field_(field),
          layouts_(layouts),
          work_(work),
          budget_(budget),
          deadLast_(limits.deadLast),
          ordered_(limits.ordered) {
        all_ = field.cells.size() >= kMostCells ? ~Mask{0} : (Mask{1} << field.cells.size()) - 1;
    }

    double Best(const std::vector<int>& ids, Mask open, int* choice) {
        if (++work_ > budget_) {
            throw OutOfWork{};
        }
        Mask any = 0;
        Mask every = all_;
        for (const int id : ids) {
            any |= layouts_[At(id)];
            every &= layouts_[At(id)];
        }
        const Mask waiting = ~every & all_ & ~open;  // safe somewhere, not yet uncovered
        if (waiting == 0) {
            return 1;
        }
        const Mask sure = ~any & waiting;
        if (sure != 0) {
            return Reveal(ids, open, std::countr_zero(sure));
        }
        const auto key = std::make_pair(open, ids);
        if (const auto found = memo_.find(key); found != memo_.end() && choice == nullptr) {
            return found->second;
        }
        // (layouts with a mine there, then minus the zeros and the numbers it may show when
        // ordered, then the cell)
        std::vector<std::tuple<int, int, int, int>> guesses;
        std::vector<std::tuple<int, int, int, int>> dead;
        for (Mask rest = waiting; rest != 0; rest &= rest - 1) {
            const int bit = std::countr_zero(rest);
            int mined = 0;
            int zeros = 0;
            unsigned numbers = 0;  // bit n: it may show n
            for (const int id : ids) {
                const Mask layout = layouts_[At(id)];
                const bool mine = ((layout >> bit) & 1U) != 0;
                const int shown = std::popcount(layout & field_.around[At(bit)]);
                mined += mine ? 1 : 0;
                zeros += !mine && shown == 0 ? 1 : 0;
                numbers |= mine ? 0U : 1U << shown;
            }
            const int distinct = std::popcount(numbers);
            (deadLast_ && distinct < 2 ? dead : guesses)
                .emplace_back(mined, ordered_ ? -zeros : 0, ordered_ ? -distinct : 0,
                              field_.cells[At(bit)]);
        }
        if (guesses.empty()) {
            guesses = std::move(dead);
        }
        std::sort(guesses.begin(), guesses.end());
        double best = -1;
        const double count = static_cast<double>(ids.size());
        for (const auto& [mined, zeros, distinct, index] : guesses) {
            const double safe = (count - mined) / count;
            if (safe <= best + kSameChance) {
                break;  // even certain success after it would not beat the best
            }
            const int bit = BitOf(index);
            const double win = safe * Reveal(Without(ids, bit), open, bit);
            if (win > best + kSameChance) {
                best = win;
                if (choice != nullptr) {
                    *choice = index;
                }
            }
        }
        memo_.emplace(key, best);
        return best;
    }

  private:
    int BitOf(int index) const {
        return static_cast<int>(std::find(field_.cells.begin(), field_.cells.end(), index) -
                                field_.cells.begin());
    }

    std::vector<int> Without(const std::vector<int>& ids, int bit) const {
        std::vector<int> safe;
        for (const int id : ids) {
            if (((layouts_[At(id)] >> bit) & 1U) == 0) {
                safe.push_back(id);
            }
        }
        return safe;
    }

    // Uncovers a cell safe in all of `ids` and weighs each number it may show.
    double Reveal(const std::vector<int>& ids, Mask open, int bit) {
        std::map<int, std::vector<int>> byNumber;
        for (const int id : ids) {
            byNumber[std::popcount(layouts_[At(id)] & field_.around[At(bit)])].push_back(id);
        }
        double win = 0;
        for (const auto& [number, part] : byNumber) {
            win += static_cast<double>(part.size()) * Best(part, open | Mask{1} << bit, nullptr);
        }
        return win / static_cast<double>(ids.size());
    }

    const Field& field_;
    const std::vector<Mask>& layouts_;
    long& work_;
    long budget_;
    bool deadLast_;
    bool ordered_;
    Mask all_ = 0;
    std::map<std::pair<Mask, std::vector<int>>, double> memo_;
};

}  // namespace

Ending PlayEnding(const Position& position, const EndingLimits& limits) {
    Ending ending;
    const Field field = ReadField(position);
    if (limits.layouts <= 0 || field.cells.empty() || field.cells.size() > kMostCells) {
        return ending;
    }
    const long budget = limits.budget;
    int most = limits.layouts;
    if (limits.dense > 0) {
        const double cells = static_cast<double>(field.cells.size());
        const double safe = (cells - field.mines) / cells;
        const double dense = safe > 0 ? limits.dense / (safe * safe * safe) : budget;
        most =
            static_cast<int>(std::min(std::max<double>(most, dense), static_cast<double>(budget)));
    }
    long work = 0;
    std::vector<Mask> layouts;
    if (!Layouts(field, work, budget, most).List(layouts) || layouts.empty()) {
        return ending;
    }
    std::vector<int> ids(layouts.size());
    for (std::size_t i = 0; i < ids.size(); ++i) {
        ids[i] = static_cast<int>(i);
    }
    Search search(field, layouts, work, budget, limits);
    try {
        search.Best(ids, 0, &ending.cell);
    } catch (const OutOfWork&) {
        return ending;
    }
    ending.solved = true;
    return ending;
}

}  // namespace dravik::analysis
