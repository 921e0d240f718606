#include "analysis/no_guess.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <stdexcept>

#include "analysis/constraints.h"
#include "analysis/forced_guess.h"
#include "analysis/playout.h"

namespace dravik::analysis {

namespace {

int Distance(const NoGuessBoard& board, int index) {
    const int rowOff = index / board.cols - board.firstCell / board.cols;
    const int colOff = index % board.cols - board.firstCell % board.cols;
    return std::max(std::abs(rowOff), std::abs(colOff));
}

void Check(const NoGuessBoard& board) {
    if (board.rows <= 0 || board.cols <= 0) {
        throw std::invalid_argument("no-guess layout: empty board");
    }
    if (board.firstCell < 0 || board.firstCell >= board.rows * board.cols) {
        throw std::invalid_argument("no-guess layout: first cell off the board");
    }
    int outside = 0;
    for (int index = 0; index < board.rows * board.cols; ++index) {
        outside += Distance(board, index) > 1 ? 1 : 0;
    }
    if (board.mines < 0 || board.mines > outside) {
        throw std::invalid_argument("no-guess layout: the mines do not fit outside the opening");
    }
}

// One of count, evenly.
int Pick(int count, const RandomSource& random) {
    return std::min(count - 1, static_cast<int>(std::floor(static_cast<double>(random()) * count)));
}

// Marks `mines` of the pool's cells in the layout, drawn evenly by a partial shuffle; the pool's
// order going in does not matter, so it is never restored.
void DrawInto(std::vector<int>& pool, int mines, const RandomSource& random,
              std::vector<std::uint8_t>& layout) {
    const int size = static_cast<int>(pool.size());
    for (int k = 0; k < mines; ++k) {
        const int span = size - k;
        const int pick = k + Pick(span, random);
        std::swap(pool[At(k)], pool[At(pick)]);
        layout[At(pool[At(k)])] = 1;
    }
}

// A layout of `mines` drawn evenly from the pool alone.
void DrawUniform(std::vector<int>& pool, int mines, const RandomSource& random,
                 std::vector<std::uint8_t>& layout) {
    std::fill(layout.begin(), layout.end(), 0);
    DrawInto(pool, mines, random, layout);
}

// The safe cells packed around the opening, ring after ring, each ring filled as one arc from
// the given angle: the opening floods to the full rings and each partly filled ring reads off
// its arc along the numbers of the ring inside it.
std::vector<std::uint8_t> CompactLayout(const NoGuessBoard& board, double fromAngle) {
    const int size = board.rows * board.cols;
    const int firstRow = board.firstCell / board.cols;
    const int firstCol = board.firstCell % board.cols;
    const auto angle = [&](int index) {
        const double turn =
            std::atan2(index / board.cols - firstRow, index % board.cols - firstCol);
        return std::fmod(turn - fromAngle + 4 * std::numbers::pi, 2 * std::numbers::pi);
    };
    std::vector<int> order(At(size));
    for (int index = 0; index < size; ++index) {
        order[At(index)] = index;
    }
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int da = Distance(board, a);
        const int db = Distance(board, b);
        return da != db ? da < db : angle(a) < angle(b);
    });
    std::vector<std::uint8_t> layout(At(size), 0);
    for (int k = size - board.mines; k < size; ++k) {
        layout[At(order[At(k)])] = 1;
    }
    return layout;
}

// Where a play-out stood still, the cells sorted by what a repair may do with them.
struct Standstill {
    std::vector<int> frontier;      // unresolved, seen by a number
    std::vector<int> frontierSafe;  // the same, safe
    std::vector<int> frontierMines;
    std::vector<int> hiddenMines;  // unresolved, seen by no number yet
    std::vector<int> hiddenSafe;   // the same, safe
    std::vector<int> cleared;      // uncovered, outside the opening
    std::vector<int> walls;        // marked mines next to an uncovered cell

    void Read(const NoGuessBoard& board, const Playout& playout,
              const std::vector<std::uint8_t>& layout) {
        for (std::vector<int>* list : {&frontier, &frontierSafe, &frontierMines, &hiddenMines,
                                       &hiddenSafe, &cleared, &walls}) {
            list->clear();
        }
        for (int index = 0; index < board.rows * board.cols; ++index) {
            const bool mine = layout[At(index)] != 0;
            if (playout.OnFrontier(index)) {
                frontier.push_back(index);
                (mine ? frontierMines : frontierSafe).push_back(index);
            } else if (playout.Unresolved(index)) {
                (mine ? hiddenMines : hiddenSafe).push_back(index);
            } else if (playout.Uncovered(index)) {
                if (Distance(board, index) > 1) {
                    cleared.push_back(index);
                }
            } else if (playout.Seen(index)) {
                walls.push_back(index);
            }
        }
    }
};

