#include "analysis/enumeration.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace dravik::analysis {

namespace {

using Real = long double;

std::size_t At(int index) {
    return static_cast<std::size_t>(index);
}

// Cells touching exactly the same numbers are interchangeable: only how many of them hold mines
// matters, and each count x of a group of s cells stands for C(s, x) layouts.
struct Group {
    int first = 0;  // into Frontier::cells
    int size = 0;
    int component = 0;
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

int Find(std::vector<int>& parent, int item) {
    while (parent[At(item)] != item) {
        parent[At(item)] = parent[At(parent[At(item)])];
        item = parent[At(item)];
    }
    return item;
}

Frontier GroupFrontier(const Problem& problem, std::vector<int>& componentOf) {
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

    std::vector<int> parent(problem.constraints.size());
    std::iota(parent.begin(), parent.end(), 0);
    for (const int cell : frontier.cells) {
        const auto [begin, end] = links(cell);
        for (auto link = begin + 1; link < end; ++link) {
            parent[At(Find(parent, *link))] = Find(parent, *begin);
        }
    }
    componentOf.assign(problem.constraints.size(), -1);
    int components = 0;
    for (int i = 0; i < static_cast<int>(frontier.cells.size()); ++i) {
        const int cell = frontier.cells[At(i)];
        const auto [begin, end] = links(cell);
        const auto [previous, previousEnd] = links(i > 0 ? frontier.cells[At(i - 1)] : cell);
        if (i > 0 && std::equal(begin, end, previous, previousEnd)) {
            ++frontier.groups.back().size;
            continue;
        }
        const int root = Find(parent, *begin);
        if (componentOf[At(root)] < 0) {
            componentOf[At(root)] = components++;
        }
        frontier.groups.push_back(Group{i, 1, componentOf[At(root)]});
    }
    frontier.groupOf.assign(problem.cells.size(), -1);
    for (int g = 0; g < static_cast<int>(frontier.groups.size()); ++g) {
        const Group& group = frontier.groups[At(g)];
        for (int k = group.first; k < group.first + group.size; ++k) {
            frontier.groupOf[At(frontier.cells[At(k)])] = g;
        }
    }
    for (std::size_t c = 0; c < componentOf.size(); ++c) {
        componentOf[c] = problem.constraints[c].size > 0
                             ? componentOf[At(Find(parent, static_cast<int>(c)))]
                             : -1;
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
    int minesCap_ = 0;
    int mines_ = 0;
    std::vector<int> need_, room_;
    std::vector<std::array<int, kMostNeighbours>> linksOf_;
    std::vector<int> linkCount_;
    std::vector<int> value_, low_, high_;
    std::vector<Real> weight_;
};

// Lists each component's numbers breadth first from its first number in reading order.
std::vector<Component> SplitComponents(const Problem& problem, const Frontier& frontier,
                                       const std::vector<int>& componentOf) {
    int count = 0;
    for (const Group& group : frontier.groups) {
        count = std::max(count, group.component + 1);
    }
    std::vector<Component> components(At(count));
    for (int g = 0; g < static_cast<int>(frontier.groups.size()); ++g) {
        components[At(frontier.groups[At(g)].component)].groups.push_back(g);
    }
    std::vector<char> listed(problem.constraints.size(), 0);
    for (int c = 0; c < static_cast<int>(problem.constraints.size()); ++c) {
        if (componentOf[At(c)] < 0 || listed[At(c)] != 0) {
            continue;
        }
        Component& component = components[At(componentOf[At(c)])];
        component.firstNumber = problem.constraints[At(c)].number;
        listed[At(c)] = 1;
        component.constraints.push_back(c);
        for (std::size_t next = 0; next < component.constraints.size(); ++next) {
            const Constraint& constraint = problem.constraints[At(component.constraints[next])];
            for (int i = 0; i < constraint.size; ++i) {
                const int cell = constraint.cells[At(i)];
                for (int l = 0; l < problem.linkCount[At(cell)]; ++l) {
                    const int other = problem.links[At(cell)][At(l)];
                    if (listed[At(other)] == 0) {
                        listed[At(other)] = 1;
                        component.constraints.push_back(other);
                    }
                }
            }
        }
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

void MarkForced(const Frontier& frontier, const Component& component, bool useViable,
                Solution& solution) {
    const std::size_t width = component.groups.size();
    for (std::size_t d = 0; d < width; ++d) {
        const Group& group = frontier.groups[At(component.groups[d])];
        int fewest = INT8_MAX;
        int most = -1;
        for (int m = 0; m <= component.most; ++m) {
            const bool counts =
                useViable ? component.viable[At(m)] != 0 : component.seen[At(m)] != 0;
            if (counts) {
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

Solution Enumerate(const Problem& problem, bool useMinesLeft, bool wantOdds, long budget) {
    Solution solution;
    solution.forced.assign(problem.cells.size(), CellState::Unknown);
    std::vector<int> componentOf;
    const Frontier frontier = GroupFrontier(problem, componentOf);
    std::vector<Component> components = SplitComponents(problem, frontier, componentOf);

    const int cap = useMinesLeft ? problem.minesLeft : INT32_MAX;
    for (Component& component : components) {
        if (!Search(problem, frontier, component, solution.nodes, budget).Run(cap)) {
            solution.status = SearchStatus::Exhausted;
            break;
        }
        if (std::find(component.seen.begin(), component.seen.end(), 1) == component.seen.end()) {
            solution.status = SearchStatus::Contradiction;
            solution.unsatisfiable = component.firstNumber;
            return solution;
        }
    }
    if (solution.status == SearchStatus::Exhausted || !useMinesLeft) {
        for (const Component& component : components) {
            if (component.finished) {
                MarkForced(frontier, component, false, solution);
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
        MarkForced(frontier, component, true, solution);
    }
    int fewest = 0;
    int most = 0;
    Real share = 0;
    combination.OffFrontier(fewest, most, share);
    const CellState away = most == 0                        ? CellState::Safe
                           : fewest == frontier.offFrontier ? CellState::Mine
                                                            : CellState::Unknown;
    if (wantOdds) {
        solution.odds.assign(problem.cells.size(), 0);
        for (const Component& component : components) {
            FillOdds(frontier, component, combination.Total(), solution);
        }
    }
    for (std::size_t cell = 0; cell < problem.cells.size(); ++cell) {
        if (problem.cells[cell] == CellState::Unknown && problem.linkCount[cell] == 0) {
            solution.forced[cell] = away;
            if (wantOdds) {
                solution.odds[cell] = share;
            }
        }
    }
    return solution;
}

}  // namespace dravik::analysis
