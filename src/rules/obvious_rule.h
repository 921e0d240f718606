#pragma once

#include <cstdint>

#include "board/board.h"
#include "board/mod_dravik.h"
#include "play/play.h"
#include "rules/keep_up.h"
#include "toolkit/form_context.h"

namespace dravik {

// The single-cell deduction: at a number whose covered and marked neighbours together equal it,
// mark all covered ones; at a number whose marks equal its mines, uncover the rest. It is the
// opponent in keep-up mode.
class ObviousRule : public KeepUpOpponent {
  public:
    ObviousRule(Board& board, Play& play, KeepUp& keepUp, FormContext& context,
                const ModDravik& options)
        : board_(board), play_(play), keepUp_(keepUp), context_(context), options_(options) {}

    // One row-major scan: the number of cells where the rule fired, or -1 as soon as an
    // uncovering met a mine.
    std::int16_t ObviousRuleScan();
    // One scan, scored in keep-up mode.
    std::int16_t ObviousRuleOnce();
    // Scans until one changes nothing, meets a mine or Escape stops the run; pending events run
    // between the scans.
    void ObviousRuleMultiple();

    std::int16_t Pass() override { return ObviousRuleScan(); }
    void RepeatedRun() override { ObviousRuleMultiple(); }

  private:
    // The rule at one cell: 1 when it fired, 0 when not, -1 when it met a mine.
    int FireAt(const CellRef& cell);

    Board& board_;
    Play& play_;
    KeepUp& keepUp_;
    FormContext& context_;
    const ModDravik& options_;
};

}  // namespace dravik
