#pragma once

#include <cstdint>

#include "analysis/no_guess.h"
#include "board/board.h"
#include "board/mod_dravik.h"
#include "play/play.h"
#include "rules/hint.h"
#include "rules/keep_up.h"
#include "rules/moves.h"
#include "rules/obvious_rule.h"
#include "rules/strong_rules.h"
#include "rules/two_adjacent_rule.h"
#include "toolkit/controls.h"
#include "toolkit/form_context.h"

namespace dravik {

// The controls keep-up mode reads and writes; the window owns them.
struct KeepUpControls {
    Label& lblKeepUp;
    CheckBox& chkKeepUp;
    CheckBox& chkExtra;
};

// The rules a player can run repeatedly or choose as the keep-up opponent, in the order of the
// opponent submenu.
enum class RuleKind : std::int16_t { Obvious, Pairs, Complete };

// The game behind the window: every move, rule run and hint goes through here, and here only.
// The window turns its events into these calls; what it guards (one repeated run at a time)
// and the keys and buttons held stay with it.
class Game {
  public:
    Game(Board& board, FormContext& context, const ModDravik& options,
         const KeepUpControls& keepUpControls);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // The first game of a run: lays out and creates the cells, then the mines.
    void Start();
    // Every later game: the same cells covered again, new mines, the score back to 0.
    void NewGame();

    // A left click without a marking key held.
    void ClickCell(std::int16_t index);
    // A right click, or a left click with a marking key held.
    void ToggleMark(std::int16_t index);

    // One pass of the obvious rule, scored in keep-up mode.
    void ObviousRuleOnce();
    // Passes of the rule until one changes nothing, meets a mine or Escape stops the run.
    void RunRepeatedly(RuleKind rule);
    // One sweep of the 2-adjacent rule.
    void TwoAdjacentRule();
    void CheckForWin();

    void ShowHint();
    // Ticks or unticks "No-Guess Boards"; the choice outlasts a game. Ticked, every new game is
    // a no-guess board, and so is the current one at once if nothing on it is uncovered or
    // marked; unticked, the next new game lays its mines at the start again.
    void ChooseNoGuess(bool on);
    // What the no-guess generator may spend before the first click gives up on a board logic
    // alone wins; the defaults take about a second.
    void SetNoGuessLimits(const analysis::NoGuessLimits& limits) { noGuessLimits_ = limits; }
    // The rule that answers the player's moves in keep-up mode; the choice outlasts a game.
    void ChooseOpponent(RuleKind rule);
    // Shows or hides the keep-up score and "Extra" as the keep-up box says.
    void ShowKeepUpControls();

  private:
    // Where every game's mines come from.
    void LayMines();
    void AwaitFirstClick();
    // Lays the mines of a no-guess board around its first uncovered cell.
    void LayForFirstClick(std::int16_t index);
    // Mines drawn evenly away from the cell and its neighbours, as many as fit there; the rest
    // (only on a board too small for them) on the neighbours.
    void LayAround(std::int16_t index, const RandomSource& random);
    KeepUpOpponent& Rule(RuleKind rule);

    Board& board_;
    FormContext& context_;
    Play play_;
    KeepUp keepUp_;
    ObviousRule obviousRule_;
    TwoAdjacent twoAdjacent_;
    StrongRule pairsRule_;
    StrongRule completeLogic_;
    ChosenOpponent opponent_;
    Moves moves_;
    Hint hint_;
    bool noGuess_ = false;
    analysis::NoGuessLimits noGuessLimits_;
};

}  // namespace dravik
