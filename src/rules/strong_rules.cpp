#include "rules/strong_rules.h"

#include "board/position.h"
#include "rules/repeated_run.h"

namespace dravik {

int StrongRule::Apply(const std::vector<analysis::Move>& moves) {
    Board& board = parts_.board;
    int made = 0;
    for (const analysis::Move& move : moves) {
        const CellRef cell = board.CellAt(static_cast<std::int16_t>(move.index));
        // An earlier move of the pass may have opened it already: a flood, or what a wrong mark
        // led to.
        if (!board.IsCovered(cell.index)) {
            continue;
        }
        if (move.mine) {
            parts_.play.MarkCell(cell.index, false);
        } else if (parts_.play.UncoverCell(cell.index, cell.row, cell.col) != kFalse) {
            return -1;
        }
        ++made;
    }
    return made;
}

std::int16_t StrongRule::Pass() {
    // The board is about to change under the last hint's outlines.
    parts_.hint.ClearHint();
    if (deduction_ == Deduction::Complete) {
        const analysis::Analysis found =
            analysis::Analyse(Position::FromBoard(parts_.board), {.withOdds = false});
        return static_cast<std::int16_t>(Apply(found.certain));
    }
    const std::int16_t fired = parts_.obviousRule.ObviousRuleScan();
    if (fired < 0) {
        return fired;
    }
    const int made = Apply(analysis::PairsMoves(Position::FromBoard(parts_.board)));
    return static_cast<std::int16_t>(made < 0 ? -1 : fired + made);
}

void StrongRule::RepeatedRun() {
    RunRepeatedly(parts_.board, parts_.context, parts_.options, [this] {
        const std::int16_t result = Pass();
        parts_.keepUp.ScorePass(result);
        return result;
    });
}

}  // namespace dravik
