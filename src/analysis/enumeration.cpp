#include "analysis/enumeration.h"

#include <algorithm>
#include <cstdint>

namespace dravik::analysis {

namespace {

using Real = long double;

// Cells touching exactly the same numbers are interchangeable: only how many of them hold mines
// matters, and each count x of a group of s cells stands for C(s, x) layouts.
struct Group {
    int first = 0;  // into Frontier::cells
    int size = 0;
};

struct Frontier {
    std::vector<int> cells;  // Unknown cells next to a number, grouped
    std::vector<Group> groups;
    std::vector<int> groupOf;  // by cell index, for frontier cells
    int offFrontier = 0;       // Unknown cells next to no number
};

Real Choose(int n, int k) {
    static const auto table = [] {
        std::array<std::array<Real, kMostNeighbours + 1>, kMostNeighbours + 1> t{};
        for (std::size_t row = 0; row <= kMostNeighbours; ++row) {
            t[row][0] = 1;
            for (std::size_t col = 1; col <= row; ++col) {
                t[row][col] = t[row - 1][col - 1] + (col < row ? t[row - 1][col] : 0);
            }
        }
        return t;
    }();
    return table[At(n)][At(k)];
}

Frontier GroupFrontier(const Problem& problem) {
    Frontier frontier;
    for (int cell = 0; cell < static_cast<int>(problem.cells.size()); ++cell) {
        if (problem.cells[At(cell)] != CellState::Unknown) {
            continue;
        }
        if (problem.linkCount[At(cell)] == 0) {
            ++frontier.offFrontier;
        } else {
            frontier.cells.push_back(cell);
        }
    }
    const auto links = [&](int cell) {
        const auto& row = problem.links[At(cell)];
        return std::pair(row.begin(), row.begin() + problem.linkCount[At(cell)]);
    };
    std::stable_sort(frontier.cells.begin(), frontier.cells.end(), [&](int a, int b) {
        const auto [aBegin, aEnd] = links(a);
        const auto [bBegin, bEnd] = links(b);
        return std::lexicographical_compare(aBegin, aEnd, bBegin, bEnd);
    });
    for (int i = 0; i < static_cast<int>(frontier.cells.size()); ++i) {
        const int cell = frontier.cells[At(i)];
        const auto [begin, end] = links(cell);
        const auto [previous, previousEnd] = links(i > 0 ? frontier.cells[At(i - 1)] : cell);
        if (i > 0 && std::equal(begin, end, previous, previousEnd)) {
            ++frontier.groups.back().size;
            continue;
        }
        frontier.groups.push_back(Group{i, 1});
    }
    frontier.groupOf.assign(problem.cells.size(), -1);
    for (int g = 0; g < static_cast<int>(frontier.groups.size()); ++g) {
        const Group& group = frontier.groups[At(g)];
        for (int k = group.first; k < group.first + group.size; ++k) {
            frontier.groupOf[At(frontier.cells[At(k)])] = g;
        }
    }
    return frontier;
}

// One independent part of the frontier and, after the search, what every layout of it
// looks like, by the number of mines m it holds.
struct Component {
    std::vector<int> groups;       // in search order
    std::vector<int> constraints;  // global ids
    int firstNumber = -1;
    int most = 0;  // most mines it can hold within the cap
    bool finished = false;
    std::vector<char> seen;                   // [m]: some layout holds m mines
    std::vector<Real> weight;                 // [m]: layouts of cells holding m mines
    std::vector<std::int8_t> least, largest;  // [m * groups + g]: fewest, most mines in group g
    std::vector<Real> expected;               // [m * groups + g]: mines in g summed over layouts
    bool viableAny = false;
    std::vector<char> viable;  // [m]: fits with the rest and the mines left
    std::vector<Real> others;  // [m]: weight of the rest of the board around m mines here
};

class Search {
  public:
    Search(const Problem& problem, const Frontier& frontier, Component& component, long& nodes,
           long budget)
        : problem_(problem), frontier_(frontier), c_(component), nodes_(nodes), budget_(budget) {}

