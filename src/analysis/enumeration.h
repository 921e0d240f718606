#pragma once

#include <vector>

#include "analysis/analysis.h"
#include "analysis/constraints.h"

namespace dravik::analysis {

enum class SearchStatus { Solved, Contradiction, Exhausted };

// What the search found about the Unknown cells of a problem.
struct Solution {
    SearchStatus status = SearchStatus::Solved;
    long nodes = 0;
    // Contradiction: the first number of a component with no layout; -1 when the components
    // fit but not the mines left.
    int unsatisfiable = -1;
    // By cell index: Safe or Mine for an Unknown cell whose state is forced, else Unknown. When
    // exhausted, only what the finished components prove on their own.
    std::vector<CellState> forced;
    // By cell index, for Unknown cells: the chance of a mine. Only when solved with the mines
    // left and asked for.
    std::vector<long double> odds;
    // Only when solved with the mines left: the weight of all layouts, as a multiple of the ways
    // to lay the mines left on the cells next to no number when none are on the frontier
    // (C(off, min(off, mines left))). Compares positions that differ only in their numbers.
    long double total = 0;
};

struct EnumerateOptions {
    long nodeBudget = Limits{}.nodeBudget;  // for all the components together
    // Combine the components over the mines left. Without it each component stands alone and
    // cells away from the numbers are never forced.
    bool useMinesLeft = true;
    // Fill Solution::odds (only when the mines left are used).
    bool wantOdds = false;
};

// Groups the frontier cells by the numbers they touch, splits them into independent
// components, enumerates each within the node budget, and combines them as the options say.
Solution Enumerate(const Problem& problem, const EnumerateOptions& options);

}  // namespace dravik::analysis
