#include "forms/frm_dravik.h"

#include "toolkit/text.h"
#include "version.h"

namespace dravik {

frmDravik::frmDravik(Toolkit& toolkit, ModDravik& options)
    : Form(toolkit),
      options_(options),
      context_(*this),
      board_(BoardControls{SSPanel1, Window}),
      game_(board_, context_, options, KeepUpControls{lblKeepUp, chkExtra}) {
    CreateControls();
    context_.onKeyboardBack = [this](std::int16_t shift) { keyboardReturned(shift); };
}

frmDravik::~frmDravik() = default;

template <typename Body>
void frmDravik::Handle(Body&& body) {
    if (!Loaded() || !started_) {
        return;
    }
    try {
        body();
        ShowChoices();
    } catch (const FormUnloaded&) {
        // The window was closed while this handler waited; leave it alone.
    }
}

void frmDravik::ShowChoices() {
    const PlayerChoices& chosen = game_.Choices();
    chkKeepUp.Value = chosen.keepUp ? kChecked : kUnchecked;
    chkExtra.Value = chosen.extra ? kChecked : kUnchecked;
    mnuNoGuess.Checked = chosen.noGuess;
    for (std::size_t k = 0; k < mnuOpponent.size(); ++k) {
        mnuOpponent.at(k).Checked = k == static_cast<std::size_t>(chosen.opponent);
    }
    mnuBeginner.Checked = chosen.size == kBeginner;
    mnuIntermediate.Checked = chosen.size == kIntermediate;
    mnuExpert.Checked = chosen.size == kExpert;
    mnuCustom.Checked = !mnuBeginner.Checked && !mnuIntermediate.Checked && !mnuExpert.Checked;
    Cursor.Fit(board_.Rows, board_.Cols);
}

void frmDravik::Load() {
    MarkLoaded();
    try {
        Form_Load();
    } catch (const FormUnloaded&) {
    }
}

void frmDravik::Form_Load() {
    board_.StopFlag = kFalse;
    board_.KeyHeld = kFalse;
    context_.Randomize();
    options_.HitMineOption = 1;
    options_.ShowRuleCount = 0;
    const std::int16_t answer = context_.MsgBox("Large Screen?", vbYesNoCancel);
    if (answer != vbYes && answer != vbNo) {
        board_.StopFlag = kTrue;
        startCancelled_ = true;
        return;
    }
    game_.Start(answer == vbYes);
    started_ = true;
    ShowChoices();
}

// Only a cancelled start question closes the window here. Escape also leaves StopFlag set, but
// a stop request for a rule run must not end the game the next time the window is activated.
void frmDravik::Form_Activate() {
    if (Loaded() && board_.StopFlag != kFalse && startCancelled_) {
        Unload();
    }
}

void frmDravik::Form_KeyDown(std::int16_t keyCode, std::int16_t shift) {
    Handle([&] {
        if (shift == vbShiftMask || shift == vbCtrlMask) {
            board_.KeyHeld = kTrue;
        }
        if (keyCode == vbKeyEscape) {
            board_.StopFlag = kTrue;
        }
    });
}

void frmDravik::Form_KeyUp(std::int16_t keyCode, std::int16_t shift) {
    Handle([&] {
        if (shift == vbShiftMask || shift == vbCtrlMask || keyCode == vbKeyShift ||
            keyCode == vbKeyControl) {
            board_.KeyHeld = kFalse;
        }
    });
}

// Key-ups made while a box or another window had the keyboard never reached Form_KeyUp: marking
// mode follows the keys held now, as if those still down had just been pressed.
void frmDravik::keyboardReturned(std::int16_t shift) {
    Handle([&] {
        if ((shift & (vbShiftMask | vbCtrlMask)) == 0) {
            board_.KeyHeld = kFalse;
        } else if (shift == vbShiftMask || shift == vbCtrlMask) {
            board_.KeyHeld = kTrue;
        }
    });
}

// The right button marks at its release, and the click that follows does nothing; the left
// button moves at the click.
void frmDravik::cmdMine_MouseUp(std::int16_t index, std::int16_t button, std::int16_t /*shift*/,
                                float /*x*/, float /*y*/) {
    Handle([&] {
        if (Cursor.Shown()) {
            Cursor.MoveTo(index, board_.Cols);
        }
        board_.MouseButton = 0;
        if ((button & vbRightButton) != 0) {
            board_.MouseButton = vbRightButton;
            game_.ToggleMark(index);
            // A left release nested in the follow-up's yield must not leave its button for the
            // click that follows this release.
            board_.MouseButton = vbRightButton;
        } else if ((button & vbLeftButton) != 0) {
            board_.MouseButton = vbLeftButton;
        }
    });
}

void frmDravik::cmdMine_Click(std::int16_t index) {
    Handle([&] {
        if (board_.MouseButton != vbLeftButton) {
            return;
        }
        if (board_.KeyHeld != kFalse) {
            game_.ToggleMark(index);
        } else {
            game_.ClickCell(index);
        }
    });
}

// A key acts on the cursor's cell as the mouse does there: Space or Enter as a left click, which
// marks while Shift or Ctrl holds KeyHeld; M as a right click, unless Ctrl makes it the repeated
// rule's shortcut or Alt a menu's access key.
void frmDravik::cmdMine_KeyDown(std::int16_t keyCode, std::int16_t shift) {
    Handle([&] {
        if (!Cursor.Shown() || Cursor.MoveByKey(keyCode, board_.Rows, board_.Cols)) {
            return;
        }
        const std::int16_t index = Cursor.Index(board_.Cols);
        if (keyCode == vbKeySpace || keyCode == vbKeyReturn) {
            cmdMine_MouseUp(index, vbLeftButton, shift, 0, 0);
            cmdMine_Click(index);
        } else if (keyCode == vbKeyM && (shift & (vbCtrlMask | vbAltMask)) == 0) {
            cmdMine_MouseUp(index, vbRightButton, shift, 0, 0);
        }
    });
}

void frmDravik::cmdMine_GotFocus() {
    Cursor.Show(true);
}

void frmDravik::cmdMine_LostFocus() {
    Cursor.Show(false);
}

void frmDravik::mnuReplay_Click() {
    Handle([&] { game_.NewGame(); });
}

void frmDravik::cmdReplay_Click() {
    Handle([&] { game_.NewGame(); });
}

void frmDravik::mnuBeginner_Click() {
    Handle([&] { game_.ChooseSize(kBeginner); });
}

void frmDravik::mnuIntermediate_Click() {
    Handle([&] { game_.ChooseSize(kIntermediate); });
}

void frmDravik::mnuExpert_Click() {
    Handle([&] { game_.ChooseSize(kExpert); });
}

// The dialog opens on the board played; Cancel or its close box change nothing.
void frmDravik::mnuCustom_Click() {
    Handle([&] {
        frmCustom custom(GetToolkit(), game_.Choices().size);
        custom.Load();
        context_.ShowModal(custom);
        if (custom.Chosen()) {
            game_.ChooseSize(*custom.Chosen());
        }
    });
}

// A checkable item: each click turns the choice over. It stands until the program ends.
void frmDravik::mnuNoGuess_Click() {
    Handle([&] { game_.ChooseNoGuess(!game_.Choices().noGuess); });
}

bool frmDravik::GuardedRunInProgress() const {
    return mnuRule1.Checked || mnuPairsRule.Checked || mnuCompleteLogic.Checked;
}

// Every repeated run shares one guard: while one lasts no other starts, its item shows a check
// and "Multi" is disabled.
void frmDravik::GuardedRun(MenuItem& item, RuleKind rule, RunSource source) {
    if (GuardedRunInProgress()) {
        return;
    }
    item.Checked = true;
    cmdMultiple.Enabled = false;
    game_.RunRepeatedly(rule);
    item.Checked = false;
    cmdMultiple.Enabled = true;
    game_.AfterRun(rule, source);
}

void frmDravik::mnuHint_Click() {
    Handle([&] { game_.ShowHint(); });
}

void frmDravik::mnuPairsRule_Click() {
    Handle([&] { GuardedRun(mnuPairsRule, RuleKind::Pairs, RunSource::Menu); });
}

void frmDravik::mnuCompleteLogic_Click() {
    Handle([&] { GuardedRun(mnuCompleteLogic, RuleKind::Complete, RunSource::Menu); });
}

// The choice stands until the program ends; a new game keeps it.
void frmDravik::mnuOpponent_Click(std::int16_t index) {
    Handle([&] {
        if (index >= 0 && static_cast<std::size_t>(index) < mnuOpponent.size()) {
            game_.ChooseOpponent(static_cast<RuleKind>(index));
        }
    });
}

void frmDravik::mnuRule1_Click() {
    Handle([&] { GuardedRun(mnuRule1, RuleKind::Obvious, RunSource::Menu); });
}

void frmDravik::cmdMultiple_Click() {
    Handle([&] { GuardedRun(mnuRule1, RuleKind::Obvious, RunSource::Button); });
}

void frmDravik::mnuRule1Once_Click() {
    Handle([&] {
        game_.ObviousRuleOnce();
        game_.AfterRun(RuleKind::Obvious, RunSource::Menu);
    });
}

void frmDravik::mnuRule1_Once_Click() {
    Handle([&] {
        game_.ObviousRuleOnce();
        game_.AfterRun(RuleKind::Obvious, RunSource::Button);
    });
}

// The toolkit has turned the box over before the click arrives.
void frmDravik::chkKeepUp_Click() {
    Handle([&] { game_.ChooseKeepUp(chkKeepUp.Value != 0); });
}

void frmDravik::chkExtra_Click() {
    Handle([&] { game_.ChooseExtra(chkExtra.Value != 0); });
}

void frmDravik::mnuRule2_Click() {
    Handle([&] { game_.TwoAdjacentRule(); });
}

void frmDravik::mnuOption_Click() {
    Handle([&] {
        if (!optionsForm_) {
            optionsForm_ = std::make_unique<frmOptions>(GetToolkit(), options_);
        }
        optionsForm_->Load();
        context_.ShowModal(*optionsForm_);
    });
}

void frmDravik::mnuAbout_Click() {
    Handle([&] {
        context_.MsgBox("Dravik II.\rVersion " + FormatSignReserving(kVersionMajor) + "." +
                        FormatSignReserving(kVersionMinor) + "." +
                        FormatSignReserving(kVersionRevision));
    });
}

// Exit works in every state, also with no board after a cancelled start.
void frmDravik::mnuExit_Click() {
    Unload();
}

void frmDravik::closeBoxClicked() {
    Unload();
}

}  // namespace dravik