    // False when the budget ran out.
    bool Run(int minesCap) {
        Prepare();
        int total = 0;
        for (const int g : c_.groups) {
            total += frontier_.groups[At(g)].size;
        }
        c_.most = std::max(0, std::min(total, minesCap));
        minesCap_ = c_.most;
        const std::size_t count = At(c_.most) + 1;
        const std::size_t width = c_.groups.size();
        c_.seen.assign(count, 0);
        c_.weight.assign(count, 0);
        c_.least.assign(count * width, INT8_MAX);
        c_.largest.assign(count * width, -1);
        c_.expected.assign(count * width, 0);
        return Walk();
    }

  private:
    // Search order: breadth first through the numbers, so each number is closed early and its
    // count prunes the rest.
    void Prepare() {
        std::vector<int> local(problem_.constraints.size(), -1);
        for (std::size_t i = 0; i < c_.constraints.size(); ++i) {
            local[At(c_.constraints[i])] = static_cast<int>(i);
        }
        need_.resize(c_.constraints.size());
        room_.assign(c_.constraints.size(), 0);
        for (const int g : c_.groups) {
            const Group& group = frontier_.groups[At(g)];
            const int cell = frontier_.cells[At(group.first)];
            for (int l = 0; l < problem_.linkCount[At(cell)]; ++l) {
                room_[At(local[At(problem_.links[At(cell)][At(l)])])] += group.size;
            }
        }
        for (std::size_t c = 0; c < c_.constraints.size(); ++c) {
            need_[c] = problem_.constraints[At(c_.constraints[c])].missing;
        }
        std::vector<int> order;
        order.reserve(c_.groups.size());
        std::vector<char> placed(frontier_.groups.size(), 0);
        for (const int c : c_.constraints) {
            const Constraint& constraint = problem_.constraints[At(c)];
            for (int i = 0; i < constraint.size; ++i) {
                const int g = frontier_.groupOf[At(constraint.cells[At(i)])];
                if (placed[At(g)] == 0) {
                    placed[At(g)] = 1;
                    order.push_back(g);
                }
            }
        }
        // Constraints were listed breadth first by the caller; the groups follow that order.
        c_.groups = order;
        linksOf_.assign(order.size(), {});
        linkCount_.assign(order.size(), 0);
        for (std::size_t d = 0; d < order.size(); ++d) {
            const int cell = frontier_.cells[At(frontier_.groups[At(order[d])].first)];
            for (int l = 0; l < problem_.linkCount[At(cell)]; ++l) {
                linksOf_[d][linkCount_[d]++] = local[At(problem_.links[At(cell)][At(l)])];
            }
        }
    }

    int SizeAt(std::size_t d) const { return frontier_.groups[At(c_.groups[d])].size; }

    void Bounds(std::size_t d) {
        const int size = SizeAt(d);
        int low = 0;
        int high = std::min(size, minesCap_ - mines_);
        for (int l = 0; l < linkCount_[d]; ++l) {
            const auto c = At(linksOf_[d][At(l)]);
            high = std::min(high, need_[c]);
            low = std::max(low, need_[c] - (room_[c] - size));
        }
        low_[d] = low;
        high_[d] = high;
        value_[d] = low - 1;
    }

    void Apply(std::size_t d, int sign) {
        const int size = SizeAt(d);
        const int x = value_[d];
        for (int l = 0; l < linkCount_[d]; ++l) {
            const auto c = At(linksOf_[d][At(l)]);
            need_[c] -= sign * x;
            room_[c] -= sign * size;
        }
        mines_ += sign * x;
    }

    void Leaf() {
        const std::size_t width = c_.groups.size();
        const auto m = At(mines_);
        const Real w = weight_[width - 1];
        c_.seen[m] = 1;
        c_.weight[m] += w;
        for (std::size_t d = 0; d < width; ++d) {
            const auto x = static_cast<std::int8_t>(value_[d]);
            const std::size_t slot = m * width + d;
            c_.least[slot] = std::min(c_.least[slot], x);
            c_.largest[slot] = std::max(c_.largest[slot], x);
            c_.expected[slot] += static_cast<Real>(x) * w;
        }
    }

