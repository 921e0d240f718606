#include "rules/game.h"

namespace dravik {

Game::Game(Board& board, FormContext& context, const ModDravik& options,
           const KeepUpControls& keepUpControls)
    : board_(board),
      context_(context),
      play_(board, context, options),
      keepUp_(board, keepUpControls.lblKeepUp, keepUpControls.chkKeepUp, keepUpControls.chkExtra),
      obviousRule_(board, play_, keepUp_, context, options),
      twoAdjacent_(board, play_, context),
      pairsRule_(Deduction::Pairs, board, play_, keepUp_, obviousRule_, context, options),
      completeLogic_(Deduction::Complete, board, play_, keepUp_, obviousRule_, context, options),
      opponent_(obviousRule_),
      moves_(board, play_, keepUp_, opponent_),
      hint_(board, context) {}

void Game::Start() {
    board_.SetLayout(board_.LargeScreen);
    board_.BuildBoard();
    LayMines();
}

void Game::NewGame() {
    board_.SetLayout(board_.LargeScreen);
    board_.ResetBoard();
    LayMines();
    keepUp_.Reset();
}

void Game::LayMines() {
    board_.LayMineField([this] { return context_.Rnd(); });
}

void Game::ClickCell(std::int16_t index) {
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

void Game::CheckForWin() {
    play_.CheckForWin();
}

void Game::ShowHint() {
    hint_.ShowHint();
}

void Game::ChooseOpponent(RuleKind rule) {
    opponent_.Choose(Rule(rule));
}

void Game::ShowKeepUpControls() {
    keepUp_.ShowControls();
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
