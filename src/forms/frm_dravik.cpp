#include "forms/frm_dravik.h"

#include "toolkit/text.h"

namespace dravik {

namespace {
constexpr int kVersionMajor = 2;
constexpr int kVersionMinor = 1;
constexpr int kVersionRevision = 7;
constexpr int kMineHitPoints = 3;
}  // namespace

frmDravik::frmDravik(Toolkit& toolkit, ModDravik& options)
    : Form(toolkit),
      options_(options),
      context_(*this),
      board_(BoardControls{cmdMine, txtMines, txtPlots, SSPanel1, Window}, context_),
      play_(board_, context_, options),
      keepUp_(board_, lblKeepUp, chkKeepUp, chkExtra),
      obviousRule_(board_, play_, keepUp_, context_, options),
      twoAdjacent_(board_, play_, context_) {
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
    } catch (const FormUnloaded&) {
        // The window was closed while this handler waited; leave it alone.
    }
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
    if (answer == vbYes) {
        board_.LargeScreen = 1;
    } else if (answer == vbNo) {
        board_.LargeScreen = 0;
    } else {
        board_.StopFlag = kTrue;
        startCancelled_ = true;
        return;
    }
    board_.SetLayout(board_.LargeScreen);
    board_.BuildBoard();
    board_.LayMineField();
    started_ = true;
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

void frmDravik::MarkingStep(std::int16_t index) {
    if (board_.IsCovered(index)) {
        play_.MarkCell(index, true);
    } else if (board_.IsMarked(index)) {
        play_.UnmarkCell(index);
    }
}

void frmDravik::FollowUp() {
    obviousRule_.KeepUpAfterMove();
    play_.CheckForWin();
}

// A click that makes no move is no turn in keep-up mode.
void frmDravik::IdleClick() {
    if (keepUp_.On()) {
        return;
    }
    play_.CheckForWin();
}

void frmDravik::cmdMine_MouseUp(std::int16_t index, std::int16_t button, std::int16_t /*shift*/,
                                float /*x*/, float /*y*/) {
    Handle([&] {
        board_.MouseButton = 0;
        if ((button & vbRightButton) != 0) {
            board_.MouseButton = vbRightButton;
            MarkingStep(index);
            FollowUp();
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
        const CellRef cell = board_.CellAt(index);
        if (board_.KeyHeld != kFalse) {
            MarkingStep(index);
            FollowUp();
        } else {
            LeftClick(cell);
        }
    });
}

void frmDravik::LeftClick(const CellRef& cell) {
    const auto [index, row, col] = cell;
    if (board_.MineGrid(row, col) == 0) {
        if (board_.IsCovered(index)) {
            play_.UncoverCell(index, row, col);
            FollowUp();
            return;
        }
        const std::int16_t n = board_.CellNumber(index);
        if (n <= 0) {
            IdleClick();
            return;
        }
        if (board_.AdjacentMarks(index, row, col) == board_.AdjacentMineCount(row, col)) {
            if (board_.AdjacentCovered(index, row, col) > 0) {
                play_.UncoverNeighbours(index, row, col);
                FollowUp();
            } else {
                IdleClick();
            }
            return;
        }
        if (n == board_.AdjacentCovered(index, row, col) + board_.AdjacentMarks(index, row, col)) {
            play_.MarkNeighbours(index, row, col);
        }
        FollowUp();
        return;
    }
    if (board_.IsMarked(index)) {
        IdleClick();
        return;
    }
    play_.MineAlarm();
    play_.MarkCell(index, false);
    if (keepUp_.On()) {
        keepUp_.Add(kMineHitPoints);
        return;
    }
    FollowUp();
}

void frmDravik::Replay() {
    board_.SetLayout(board_.LargeScreen);
    board_.ResetBoard();
    board_.LayMineField();
    keepUp_.Reset();
}

void frmDravik::mnuReplay_Click() {
    Handle([&] { Replay(); });
}

void frmDravik::cmdReplay_Click() {
    Handle([&] { Replay(); });
}

void frmDravik::GuardedRepeatedRun() {
    if (mnuRule1.Checked) {
        return;
    }
    mnuRule1.Checked = true;
    cmdMultiple.Enabled = false;
    obviousRule_.ObviousRuleMultiple();
    mnuRule1.Checked = false;
    cmdMultiple.Enabled = true;
}

void frmDravik::mnuRule1_Click() {
    Handle([&] { GuardedRepeatedRun(); });
}

void frmDravik::cmdMultiple_Click() {
    Handle([&] {
        GuardedRepeatedRun();
        play_.CheckForWin();
    });
}

void frmDravik::mnuRule1Once_Click() {
    Handle([&] { obviousRule_.ObviousRuleOnce(); });
}

void frmDravik::mnuRule1_Once_Click() {
    Handle([&] {
        obviousRule_.ObviousRuleOnce();
        play_.CheckForWin();
    });
}

void frmDravik::chkKeepUp_Click() {
    Handle([&] { keepUp_.ShowControls(); });
}

void frmDravik::mnuRule2_Click() {
    Handle([&] { twoAdjacent_.TwoAdjacentRule(); });
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