    bool Walk() {
        const std::size_t width = c_.groups.size();
        value_.assign(width, 0);
        low_.assign(width, 0);
        high_.assign(width, 0);
        weight_.assign(width, 1);
        std::ptrdiff_t depth = 0;
        Bounds(0);
        while (depth >= 0) {
            const auto d = static_cast<std::size_t>(depth);
            if (value_[d] >= low_[d]) {
                Apply(d, -1);
            }
            if (++value_[d] > high_[d]) {
                --depth;
                continue;
            }
            if (nodes_ >= budget_) {
                return false;
            }
            ++nodes_;
            Apply(d, 1);
            weight_[d] = (d > 0 ? weight_[d - 1] : 1) * Choose(SizeAt(d), value_[d]);
            if (d + 1 == width) {
                Leaf();
            } else {
                ++depth;
                Bounds(d + 1);
            }
        }
        c_.finished = true;
        return true;
    }

    const Problem& problem_;
    const Frontier& frontier_;
    Component& c_;
    long& nodes_;
    long budget_;
    int minesCap_ = 0;  // most mines the component may hold
    int mines_ = 0;     // mines in the groups that have a count, depths 0 to the current one
    // By the component's own constraint id (its index in Component::constraints), counting only
    // the groups that have no count yet: need_ is the mines the number still misses and room_
    // the cells it still has. So the group at depth d, of s cells, can hold at most need_ of a
    // number it touches and at least need_ - (room_ - s), what the number's other groups cannot
    // take. Apply moves a group's count and size out of them, and back when it is undone.
    std::vector<int> need_, room_;
    // By depth: the component's own ids of the numbers the group at that depth touches.
    std::vector<std::array<int, kMostNeighbours>> linksOf_;
    std::vector<int> linkCount_;
    // By depth: the mine count being tried for the group and the bounds Bounds gave it on
    // arrival. value_ == low_ - 1 is the untried marker: no count applied yet, so Walk has
    // nothing to undo before it moves on to low_.
    std::vector<int> value_, low_, high_;
    // By depth: the layouts the counts so far stand for, the product of C(size, count).
    std::vector<Real> weight_;
};

// One breadth-first walk over the numbers through their shared cells, started from each number
// not yet reached in reading order, finds the components and lists each one's numbers in the
// order the search closes them. A number with no undecided cell left belongs to none.
std::vector<Component> SplitComponents(const Problem& problem, const Frontier& frontier) {
    std::vector<Component> components;
    std::vector<int> componentOf(problem.constraints.size(), -1);
    for (int c = 0; c < static_cast<int>(problem.constraints.size()); ++c) {
        if (problem.constraints[At(c)].size == 0 || componentOf[At(c)] >= 0) {
            continue;
        }
        const int id = static_cast<int>(components.size());
        Component& component = components.emplace_back();
        component.firstNumber = problem.constraints[At(c)].number;
        componentOf[At(c)] = id;
        component.constraints.push_back(c);
        for (std::size_t next = 0; next < component.constraints.size(); ++next) {
            const Constraint& constraint = problem.constraints[At(component.constraints[next])];
            for (int i = 0; i < constraint.size; ++i) {
                const int cell = constraint.cells[At(i)];
                for (int l = 0; l < problem.linkCount[At(cell)]; ++l) {
                    const int other = problem.links[At(cell)][At(l)];
                    if (componentOf[At(other)] < 0) {
                        componentOf[At(other)] = id;
                        component.constraints.push_back(other);
                    }
                }
            }
        }
    }
    // The cells of a group touch the same numbers, so any of them names its component.
    for (int g = 0; g < static_cast<int>(frontier.groups.size()); ++g) {
        const int cell = frontier.cells[At(frontier.groups[At(g)].first)];
        components[At(componentOf[At(problem.links[At(cell)][0])])].groups.push_back(g);
    }
    // Small components first: when the budget runs out, as many as possible are finished.
    std::stable_sort(components.begin(), components.end(), [](const auto& a, const auto& b) {
        return a.groups.size() < b.groups.size();
    });
    return components;
}

// Combines the components over the mines left. Sizes and viability are exact integers; only
// the weights are floating point, and they never decide what is forced.
class Combination {
  public:
    Combination(std::vector<Component>& components, int minesLeft, int offFrontier)
        : c_(components), minesLeft_(minesLeft), off_(offFrontier) {
        for (const Component& component : c_) {
            span_ += component.most;
        }
        const auto width = At(span_ + 1);
        const std::size_t k = c_.size();
        before_.assign((k + 1) * width, 0);
        beforeWeight_.assign((k + 1) * width, 0);
        after_.assign((k + 1) * width, 0);
        afterWeight_.assign((k + 1) * width, 0);
        Rest();
        Forward();
        Backward();
    }

