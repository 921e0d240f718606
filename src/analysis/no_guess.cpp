#include "analysis/no_guess.h"

#include <algorithm>
#include <cmath>
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

// Draws `mines` of the pool's cells evenly by a partial shuffle; the pool's order going in does
// not matter, so it is never restored.
void DrawUniform(std::vector<int>& pool, int mines, const RandomSource& random,
                 std::vector<std::uint8_t>& layout) {
    std::fill(layout.begin(), layout.end(), 0);
    const int size = static_cast<int>(pool.size());
    for (int k = 0; k < mines; ++k) {
        const int span = size - k;
        const int pick =
            k +
            std::min(span - 1, static_cast<int>(std::floor(static_cast<double>(random()) * span)));
        std::swap(pool[At(k)], pool[At(pick)]);
        layout[At(pool[At(k)])] = 1;
    }
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
    long nodesLeft = limits.nodes;
    while (result.tries < limits.tries && nodesLeft > 0) {
        ++result.tries;
        DrawUniform(pool, board.mines, random, result.mines);
        if (!HasForcedGuess(board.rows, board.cols, result.mines, board.firstCell) &&
            playout.Solves(result.mines, board.firstCell, limits.nodesPerAnalysis, nodesLeft)) {
            return result;
        }
    }
    // Rejection gave up: on boards this dense or this small few layouts, if any, are solvable.
    // Where no compact layout is proven either, the tiny and thin boards tried one layout at a
    // time had none that logic wins.
    result.compact = true;
    constexpr int kArcStarts = 8;
    for (int start = 0; start < kArcStarts; ++start) {
        result.mines = CompactLayout(board, start * 2 * std::numbers::pi / kArcStarts);
        long proofNodes = limits.nodes;
        if (playout.Solves(result.mines, board.firstCell, limits.nodesPerAnalysis, proofNodes)) {
            return result;
        }
    }
    return std::nullopt;
}

}  // namespace dravik::analysis
