#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "board/board.h"
#include "board/mod_dravik.h"
#include "forms/board_cursor.h"
#include "forms/frm_custom.h"
#include "forms/frm_options.h"
#include "rules/game.h"
#include "toolkit/controls.h"
#include "toolkit/form_context.h"
#include "toolkit/input_codes.h"
#include "toolkit/toolkit.h"

namespace dravik {

// The main window: its controls and every handler of its events, each handing the player's
// action to the game. The front end calls the handlers and mirrors the controls; a handler of an
// unloaded window does nothing.
class frmDravik : public Form {
    // First, so that the controls it holds exist before the window's names for them.
    ModDravik& options_;
    FormContext context_;
    Board board_;

  public:
    frmDravik(Toolkit& toolkit, ModDravik& options);
    ~frmDravik() override;

    // Controls, as created. Those that show the game are the board's own, part of its state.
    WindowFrame Window;
    Font WindowFont;
    Frame SSPanel1;
    std::vector<Label>& cmdMine = board_.cmdMine;  // element 0 is the template of every cell
    TextBox& txtPlots = board_.txtPlots;
    CheckBox chkExtra;
    CheckBox chkKeepUp;
    CommandButton cmdReplay;
    CommandButton cmdMultiple;
    CommandButton mnuRule1_Once;
    TextBox& txtMines = board_.txtMines;
    Label& lblKeepUp = board_.lblKeepUp;

    MenuItem mnuFile;
    MenuItem mnuReplay;
    MenuItem mnuSep4;
    // The board sizes, one group: exactly one is ticked, the one of the board played.
    MenuItem mnuBeginner;
    MenuItem mnuIntermediate;
    MenuItem mnuExpert;
    MenuItem mnuCustom;
    MenuItem mnuSep6;
    MenuItem mnuNoGuess;
    MenuItem mnuSep5;
    MenuItem mnuExit;
    MenuItem mnuRules;
    MenuItem mnuRule1Once;
    MenuItem mnuRule2;
    MenuItem mnuSep1;
    MenuItem mnuRule1;
    MenuItem mnuSep2;
    MenuItem mnuHint;
    MenuItem mnuPairsRule;
    MenuItem mnuCompleteLogic;
    MenuItem mnuSep3;
    MenuItem mnuKeepUpOpponent;
    // The submenu of mnuKeepUpOpponent, one item per RuleKind in its order, exactly one ticked.
    std::array<MenuItem, 3> mnuOpponent;
    MenuItem mnuHelp;
    MenuItem mnuLargeScreen;
    MenuItem mnuOption;
    MenuItem mnuAbout;
    // Where the keys act on the board while it has the focus.
    BoardCursor Cursor;

    // Loads the window: counts it as loaded and runs Form_Load.
    void Load();

    // Event handlers.
    void Form_Load();
    void Form_Activate();
    void Form_KeyDown(std::int16_t keyCode, std::int16_t shift);
    void Form_KeyUp(std::int16_t keyCode, std::int16_t shift);
    void cmdMine_MouseUp(std::int16_t index, std::int16_t button, std::int16_t shift, float x,
                         float y);
    void cmdMine_Click(std::int16_t index);
    // A key pressed while the board has the focus, after the window's own key handler saw it.
    void cmdMine_KeyDown(std::int16_t keyCode, std::int16_t shift);
    void cmdMine_GotFocus();
    void cmdMine_LostFocus();
    void cmdReplay_Click();
    void cmdMultiple_Click();
    void mnuRule1_Once_Click();
    void chkKeepUp_Click();
    void chkExtra_Click();
    void mnuReplay_Click();
    void mnuBeginner_Click();
    void mnuIntermediate_Click();
    void mnuExpert_Click();
    void mnuCustom_Click();
    void mnuExit_Click();
    void mnuNoGuess_Click();
    void mnuRule1Once_Click();
    void mnuRule2_Click();
    void mnuRule1_Click();
    void mnuHint_Click();
    void mnuPairsRule_Click();
    void mnuCompleteLogic_Click();
    void mnuOpponent_Click(std::int16_t index);
    void mnuOption_Click();
    void mnuAbout_Click();
    // The window's close box: the same as "E&xit".
    void closeBoxClicked();
    // The window has the keyboard back (a box or dialog closed, or it was activated) with these
    // modifier bits held.
    void keyboardReturned(std::int16_t shift);

    static Colour MinesColour(std::int16_t nofmines) { return Board::MinesColour(nofmines); }

    // For the front end and tests.
    Board& GetBoard() { return board_; }
    const Board& GetBoard() const { return board_; }
    frmOptions* OptionsForm() { return optionsForm_.get(); }
    const PlayerChoices& Choices() const { return game_.Choices(); }
    // True once the start question was cancelled: the window holds no board and closes at its
    // first activation.
    bool StartCancelled() const { return startCancelled_; }

  private:
    void CreateControls();
    // Runs a handler body unless the window is gone or its board is not built (while the start
    // question is open, or after it was cancelled); a body that finds its window unloaded
    // meanwhile unwinds to here.
    template <typename Body>
    void Handle(Body&& body);

    // Ticks and check boxes show the game's choices, and the cursor stays on the board; run
    // after every handler.
    void ShowChoices();

    // True while a run started from a menu item or "Multi" lasts: no second one may start.
    bool GuardedRunInProgress() const;
    // A repeated run under the guard, then what follows every run; a refused run is no run and
    // is followed by nothing.
    void GuardedRun(MenuItem& item, RuleKind rule, RunSource source);

    Game game_;
    std::unique_ptr<frmOptions> optionsForm_;
    bool startCancelled_ = false;
    bool started_ = false;
};

}  // namespace dravik
