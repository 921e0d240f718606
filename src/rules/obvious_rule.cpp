#include "rules/obvious_rule.h"

#include "rules/repeated_run.h"
#include "toolkit/text.h"

namespace dravik {

int ObviousRule::FireAt(const CellRef& cell) {
    const std::int16_t n = board_.CellNumber(cell.index);
    if (n <= 0) {
        return 0;
    }
    const Board::NeighbourCounts around = board_.CountCoveredAndMarks(cell);
    if (around.covered == 0) {
        return 0;
    }
    if (around.marks + around.covered == n) {
        play_.MarkNeighbours(cell.index, cell.row, cell.col);
        return 1;
    }
    if (around.marks == board_.AdjacentMineCount(cell.row, cell.col)) {
        return play_.UncoverNeighbours(cell.index, cell.row, cell.col) < 0 ? -1 : 1;
    }
    return 0;
}

std::int16_t ObviousRule::ObviousRuleScan() {
    std::int16_t fired = 0;
    for (std::int16_t row = 1; row <= board_.Rows; ++row) {
        for (std::int16_t col = 1; col <= board_.Cols; ++col) {
            const int result = FireAt(CellRef{board_.CellIndex(row, col), row, col});
            if (result < 0) {
                return -1;
            }
            fired = static_cast<std::int16_t>(fired + result);
        }
    }
    return fired;
}

std::int16_t ObviousRule::ObviousRuleOnce() {
    const std::int16_t result = ObviousRuleScan();
    keepUp_.ScorePass(result);
    return result;
}

void ObviousRule::ObviousRuleMultiple() {
    RunRepeatedly(board_, context_, options_, [this] { return ObviousRuleOnce(); });
}

}  // namespace dravik