    bool Feasible() const { return after_[0] != 0; }

    // For each component and each m: does it fit, and the weight of all around it.
    void Judge() {
        const auto width = At(span_ + 1);
        for (std::size_t i = 0; i < c_.size(); ++i) {
            Component& component = c_[i];
            component.viable.assign(At(component.most + 1), 0);
            component.others.assign(At(component.most + 1), 0);
            for (int m = 0; m <= component.most; ++m) {
                if (component.seen[At(m)] == 0) {
                    continue;
                }
                for (int u = 0; u + m <= span_; ++u) {
                    const std::size_t here = i * width + At(u);
                    const std::size_t next = (i + 1) * width + At(u + m);
                    if (before_[here] != 0 && after_[next] != 0) {
                        component.viable[At(m)] = 1;
                        component.others[At(m)] += beforeWeight_[here] * afterWeight_[next];
                    }
                }
            }
        }
    }

    // Mines left over for the cells away from the numbers: fewest and most over the layouts
    // that fit, and their expected share per cell.
    void OffFrontier(int& fewest, int& most, Real& share) const {
        const std::size_t last = c_.size() * At(span_ + 1);
        fewest = off_ + 1;
        most = -1;
        Real sum = 0;
        for (int t = 0; t <= span_; ++t) {
            const int rest = minesLeft_ - t;
            if (before_[last + At(t)] != 0 && rest >= 0 && rest <= off_) {
                fewest = std::min(fewest, rest);
                most = std::max(most, rest);
                sum += beforeWeight_[last + At(t)] * rest_[At(t)] * static_cast<Real>(rest);
            }
        }
        share = off_ > 0 ? sum / (Total() * static_cast<Real>(off_)) : 0;
    }

    Real Total() const { return afterWeight_[0]; }

  private:
    // rest_[t]: the ways to place the mines left over once the frontier holds t, as
    // C(off, r) / C(off, top) built from ratios so no huge binomial is ever formed.
    void Rest() {
        rest_.assign(At(span_ + 1), 0);
        const int top = std::min(off_, minesLeft_);
        const int lowest = std::max(0, minesLeft_ - span_);
        Real ratio = 1;
        for (int r = top; r >= lowest; --r) {
            rest_[At(minesLeft_ - r)] = ratio;
            ratio = ratio * static_cast<Real>(r) / static_cast<Real>(off_ - r + 1);
        }
    }

    void Forward() {
        const auto width = At(span_ + 1);
        before_[0] = 1;
        beforeWeight_[0] = 1;
        for (std::size_t i = 0; i < c_.size(); ++i) {
            for (int u = 0; u <= span_; ++u) {
                const std::size_t here = i * width + At(u);
                if (before_[here] == 0) {
                    continue;
                }
                for (int m = 0; m <= c_[i].most && u + m <= span_; ++m) {
                    if (c_[i].seen[At(m)] != 0) {
                        const std::size_t next = (i + 1) * width + At(u + m);
                        before_[next] = 1;
                        beforeWeight_[next] += beforeWeight_[here] * c_[i].weight[At(m)];
                    }
                }
            }
        }
    }

    void Backward() {
        const auto width = At(span_ + 1);
        const std::size_t k = c_.size();
        for (int u = 0; u <= span_; ++u) {
            const int rest = minesLeft_ - u;
            if (rest >= 0 && rest <= off_) {
                after_[k * width + At(u)] = 1;
                afterWeight_[k * width + At(u)] = rest_[At(u)];
            }
        }
        for (std::size_t i = k; i-- > 0;) {
            for (int u = 0; u <= span_; ++u) {
                const std::size_t here = i * width + At(u);
                if (before_[here] == 0) {
                    continue;  // no layout of the first i components uses u mines
                }
                for (int m = 0; m <= c_[i].most && u + m <= span_; ++m) {
                    const std::size_t next = (i + 1) * width + At(u + m);
                    if (c_[i].seen[At(m)] != 0 && after_[next] != 0) {
                        after_[here] = 1;
                        afterWeight_[here] += c_[i].weight[At(m)] * afterWeight_[next];
                    }
                }
            }
        }
    }

