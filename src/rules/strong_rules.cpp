#include "rules/strong_rules.h"

#include "board/position.h"
#include "toolkit/text.h"

namespace dravik {

namespace {
constexpr int kMovePoint = 1;
constexpr int kMinePenalty = 3;
constexpr int kPassCredit = -1;
}  // namespace

int StrongRules::Apply(const std::vector<analysis::Move>& moves) {
    int made = 0;
    for (const analysis::Move& move : moves) {
        const CellRef cell = board_.CellAt(static_cast<std::int16_t>(move.index));
        // An earlier move of the pass may have opened it already: a flood, or a wrong mark's
        // consequences.
        if (!board_.IsCovered(cell.index)) {
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

std::int16_t StrongRules::Pass(Deduction rule) {
    hint_.ClearHint();
    switch (rule) {
        case Deduction::Obvious:
            return obviousRule_.ObviousRuleScan();
        case Deduction::Pairs: {
            const std::int16_t fired = obviousRule_.ObviousRuleScan();
            if (fired < 0) {
                return fired;
            }
            const int made = Apply(analysis::PairsMoves(Position::FromBoard(board_)));
            return static_cast<std::int16_t>(made < 0 ? -1 : fired + made);
        }
        case Deduction::Complete:
            break;
    }
    const int made =
        Apply(analysis::Analyse(Position::FromBoard(board_), {.withOdds = false}).certain);
    return static_cast<std::int16_t>(made);
}

std::int16_t StrongRules::PassOnce(Deduction rule) {
    if (rule == Deduction::Obvious) {
        return obviousRule_.ObviousRuleOnce();
    }
    const std::int16_t result = Pass(rule);
    if (keepUp_.On()) {
        if (result > 0) {
            keepUp_.Add(kPassCredit);
        } else if (result < 0) {
            keepUp_.Add(kMinePenalty);
        }
    }
    return result;
}

void StrongRules::Multiple(Deduction rule) {
    if (rule == Deduction::Obvious) {
        obviousRule_.ObviousRuleMultiple();
        return;
    }
    board_.StopFlag = kFalse;
    std::int16_t passes = 0;
    std::int16_t result = 0;
    do {
        result = PassOnce(rule);
        ++passes;
        context_.Yield();
    } while (result > 0 && board_.StopFlag == kFalse);
    if (((~board_.StopFlag) & options_.ShowRuleCount) != 0) {
        context_.MsgBox("Number of Times rule applied: " + FormatPlain(passes));
    }
}

void StrongRules::KeepUpAfterMove(Deduction rule) {
    if (rule == Deduction::Obvious) {
        obviousRule_.KeepUpAfterMove();
        return;
    }
    if (!keepUp_.On()) {
        return;
    }
    if (keepUp_.Extra()) {
        keepUp_.Add(kMovePoint);
        Multiple(rule);
    } else if (Pass(rule) == 0) {
        keepUp_.Add(kMovePoint);
    }
}

}  // namespace dravik
