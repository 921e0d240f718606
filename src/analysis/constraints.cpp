#include "analysis/constraints.h"

#include <algorithm>

namespace dravik::analysis {

namespace {

bool Unsatisfiable(const Constraint& constraint) {
    return constraint.missing < 0 || constraint.missing > constraint.size;
}

// Cells of `from` missing in `other`; both ascending.
int Difference(const Constraint& from, const Constraint& other,
               std::array<int, kMostNeighbours>& out) {
    int count = 0;
    int k = 0;
    for (int i = 0; i < from.size; ++i) {
        const int cell = from.cells[At(i)];
        while (k < other.size && other.cells[At(k)] < cell) {
            ++k;
        }
        if (k == other.size || other.cells[At(k)] != cell) {
            out[At(count++)] = cell;
        }
    }
    return count;
}

class Propagation {
  public:
    Propagation(Problem& problem, Rules rules)
        : problem_(problem),
          pairs_(rules == Rules::SingleNumberAndPairs),
          queued_(problem.constraints.size(), 1) {
        todo_.reserve(problem.constraints.size() * 2);
        for (std::size_t c = 0; c < problem.constraints.size(); ++c) {
            todo_.push_back(static_cast<int>(c));
        }
    }

    bool Run() {
        // The list grows while it is worked through.
        for (std::size_t next = 0; next < todo_.size();) {
            const int c = todo_[next++];
            queued_[At(c)] = 0;
            if (!Visit(c)) {
                return false;
            }
        }
        return true;
    }

  private:
    bool Visit(int c) {
        const Constraint& constraint = problem_.constraints[At(c)];
        if (constraint.size == 0) {
            return true;
        }
        if (constraint.missing == 0 || constraint.missing == constraint.size) {
            const Constraint all = constraint;
            return DecideAll(all.cells, all.size, all.missing > 0);
        }
        return !pairs_ || Pairs(c);
    }

    // For numbers A and B that share cells: when A's missing minus B's equals |A \ B|, all of
    // A \ B are mines and B's mines all lie in A ∩ B, so B \ A is safe.
    bool Pairs(int a) {
        const Constraint& first = problem_.constraints[At(a)];
        // A number shares cells with at most the 24 others within two steps.
        std::array<int, 24> seen{};
        int seenCount = 0;
        for (int i = 0; i < first.size; ++i) {
            const int cell = first.cells[At(i)];
            for (int l = 0; l < problem_.linkCount[At(cell)]; ++l) {
                const int b = problem_.links[At(cell)][At(l)];
                const auto end = seen.begin() + seenCount;
                if (b == a || std::find(seen.begin(), end, b) != end) {
                    continue;
                }
                if (seenCount < static_cast<int>(seen.size())) {
                    seen[At(seenCount++)] = b;
                }
                bool fired = false;
                if (!Pair(first, problem_.constraints[At(b)], fired)) {
                    return false;
                }
                if (fired) {
                    return true;  // A changed and is queued again
                }
            }
        }
        return true;
    }

    bool Pair(const Constraint& a, const Constraint& b, bool& fired) {
        std::array<int, kMostNeighbours> aOnly{};
        std::array<int, kMostNeighbours> bOnly{};
        const int aCount = Difference(a, b, aOnly);
        const int bCount = Difference(b, a, bOnly);
        if (aCount + bCount == 0) {
            return true;
        }
        if (a.missing - b.missing == aCount) {
            fired = true;
            return DecideAll(aOnly, aCount, true) && DecideAll(bOnly, bCount, false);
        }
        if (b.missing - a.missing == bCount) {
            fired = true;
            return DecideAll(bOnly, bCount, true) && DecideAll(aOnly, aCount, false);
        }
        return true;
    }

    bool DecideAll(const std::array<int, kMostNeighbours>& cells, int count, bool mine) {
        for (int i = 0; i < count; ++i) {
            if (!Decide(cells[At(i)], mine)) {
                return false;
            }
        }
        return true;
    }

    bool Decide(int cell, bool mine) {
        CellState& state = problem_.cells[At(cell)];
        if (state != CellState::Unknown) {
            return true;
        }
        state = mine ? CellState::Mine : CellState::Safe;
        problem_.decided.push_back(cell);
        if (mine) {
            --problem_.minesLeft;
        }
        for (int l = 0; l < problem_.linkCount[At(cell)]; ++l) {
            const int c = problem_.links[At(cell)][At(l)];
            Constraint& constraint = problem_.constraints[At(c)];
            const auto end = constraint.cells.begin() + constraint.size;
            std::copy(std::find(constraint.cells.begin(), end, cell) + 1, end,
                      std::find(constraint.cells.begin(), end, cell));
            --constraint.size;
            constraint.missing -= mine ? 1 : 0;
            if (Unsatisfiable(constraint)) {
                problem_.unsatisfiable = constraint.number;
                return false;
            }
            if (queued_[At(c)] == 0) {
                queued_[At(c)] = 1;
                todo_.push_back(c);
            }
        }
        return true;
    }

    Problem& problem_;
    bool pairs_;
    std::vector<char> queued_;
    std::vector<int> todo_;
};

}  // namespace

Problem BuildProblem(const Position& position, const std::vector<char>* useNumber) {
    Problem problem;
    const int size = position.Size();
    problem.cells.assign(At(size), CellState::Open);
    problem.links.resize(At(size));
    problem.linkCount.assign(At(size), 0);
    problem.minesLeft = position.MinesLeft();
    problem.constraints.reserve(At(size / 4));
    problem.decided.reserve(At(size / 8));
    // Read every cell once: the neighbour walks below are the hot part of an analysis.
    std::vector<Seen> seen(At(size));
    for (int index = 0; index < size; ++index) {
        seen[At(index)] = position.At(index);
        if (seen[At(index)] == Seen::Covered) {
            problem.cells[At(index)] = CellState::Unknown;
            ++problem.covered;
        }
    }
    for (int index = 0; index < size; ++index) {
        if (seen[At(index)] != Seen::Number ||
            (useNumber != nullptr && (*useNumber)[At(index)] == 0)) {
            continue;
        }
        Constraint constraint;
        constraint.number = index;
        constraint.missing = position.Number(index);
        // Neighbours come in reading order, so the cells come out sorted.
        position.ForEachNeighbour(index, [&](int next) {
            if (seen[At(next)] == Seen::Covered) {
                constraint.cells[At(constraint.size++)] = next;
            } else if (seen[At(next)] == Seen::UserMark || seen[At(next)] == Seen::AutomaticMark) {
                --constraint.missing;
            }
        });
        if (Unsatisfiable(constraint)) {
            problem.unsatisfiable = index;
            return problem;
        }
        if (constraint.size == 0) {
            continue;
        }
        const int id = static_cast<int>(problem.constraints.size());
        for (int i = 0; i < constraint.size; ++i) {
            const auto cell = At(constraint.cells[At(i)]);
            problem.links[cell][problem.linkCount[cell]++] = id;
        }
        problem.constraints.push_back(constraint);
    }
    return problem;
}

bool Propagate(Problem& problem, Rules rules) {
    return Propagation(problem, rules).Run();
}

Problem BuildAndPropagate(const Position& position, Rules rules,
                          const std::vector<char>* useNumber) {
    Problem problem = BuildProblem(position, useNumber);
    if (!problem.Contradicted()) {
        Propagate(problem, rules);  // a failure sets `unsatisfiable`
    }
    return problem;
}

}  // namespace dravik::analysis