    std::vector<Component>& c_;
    int minesLeft_;
    int off_;
    int span_ = 0;
    std::vector<Real> rest_;
    // [i * width + u]: the first i components can hold u mines (before), or the components
    // from i on and the cells away from the numbers can take the rest when u are used (after).
    std::vector<char> before_, after_;
    std::vector<Real> beforeWeight_, afterWeight_;
};

// `totals` picks the component's mine totals to take into account: those some layout of it
// holds (seen) or those that also fit the rest of the board (viable).
void MarkForced(const Frontier& frontier, const Component& component,
                const std::vector<char>& totals, Solution& solution) {
    const std::size_t width = component.groups.size();
    for (std::size_t d = 0; d < width; ++d) {
        const Group& group = frontier.groups[At(component.groups[d])];
        int fewest = INT8_MAX;
        int most = -1;
        for (int m = 0; m <= component.most; ++m) {
            if (totals[At(m)] != 0) {
                fewest = std::min<int>(fewest, component.least[At(m) * width + d]);
                most = std::max<int>(most, component.largest[At(m) * width + d]);
            }
        }
        const CellState state = most == 0              ? CellState::Safe
                                : fewest == group.size ? CellState::Mine
                                                       : CellState::Unknown;
        for (int k = 0; k < group.size; ++k) {
            solution.forced[At(frontier.cells[At(group.first + k)])] = state;
        }
    }
}

void FillOdds(const Frontier& frontier, const Component& component, Real total,
              Solution& solution) {
    const std::size_t width = component.groups.size();
    for (std::size_t d = 0; d < width; ++d) {
        const Group& group = frontier.groups[At(component.groups[d])];
        Real mines = 0;
        for (int m = 0; m <= component.most; ++m) {
            mines += component.expected[At(m) * width + d] * component.others[At(m)];
        }
        const Real odds = mines / (total * static_cast<Real>(group.size));
        for (int k = 0; k < group.size; ++k) {
            solution.odds[At(frontier.cells[At(group.first + k)])] = odds;
        }
    }
}

int FirstNumber(const Problem& problem) {
    for (const Constraint& constraint : problem.constraints) {
        if (constraint.size > 0) {
            return constraint.number;
        }
    }
    return -1;
}

}  // namespace

Solution Enumerate(const Problem& problem, const EnumerateOptions& options) {
    Solution solution;
    solution.forced.assign(problem.cells.size(), CellState::Unknown);
    const Frontier frontier = GroupFrontier(problem);
    std::vector<Component> components = SplitComponents(problem, frontier);

    const int cap = options.useMinesLeft ? problem.minesLeft : INT32_MAX;
    for (Component& component : components) {
        if (!Search(problem, frontier, component, solution.nodes, options.nodeBudget).Run(cap)) {
            solution.status = SearchStatus::Exhausted;
            break;
        }
        if (std::find(component.seen.begin(), component.seen.end(), 1) == component.seen.end()) {
            solution.status = SearchStatus::Contradiction;
            solution.unsatisfiable = component.firstNumber;
            return solution;
        }
    }
    if (solution.status == SearchStatus::Exhausted || !options.useMinesLeft) {
        for (const Component& component : components) {
            if (component.finished) {
                MarkForced(frontier, component, component.seen, solution);
            }
        }
        return solution;
    }

    Combination combination(components, problem.minesLeft, frontier.offFrontier);
    if (!combination.Feasible()) {
        solution.status = SearchStatus::Contradiction;
        solution.unsatisfiable = FirstNumber(problem);
        return solution;
    }
    combination.Judge();
    solution.total = combination.Total();
    for (const Component& component : components) {
        MarkForced(frontier, component, component.viable, solution);
    }
    int fewest = 0;
    int most = 0;
    Real share = 0;
    combination.OffFrontier(fewest, most, share);
    const CellState away = most == 0                        ? CellState::Safe
                           : fewest == frontier.offFrontier ? CellState::Mine
                                                            : CellState::Unknown;
    if (options.wantOdds) {
        solution.odds.assign(problem.cells.size(), 0);
        for (const Component& component : components) {
            FillOdds(frontier, component, combination.Total(), solution);
        }
    }
    for (std::size_t cell = 0; cell < problem.cells.size(); ++cell) {
        if (problem.cells[cell] == CellState::Unknown && problem.linkCount[cell] == 0) {
            solution.forced[cell] = away;
            if (options.wantOdds) {
                solution.odds[cell] = share;
            }
        }
    }
    return solution;
}

}  // namespace dravik::analysis
