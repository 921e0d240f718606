#include "fuzz/event_driver.h"

#include <algorithm>
#include <vector>

#include "board/position.h"
#include "toolkit/text.h"

namespace dravik::testing {

namespace {
constexpr int kMaxNesting = 2;
constexpr std::int16_t kCells = 480;

std::string Named(const CellRef& cell) {
    return "cell " + std::to_string(cell.index) + " (row " + std::to_string(cell.row) +
           ", column " + std::to_string(cell.col) + ", counted from 1)";
}

// The board as the player sees it, in the form a test can read back (Position::FromText).
std::string Picture(const Board& board) {
    return Position::FromBoard(board).ToText();
}

}  // namespace

// Everything a closed window must keep as it was.
struct EventDriver::Snapshot {
    BoardState board;
    std::vector<int> values;
    bool operator==(const Snapshot&) const = default;
};

EventDriver::EventDriver(ChoiceSource& source) : source_(source) {
    toolkit_.onMsgBox = [this](const FakeToolkit::Box&) { MaybeNest(1); };
    toolkit_.onShowModal = [this](Form& form) { RunOptions(form); };
    toolkit_.onUnload = [this](Form& form) {
        if (&form == form_.get()) {
            atUnload_ = std::make_unique<Snapshot>(Take());
        }
    };
}

EventDriver::~EventDriver() = default;

std::optional<std::string> EventDriver::Play(int maxEvents) {
    const std::int16_t answers[] = {vbYes, vbNo, vbNo, vbNo, vbCancel};
    toolkit_.answers.push_back(answers[source_.Next(5)]);
    toolkit_.SeedRandom(source_.Next(1u << 31));
    form_ = std::make_unique<frmDravik>(toolkit_, options_);
    form_->Load();
    form_->Form_Activate();
    while (events_ < maxEvents && !source_.Exhausted()) {
        RunEvent(0);
        if (auto broken = atUnload_ ? CheckUntouched() : CheckInvariants()) {
            return "after event " + std::to_string(events_) + ": " + *broken;
        }
    }
    return std::nullopt;
}

// Events posted now run at the next yield, nested inside whatever is running then; an event
// run from a message box runs while the box is open.
void EventDriver::MaybeNest(int depth) {
    if (depth > kMaxNesting || source_.Exhausted() || source_.Next(4) != 0) {
        return;
    }
    if (source_.Next(2) == 0) {
        toolkit_.Post([this, depth] { RunEvent(depth + 1); });
    } else {
        RunEvent(depth + 1);
    }
}

void EventDriver::RunCellEvent() {
    const auto cell = static_cast<std::int16_t>(source_.Next(kCells));
    const std::int16_t buttons[] = {vbLeftButton, vbLeftButton, vbRightButton, vbMiddleButton, 3};
    const std::int16_t button = buttons[source_.Next(5)];
    switch (source_.Next(4)) {
        case 0:
            form_->cmdMine_MouseUp(cell, button, 0, 0, 0);
            break;
        case 1:
            form_->cmdMine_Click(cell);
            break;
        default:
            form_->cmdMine_MouseUp(cell, button, 0, 0, 0);
            form_->cmdMine_Click(cell);
            break;
    }
}

void EventDriver::RunEvent(int depth) {
    ++events_;
    if (source_.Next(3) == 0) {
        MaybeNest(depth);
    }
    frmDravik& f = *form_;
    switch (source_.Next(20)) {
        case 0: {
            const std::int16_t keys[] = {vbKeyShift, vbKeyControl, vbKeyEscape, 65, 113};
            f.Form_KeyDown(keys[source_.Next(5)], static_cast<std::int16_t>(source_.Next(8)));
            break;
        }
        case 1: {
            const std::int16_t keys[] = {vbKeyShift, vbKeyControl, vbKeyEscape, 65, 113};
            f.Form_KeyUp(keys[source_.Next(5)], static_cast<std::int16_t>(source_.Next(8)));
            break;
        }
        case 2:
            // Rare too: a new game every few events would keep play near the start.
            if (source_.Next(4) == 0) {
                source_.Next(2) == 0 ? f.mnuReplay_Click() : f.cmdReplay_Click();
            }
            break;
        case 3:
            source_.Next(2) == 0 ? f.mnuRule1Once_Click() : f.mnuRule1_Once_Click();
            break;
        case 4:
            source_.Next(2) == 0 ? f.mnuRule1_Click() : f.cmdMultiple_Click();
            break;
        case 5:
            f.mnuRule2_Click();
            break;
        case 6:
            f.chkKeepUp.Value = f.chkKeepUp.Value != 0 ? kUnchecked : kChecked;
            f.chkKeepUp_Click();
            break;
        case 7:
            f.chkExtra.Value = f.chkExtra.Value != 0 ? kUnchecked : kChecked;
            break;
        case 8:
            f.mnuOption_Click();
            break;
        case 9:
            f.mnuAbout_Click();
            break;
        case 10:
            f.Form_Activate();
            break;
        case 11:
            // Closing is rare, so most sequences get deep into a game.
            if (source_.Next(8) == 0) {
                source_.Next(2) == 0 ? f.mnuExit_Click() : f.closeBoxClicked();
            }
            break;
        default:
            RunCellEvent();
            break;
    }
}

void EventDriver::RunOptions(Form& form) {
    auto& dialog = static_cast<frmOptions&>(form);
    for (std::uint32_t steps = source_.Next(4); steps > 0; --steps) {
        if (source_.Next(2) == 0) {
            SelectOption(dialog.opthitMine, source_.Next(3));
        } else {
            dialog.chkMultiCnt.Value = dialog.chkMultiCnt.Value != 0 ? kUnchecked : kChecked;
        }
    }
    switch (source_.Next(4)) {
        case 0:
            dialog.cmdOK_Click();
            break;
        case 1:
            dialog.cmdApply_Click();
            break;
        case 2:
            dialog.cmdCancel_Click();
            break;
        default:
            dialog.closeBoxClicked();
            break;
    }
}

EventDriver::Snapshot EventDriver::Take() const {
    const frmDravik& f = *form_;
    return Snapshot{f.GetBoard().State(),
                    {f.mnuRule1.Checked, f.cmdMultiple.Enabled, f.chkExtra.Visible,
                     options_.HitMineOption, options_.ShowRuleCount}};
}

std::optional<std::string> EventDriver::CheckUntouched() const {
    if (form_->Loaded()) {
        return "the main window came back after it was unloaded";
    }
    if (!(Take() == *atUnload_)) {
        return "the window was changed after it was unloaded";
    }
    return std::nullopt;
}

std::optional<std::string> EventDriver::CheckInvariants() const {
    const Board& b = form_->GetBoard();
    if (form_->StartCancelled()) {
        return form_->cmdMine.size() == 1 ? std::nullopt
                                          : std::optional<std::string>("cells after a Cancel");
    }
    int marks = 0;
    int covered = 0;
    int mines = 0;
    for (std::int16_t i = 0; i < kCells; ++i) {
        const CellRef cell = b.CellAt(i);
        const bool mine = b.MineGrid(cell.row, cell.col) != 0;
        mines += mine ? 1 : 0;
        if (b.IsMarked(i)) {
            ++marks;
        } else if (b.IsCovered(i)) {
            ++covered;
        } else if (mine) {
            return "a mine is uncovered at " + Named(cell) + ":\n" + Picture(b);
        } else if (b.CellNumber(i) != b.AdjacentMineCount(cell.row, cell.col)) {
            return Named(cell) + " shows " + b.Caption(i) + " with " +
                   std::to_string(b.AdjacentMineCount(cell.row, cell.col)) + " mines around it:\n" +
                   Picture(b);
        }
    }
    if (marks != b.MarkCount) {
        return "MarkCount " + std::to_string(b.MarkCount) + " but " + std::to_string(marks) +
               " marks";
    }
    if (covered != b.PlotsLeft) {
        return "PlotsLeft " + std::to_string(b.PlotsLeft) + " but " + std::to_string(covered) +
               " covered cells";
    }
    deepest_ = std::max(deepest_, kCells - covered);
    if (mines != b.MineCount) {
        return std::to_string(mines) + " mines in the grid";
    }
    if (form_->txtMines.Text != Format000(b.MineCount - b.MarkCount) ||
        form_->txtPlots.Text != Format000(b.PlotsLeft)) {
        return "a counter shows the wrong text";
    }
    if (form_->mnuRule1.Checked || !form_->cmdMultiple.Enabled) {
        return "a finished repeated run left its guard set";
    }
    return std::nullopt;
}

}  // namespace dravik::testing
