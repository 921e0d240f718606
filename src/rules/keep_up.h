#pragma once

#include <cstdint>

#include "board/board.h"
#include "rules/choices.h"
#include "toolkit/controls.h"

namespace dravik {

// The computer's side in keep-up mode: the rule that answers every player move.
class KeepUpOpponent {
  public:
    virtual ~KeepUpOpponent() = default;
    // One unscored scan of the board: the number of cells where it fired, or -1 as soon as it
    // met a mine.
    virtual std::int16_t Pass() = 0;
    // Passes until one changes nothing, meets a mine or is stopped; each pass is scored through
    // KeepUp::ScorePass.
    virtual void RepeatedRun() = 0;
};

// The keep-up score, all of it: player moves and mine hits raise it, productive passes of the
// opponent lower it. It shows as "n Behind" (0 and up) or "n Ahead" (below 0) in lblKeepUp.
// With keep-up off nothing scores.
class KeepUp {
  public:
    KeepUp(Board& board, const PlayerChoices& choices, Label& lblKeepUp, CheckBox& chkExtra)
        : board_(board), choices_(choices), lblKeepUp_(lblKeepUp), chkExtra_(chkExtra) {}

    bool On() const { return choices_.keepUp; }
    bool Extra() const { return choices_.extra; }

    // The opponent's answer to a player move. With "Extra" the move scores and the opponent
    // runs to the end; without, one pass follows, and the move scores only when that pass
    // finds nothing to do.
    void AfterMove(KeepUpOpponent& opponent);
    // A pass of a rule, whoever started it, by its result: one point off however many cells
    // fired, three on when it met a mine.
    void ScorePass(std::int16_t result);
    // A player's click on an unmarked mine.
    void ScoreMineHit();

    // Moves the score, stopping at the ends of the 16-bit range, and shows it.
    void Add(int delta);
    // Back to 0 for a new game, shown.
    void Reset();
    void ShowKeepUp();
    // The label and "Extra" are shown exactly while keep-up mode is on.
    void ShowControls();

  private:
    Board& board_;
    const PlayerChoices& choices_;
    Label& lblKeepUp_;
    CheckBox& chkExtra_;
};

}  // namespace dravik
