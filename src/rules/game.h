#pragma once

#include <cstdint>

#include "analysis/no_guess.h"
#include "board/board.h"
#include "board/mod_dravik.h"
#include "play/play.h"
#include "rules/choices.h"
#include "rules/hint.h"
#include "rules/keep_up.h"
#include "rules/moves.h"
#include "rules/obvious_rule.h"
#include "rules/strong_rules.h"
#include "rules/two_adjacent_rule.h"
#include "toolkit/controls.h"
#include "toolkit/form_context.h"

namespace dravik {

// The controls keep-up mode writes; the window owns them.
struct KeepUpControls {
    Label& lblKeepUp;
    CheckBox& chkExtra;
};

// Where the player started a rule run: a menu item or a button of the strip.
enum class RunSource : std::int8_t { Menu, Button };

// The game behind the window: every move, rule run and hint goes through here, and here only,
// and every choice the player makes is kept here. The window turns its events into these calls
// and shows the choices in its ticks and check boxes; what it guards (one repeated run at a
// time) and the keys and buttons held stay with it.
class Game {
  public:
    Game(Board& board, FormContext& context, const ModDravik& options,
         const KeepUpControls& keepUpControls);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // The first game of a run, with the start question's answer: lays out and creates the
    // cells, then the mines.
    void Start(bool largeScreen);
    // Every later game: the cells covered again (made anew when the size changed), new mines,
    // the score back to 0.
    void NewGame();
    // A new game of this size at once; every later game keeps it. size must be one a player
    // can choose (at least 8 x 8, fewer mines than cells less a first click's block of 9), or
    // a level.
    void ChooseSize(const BoardSize& size);

    // A left click without a marking key held.
    void ClickCell(std::int16_t index);
    // A right click, or a left click with a marking key held.
    void ToggleMark(std::int16_t index);

    // One pass of the obvious rule, scored in keep-up mode.
    void ObviousRuleOnce();
    // Passes of the rule until one changes nothing, meets a mine or Escape stops the run.
    void RunRepeatedly(RuleKind rule);
    // What follows every run of a rule, once, whoever started it: the win test, except after
    // the obvious rule run from its menu items.
    void AfterRun(RuleKind rule, RunSource source);
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
    // Keep-up mode on or off: the score and "Extra" show exactly while it is on. Neither
    // resets the score.
    void ChooseKeepUp(bool on);
    void ChooseExtra(bool on);

    const PlayerChoices& Choices() const { return choices_; }

  private:
    // Where every game's mines come from.
    void LayMines();
    void AwaitFirstClick();
    // Lays the mines of a no-guess board around its first uncovered cell.
    void LayForFirstClick(std::int16_t index);
    // The mines of a layout by cell index, 1 a mine.
    void SetMines(const std::vector<std::uint8_t>& mines);
    KeepUpOpponent& Rule(RuleKind rule);

    Board& board_;
    FormContext& context_;
    PlayerChoices choices_;
    Play play_;
    KeepUp keepUp_;
    ObviousRule obviousRule_;
    TwoAdjacent twoAdjacent_;
    StrongRule pairsRule_;
    StrongRule completeLogic_;
    ChosenOpponent opponent_;
    Moves moves_;
    Hint hint_;
    analysis::NoGuessLimits noGuessLimits_;
};

}  // namespace dravik
