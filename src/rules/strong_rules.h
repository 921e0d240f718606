#pragma once

#include <cstdint>
#include <vector>

#include "analysis/analysis.h"
#include "board/board.h"
#include "board/mod_dravik.h"
#include "play/play.h"
#include "rules/keep_up.h"
#include "rules/obvious_rule.h"
#include "toolkit/form_context.h"

namespace dravik {

// The pairs rule (on top of the obvious rule) or complete logic, run the way the obvious rule
// runs (passes, yields, Escape, the count, keep-up scoring) and able to stand in for it as the
// keep-up opponent. It moves only through Play, so the board, its counters and the mine alarm
// behave as in manual play, and it trusts the marks as the obvious rule does.
class StrongRule : public KeepUpOpponent {
  public:
    // rule is Pairs or Complete. The pairs rule runs the obvious rule's scan first; complete
    // logic never does.
    StrongRule(RuleKind rule, Board& board, Play& play, KeepUp& keepUp, ObviousRule& obviousRule,
               FormContext& context, const ModDravik& options)
        : rule_(rule),
          board_(board),
          play_(play),
          keepUp_(keepUp),
          obviousRule_(obviousRule),
          context_(context),
          options_(options) {}

    // One unscored pass: the number of moves made (0 when nothing changed), or -1 as soon as a
    // move met a mine.
    std::int16_t Pass() override;
    // Scored passes until one changes nothing, meets a mine or Escape stops the run.
    void RepeatedRun() override;

  private:
    // Makes the moves still open on the board, in order; -1 at the first that meets a mine.
    int Apply(const std::vector<analysis::Move>& moves);

    RuleKind rule_;
    Board& board_;
    Play& play_;
    KeepUp& keepUp_;
    ObviousRule& obviousRule_;
    FormContext& context_;
    const ModDravik& options_;
};

// The keep-up opponent the player ticked; the obvious rule until then.
class ChosenOpponent : public KeepUpOpponent {
  public:
    explicit ChosenOpponent(KeepUpOpponent& first) : chosen_(&first) {}
    void Choose(KeepUpOpponent& opponent) { chosen_ = &opponent; }

    std::int16_t Pass() override { return chosen_->Pass(); }
    void RepeatedRun() override { chosen_->RepeatedRun(); }

  private:
    KeepUpOpponent* chosen_;
};

}  // namespace dravik
