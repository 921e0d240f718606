#include "rules/strong_rules.h"

#include "board/position.h"
#include "rules/repeated_run.h"

namespace dravik {

int StrongRule::Apply(const std::vector<analysis::Move>& moves) {
    const Board& board = board_;
    int made = 0;
    for (const analysis::Move& move : moves) {
        const CellRef cell = board.CellAt(static_cast<std::int16_t>(move.index));
        // An earlier move of the pass may have opened it already: a flood, or what a wrong mark
        // led to.
        if (!board.IsCovered(cell.index)) {
            continue;
        }
        if (move.mine) {
            play_.MarkCell(cell.index, false);
        } else if (play_.UncoverCell(cell.index, cell.row, cell.col) != kFalse) {
            return -1;
        }
        ++made;
    }
    return made;
}

std::int16_t StrongRule::Pass() {
    // No number shows yet, and the count of mines left alone would prove moves about a grid
    // that holds no mine.
    if (board_.Laying == MineLaying::AwaitingFirstClick) {
        return 0;
    }
    if (rule_ == RuleKind::Complete) {
        const analysis::Analysis found =
            analysis::Analyse(Position::FromBoard(board_), {.withOdds = false});
        return static_cast<std::int16_t>(Apply(found.certain));
    }
    const std::int16_t fired = obviousRule_.ObviousRuleScan();
    if (fired < 0) {
        return fired;
    }
    const int made = Apply(analysis::PairsMoves(Position::FromBoard(board_)));
    return static_cast<std::int16_t>(made < 0 ? -1 : fired + made);
}

void StrongRule::RepeatedRun() {
    RunRepeatedly(board_, context_, options_, [this] {
        const std::int16_t result = Pass();
        keepUp_.ScorePass(result);
        return result;
    });
}

}  // namespace dravik
