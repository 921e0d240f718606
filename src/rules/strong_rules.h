#pragma once

#include <cstdint>
#include <vector>

#include "analysis/analysis.h"
#include "board/board.h"
#include "board/mod_dravik.h"
#include "play/play.h"
#include "rules/hint.h"
#include "rules/keep_up.h"
#include "rules/obvious_rule.h"
#include "toolkit/form_context.h"

namespace dravik {

// The deductions the game can run, weakest first. Each finds every move the one before finds.
enum class Deduction { Obvious, Pairs, Complete };

// The stronger rules: the pairs rule on top of the obvious one, and complete logic, each run
// the way the obvious rule runs (passes, yields, Escape, the count, keep-up scoring), and each
// able to stand in for the obvious rule as the keep-up opponent. They move only through Play,
// so the board, its counters and the mine alarm behave as in manual play.
class StrongRules {
  public:
    StrongRules(Board& board, Play& play, KeepUp& keepUp, ObviousRule& obviousRule, Hint& hint,
                FormContext& context, const ModDravik& options)
        : board_(board),
          play_(play),
          keepUp_(keepUp),
          obviousRule_(obviousRule),
          hint_(hint),
          context_(context),
          options_(options) {}

    // One pass: the number of moves made (0 when nothing changed), or -1 as soon as a move met a
    // mine.
    std::int16_t Pass(Deduction rule);
    // One pass, scored in keep-up mode.
    std::int16_t PassOnce(Deduction rule);
    // Passes until one changes nothing, meets a mine or Escape stops the run; pending events run
    // between the passes.
    void Multiple(Deduction rule);
    // The opponent's answer to a player move in keep-up mode.
    void KeepUpAfterMove(Deduction rule);

  private:
    // Makes the moves still open on the board, in order; -1 at the first that meets a mine.
    int Apply(const std::vector<analysis::Move>& moves);

    Board& board_;
    Play& play_;
    KeepUp& keepUp_;
    ObviousRule& obviousRule_;
    Hint& hint_;
    FormContext& context_;
    const ModDravik& options_;
};

}  // namespace dravik
