#include "rules/game.h"

#include <optional>
#include <stdexcept>
#include <vector>

#include "analysis/no_guess.h"

namespace dravik {

Game::Game(Board& board, FormContext& context, const ModDravik& options,
           const KeepUpControls& keepUpControls)
    : board_(board),
      context_(context),
      play_(board, context, options),
      keepUp_(board, choices_, keepUpControls.lblKeepUp, keepUpControls.chkExtra),
      obviousRule_(board, play_, keepUp_, context, options),
      twoAdjacent_(board, play_, context),
      pairsRule_(RuleKind::Pairs, board, play_, keepUp_, obviousRule_, context, options),
      completeLogic_(RuleKind::Complete, board, play_, keepUp_, obviousRule_, context, options),
      opponent_(obviousRule_),
      moves_(board, play_, keepUp_, opponent_),
      hint_(board, context) {}

void Game::Start(bool largeScreen) {
    choices_.largeScreen = largeScreen;
    board_.LargeScreen = largeScreen ? 1 : 0;
    board_.SetLayout(board_.LargeScreen, choices_.size);
    board_.BuildBoard();
    LayMines();
}

void Game::NewGame() {
    board_.SetLayout(board_.LargeScreen, choices_.size);
    // A game of the same size reuses its cells, as every replay at the same level always has.
    if (board_.NeedsBuilding()) {
        board_.BuildBoard();
    } else {
        board_.ResetBoard();
    }
    LayMines();
    keepUp_.Reset();
}

void Game::ChooseSize(const BoardSize& size) {
    choices_.size = size;
    NewGame();
}

void Game::LayMines() {
    if (choices_.noGuess) {
        AwaitFirstClick();
        return;
    }
    board_.Laying = MineLaying::Random;
    board_.LayMineField([this] { return context_.Rnd(); });
}

void Game::AwaitFirstClick() {
    board_.ClearMineGrid();
    board_.Laying = MineLaying::AwaitingFirstClick;
}

void Game::ChooseNoGuess(bool on) {
    choices_.noGuess = on;
    const bool untouched = board_.PlotsLeft == board_.Rows * board_.Cols;
    if (on && untouched && board_.Laying == MineLaying::Random) {
        AwaitFirstClick();
        // A hint about the old mines no longer holds.
        board_.SetOutlines(-1, {});
    }
}

void Game::LayForFirstClick(std::int16_t index) {
    const RandomSource random = [this] { return context_.Rnd(); };
    const analysis::NoGuessBoard board{board_.Rows, board_.Cols, board_.MineCount, index};
    std::optional<analysis::NoGuessLayout> layout;
    try {
        layout = analysis::LayNoGuess(board, random, noGuessLimits_);
    } catch (const std::invalid_argument&) {
        // The mines do not fit outside the opening: no layout to look for.
    }
    if (layout) {
        SetMines(layout->mines);
        board_.Laying = MineLaying::NoGuess;
        return;
    }
    SetMines(analysis::LayAroundOpening(board, random));
    board_.Laying = MineLaying::Random;
    context_.MsgBox(
        "No board that logic alone can win was found for this size and number of mines; this one "
        "may need a guess.");
}

void Game::SetMines(const std::vector<std::uint8_t>& mines) {
    for (std::int16_t cell = 0; cell < board_.Rows * board_.Cols; ++cell) {
        const CellRef at = board_.CellAt(cell);
        board_.MineGrid(at.row, at.col) =
            static_cast<std::int16_t>(mines.at(static_cast<std::size_t>(cell)));
    }
}

void Game::ClickCell(std::int16_t index) {
    if (board_.Laying == MineLaying::AwaitingFirstClick && board_.IsCovered(index)) {
        LayForFirstClick(index);
    }
    moves_.ClickCell(index);
}

void Game::ToggleMark(std::int16_t index) {
    moves_.ToggleMark(index);
}

void Game::ObviousRuleOnce() {
    obviousRule_.ObviousRuleOnce();
}

void Game::RunRepeatedly(RuleKind rule) {
    Rule(rule).RepeatedRun();
}

void Game::TwoAdjacentRule() {
    twoAdjacent_.TwoAdjacentRule();
}

void Game::AfterRun(RuleKind rule, RunSource source) {
    if (rule != RuleKind::Obvious || source == RunSource::Button) {
        play_.CheckForWin();
    }
}

void Game::CheckForWin() {
    play_.CheckForWin();
}

void Game::ShowHint() {
    hint_.ShowHint();
}

void Game::ChooseOpponent(RuleKind rule) {
    choices_.opponent = rule;
    opponent_.Choose(Rule(rule));
}

void Game::ChooseKeepUp(bool on) {
    choices_.keepUp = on;
    keepUp_.ShowControls();
}

void Game::ChooseExtra(bool on) {
    choices_.extra = on;
}

KeepUpOpponent& Game::Rule(RuleKind rule) {
    switch (rule) {
        case RuleKind::Pairs:
            return pairsRule_;
        case RuleKind::Complete:
            return completeLogic_;
        case RuleKind::Obvious:
            break;
    }
    return obviousRule_;
}

}  // namespace dravik
