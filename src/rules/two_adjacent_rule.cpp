#include "rules/two_adjacent_rule.h"

#include <exception>

#include "toolkit/runtime_error.h"
#include "toolkit/text.h"

namespace dravik {

void TwoAdjacent::TwoAdjacentRule() {
    try {
        for (std::int16_t row = 2; row <= board_.Rows - 1; ++row) {
            for (std::int16_t col = 2; col <= board_.Cols - 1; ++col) {
                const std::int16_t index = board_.CellIndex(row, col);
                if (board_.CellNumber(index) > 0) {
                    TwoAdjacentAt(index, row, col);
                }
            }
        }
    } catch (const std::exception&) {
        const RuntimeError error = CurrentRuntimeError();
        context_.MsgBox("Gosh, look. one of those error things: " + FormatPlain(error.Number()) +
                        ": " + error.Description());
    }
}

// Cells of the three-cell row `row`, columns col - 1 to col + 1, whose kind is in kinds.
std::int16_t TwoAdjacent::Count(std::int16_t kinds, std::int16_t row, std::int16_t col) const {
    return board_.CountInBlock(kinds, static_cast<std::int16_t>(col - 1), row,
                               static_cast<std::int16_t>(col + 1), row);
}

// UncoverCell leaves marked and uncovered cells alone, so the row needs no test of its own.
void TwoAdjacent::UncoverRow(std::int16_t row, std::int16_t col) {
    for (int c = col - 1; c <= col + 1; ++c) {
        const auto column = static_cast<std::int16_t>(c);
        play_.UncoverCell(board_.CellIndex(row, column), row, column);
    }
}

void TwoAdjacent::MarkRow(std::int16_t row, std::int16_t col) {
    for (int c = col - 1; c <= col + 1; ++c) {
        const std::int16_t index = board_.CellIndex(row, static_cast<std::int16_t>(c));
        if (board_.IsCovered(index)) {
            play_.MarkCell(index, false);
        }
    }
}

void TwoAdjacent::TwoAdjacentAt(std::int16_t index, std::int16_t row, std::int16_t col) {
    const int a = board_.CellNumber(index);
    const int b = board_.CellNumber(static_cast<std::int16_t>(index + board_.Cols));
    if (b == 0) {
        return;
    }
    const auto rowA = static_cast<std::int16_t>(row - 1);  // A's outer row
    const auto rowB = static_cast<std::int16_t>(row + 2);  // B's outer row
    const int mA = Count(kKindMarked, rowA, col);
    const int cA = Count(kKindCovered, rowA, col);
    int mB = 0;
    int cB = 0;
    if (row + 1 != board_.Rows) {  // below the last row there is nothing, so nothing to fear
        mB = Count(kKindMarked, rowB, col);
        cB = Count(kKindCovered, rowB, col);
    }
    const bool emptyA = mA + cA == 0;
    const bool emptyB = mB + cB == 0;

    if (emptyA != emptyB && a == b) {
        UncoverRow(emptyB ? rowA : rowB, col);
    } else if (emptyB && a > b && a - b == mA) {
        UncoverRow(rowA, col);
    } else if (emptyA && b > a && b - a == mB) {
        UncoverRow(rowB, col);
    } else if (emptyB && a > b && a - b == mA + cA) {
        MarkRow(rowA, col);
    } else if (emptyA && b > a && b - a == mB + cB) {
        MarkRow(rowB, col);
    }
}

}  // namespace dravik