// The first of the lists that is not empty; nullptr when all are.
const std::vector<int>* FirstFilled(std::initializer_list<const std::vector<int>*> lists) {
    for (const std::vector<int>* list : lists) {
        if (!list->empty()) {
            return list;
        }
    }
    return nullptr;
}

// One repair at a standstill: a frontier cell changes sides, so the numbers around it say
// something new, and a cell the numbers do not see yet changes the other way, so the count
// stays. Only where every covered cell is seen does the partner come from the uncovered cells
// (a mine) or the frontier itself. Where marks wall the uncovered cells in, one of them gives
// its mine away. False when the standstill offers no move at all.
bool Repair(const Standstill& at, std::vector<std::uint8_t>& layout, const RandomSource& random) {
    const std::vector<int>* cells = FirstFilled({&at.frontier, &at.walls});
    if (cells == nullptr) {
        return false;
    }
    const int cell = (*cells)[At(Pick(static_cast<int>(cells->size()), random))];
    const bool mine = layout[At(cell)] != 0;
    const std::vector<int>* partners =
        mine ? FirstFilled({&at.hiddenSafe, &at.cleared, &at.frontierSafe})
             : FirstFilled({&at.hiddenMines, &at.frontierMines});
    if (partners == nullptr) {
        return false;
    }
    const int partner = (*partners)[At(Pick(static_cast<int>(partners->size()), random))];
    layout[At(cell)] = mine ? 0 : 1;
    layout[At(partner)] = mine ? 1 : 0;
    return true;
}

}  // namespace

std::optional<NoGuessLayout> LayNoGuess(const NoGuessBoard& board, const RandomSource& random,
                                        const NoGuessLimits& limits) {
    Check(board);
    const int size = board.rows * board.cols;
    Playout playout(board.rows, board.cols);
    std::vector<int> pool;
    for (int index = 0; index < size; ++index) {
        if (Distance(board, index) > 1) {
            pool.push_back(index);
        }
    }
    NoGuessLayout result;
    result.mines.assign(At(size), 0);
    NodeBudget budget{.perAnalysis = limits.nodesPerAnalysis, .left = limits.nodes};
    // Above this density (mines over the cells outside the opening) so few layouts are won that
    // rejection would only spend its tries.
    const bool sparse = board.mines <= limits.drawnUpTo * static_cast<double>(pool.size());
    while (sparse && result.tries < limits.tries && budget.left > 0) {
        ++result.tries;
        DrawUniform(pool, board.mines, random, result.mines);
        if (!HasForcedGuess(board.rows, board.cols, result.mines, board.firstCell) &&
            playout.Solves(result.mines, board.firstCell, budget)) {
            return result;
        }
    }
    // Rejection gave up or never started: on a board this dense few layouts are solvable. The
    // repairs play out with the cheap rules only, which stand still where the analysis might not,
    // and move a mine there; a layout they win is won by the full play-out as well, by the same
    // moves in the same order. The analysis at their standstills costs more than the repairs it
    // saves.
    result.method = NoGuessMethod::Repaired;
    Standstill standstill;
    bool fresh = result.tries == 0;
    constexpr long kPlayoutCells = 64;
    while (result.repairs * (size + kPlayoutCells) < limits.repairCells) {
        if (fresh) {
            ++result.tries;
            DrawUniform(pool, board.mines, random, result.mines);
        }
        ++result.repairs;
        const PlayoutEnd end =
            playout.Play(result.mines, board.firstCell, budget, Playout::Rules::CheapOnly);
        if (end == PlayoutEnd::Solved) {
            return result;
        }
        standstill.Read(board, playout, result.mines);
        fresh = end == PlayoutEnd::Wrong || !Repair(standstill, result.mines, random);
    }
    // Where no compact layout is proven either, the tiny and thin boards tried had none that
    // logic wins.
    result.method = NoGuessMethod::Compact;
    for (int start = 0; start < limits.compactStarts; ++start) {
        result.mines = CompactLayout(board, start * 2 * std::numbers::pi / limits.compactStarts);
        NodeBudget proof{.perAnalysis = limits.nodesPerAnalysis, .left = limits.nodes};
        if (playout.Solves(result.mines, board.firstCell, proof)) {
            return result;
        }
    }
    return std::nullopt;
}

std::vector<std::uint8_t> LayAroundOpening(const NoGuessBoard& board, const RandomSource& random) {
    std::vector<int> away;
    std::vector<int> near;
    for (int index = 0; index < board.rows * board.cols; ++index) {
        if (index != board.firstCell) {
            (Distance(board, index) > 1 ? away : near).push_back(index);
        }
    }
    std::vector<std::uint8_t> layout(At(board.rows * board.cols), 0);
    const int inAway = std::min(board.mines, static_cast<int>(away.size()));
    DrawInto(away, inAway, random, layout);
    DrawInto(near, std::min(board.mines - inAway, static_cast<int>(near.size())), random, layout);
    return layout;
}

}  // namespace dravik::analysis
