#include "fuzz/event_driver.h"

#include <algorithm>
#include <regex>
#include <vector>

#include "analysis/analysis.h"
#include "board/position.h"
#include "toolkit/palette.h"
#include "toolkit/text.h"

namespace dravik::testing {

namespace {

// The cells of the board played; none before the board is built.
std::int16_t CellCount(const Board& board) {
    return static_cast<std::int16_t>(board.Rows * board.Cols);
}

// What the dialog must take: a whole number in each field's range, as a player reads the rule.
bool WholeIn(const std::string& text, int low, int high) {
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    if (first == std::string::npos) {
        return false;
    }
    const std::string digits = text.substr(first, last - first + 1);
    if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    const long value = std::stol(digits);
    return value >= low && value <= high;
}

std::string Named(const CellRef& cell) {
    return "cell " + std::to_string(cell.index) + " (row " + std::to_string(cell.row) +
           ", column " + std::to_string(cell.col) + ", counted from 1)";
}

// The board as the player sees it, in the form a test can read back (Position::FromText).
std::string Picture(const Board& board) {
    return Position::FromBoard(board).ToText();
}

// The analysis costs more than an event; every few events keeps the fuzzer fast.
constexpr int kAnalyseEvery = 4;
constexpr int kEventsAfterUnload = 16;
const char* const kWinTitle = "Dravik 2000 - General's report.";
}  // namespace

// Everything a closed window must keep as it was.
struct EventDriver::Snapshot {
    BoardState board;
    std::vector<int> values;
    bool operator==(const Snapshot&) const = default;
};

EventDriver::EventDriver(ChoiceSource& source) : source_(source) {
    // A box or the dialog has the keyboard and the mouse: nothing reaches the main window.
    toolkit_.onMsgBox = [this](const FakeToolkit::Box& box) {
        RecordOutlines(box.text);
        CheckHint(box.text);
        winBoxes_ += box.title == kWinTitle ? 1 : 0;
        ChangeKeysUnseen();
    };
    toolkit_.onShowModal = [this](Form& form) {
        if (auto* custom = dynamic_cast<frmCustom*>(&form)) {
            RunCustom(*custom);
        } else {
            RunOptions(form);
        }
    };
    toolkit_.onYield = [this] {
        if (!source_.Exhausted() && source_.Next(6) == 0) {
            PostInput(1);
        }
    };
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
    int afterUnload = 0;
    while (events_ < maxEvents && !source_.Exhausted() && afterUnload < kEventsAfterUnload) {
        if (toolkit_.PendingEvents() == 0) {
            // Now and then a backlog, as a busy or stalled game meets it.
            PostInput(source_.Next(16) == 0 ? 1 + source_.Next(64) : 1);
        }
        const bool wonBefore = Won();
        const int boxesBefore = winBoxes_;
        const int eventsBefore = events_;
        toolkit_.RunPending();
        if (wrongHint_) {
            return "after event " + std::to_string(events_) + ": " + *wrongHint_;
        }
        if (wrongFirstClick_) {
            return "after event " + std::to_string(events_) + ": " + *wrongFirstClick_;
        }
        if (wrongCustom_) {
            return "after event " + std::to_string(events_) + ": " + *wrongCustom_;
        }
        if (atUnload_) {
            ++afterUnload;
        }
        auto broken = atUnload_ ? CheckUntouched() : CheckInvariants();
        if (!broken && !atUnload_ && events_ % kAnalyseEvery == 0) {
            broken = CheckAnalysis();
        }
        // Nested moves may each show the message; one move alone shows it once.
        const int shown = winBoxes_ - boxesBefore;
        const bool justWon = !atUnload_ && !wonBefore && Won();
        gamesWon_ += justWon ? 1 : 0;
        if (!broken && justWon && events_ == eventsBefore + 1 &&
            (lastWinTest_ == WinTest::kAlways
                 ? shown != 1
                 : shown > (lastWinTest_ == WinTest::kMaybe ? 1 : 0))) {
            broken = std::to_string(shown) + " win messages for the move that won";
        }
        if (broken) {
            return "after event " + std::to_string(events_) + ": " + *broken;
        }
    }
    return std::nullopt;
}

// A hint is checked while its box is up, against the board it was given. Marks are the
// player's claims and the hint trusts them, so a wrong mark can make a hint wrong without any
// fault of its own: only hints whose proof rests on right marks alone are checked. A proof
// citing the mine count rests on every mark.
void EventDriver::CheckHint(const std::string& text) {
    static const std::regex certain(R"(^Row (\d+), column (\d+) is (safe|a mine)\.)");
    static const std::regex cited(R"(at row (\d+), column (\d+))");
    std::smatch m;
    if (!std::regex_search(text, m, certain) || wrongHint_) {
        return;
    }
    const Board& b = form_->GetBoard();
    const auto wrongMark = [&b](const CellRef& cell) {
        return b.IsMarked(cell.index) && b.MineGrid(cell.row, cell.col) == 0;
    };
    const bool wholeBoard = text.find("the count of mines left") != std::string::npos;
    const std::string proof = text.substr(text.find('\r'));
    for (std::int16_t i = 0; i < CellCount(b); ++i) {
        if (wholeBoard && wrongMark(b.CellAt(i))) {
            return;
        }
    }
    for (auto it = std::sregex_iterator(proof.begin(), proof.end(), cited);
         it != std::sregex_iterator(); ++it) {
        const auto row = static_cast<std::int16_t>(std::stoi((*it)[1]));
        const auto col = static_cast<std::int16_t>(std::stoi((*it)[2]));
        bool rests = true;
        b.ForEachNeighbour(CellRef{b.CellIndex(row, col), row, col},
                           [&](const CellRef& n) { rests = rests && !wrongMark(n); });
        if (!rests) {
            return;
        }
    }
    ++hintsChecked_;
    if ((b.MineGrid(std::stoi(m[1]), std::stoi(m[2])) == 1) != (m[3] == "a mine")) {
        wrongHint_ = "a wrong hint: " + text + "\n" + Position::FromBoard(b).ToText();
    }
}

void EventDriver::RecordOutlines(const std::string& text) {
    static const std::regex hint(
        "^(Row \\d+, column \\d+ is |No cell is certain|The marks contradict|Nothing is left "
        "to find|No certain move was found)");
    if (!std::regex_search(text, hint)) {
        return;
    }
    const Board& b = form_->GetBoard();
    outlinedAtHint_.clear();
    for (std::int16_t i = 0; i < CellCount(b); ++i) {
        if (b.Cell(i).Outline != kOutlineNone) {
            outlinedAtHint_[i] = b.Caption(i);
        }
    }
}

// An outline is a proof about the board as the hint saw it: it may not outlast a change of the
// cell it marks.
std::optional<std::string> EventDriver::CheckOutlines() const {
    const Board& b = form_->GetBoard();
    bool any = false;
    for (std::int16_t i = 0; i < CellCount(b); ++i) {
        if (b.Cell(i).Outline == kOutlineNone) {
            continue;
        }
        any = true;
        const auto hinted = outlinedAtHint_.find(i);
        if (hinted == outlinedAtHint_.end()) {
            return Named(b.CellAt(i)) + " is outlined, but the last hint did not outline it";
        }
        if (hinted->second != b.Caption(i)) {
            return Named(b.CellAt(i)) + " keeps its outline after changing from \"" +
                   hinted->second + "\" to \"" + b.Caption(i) + "\":\n" + Picture(b);
        }
    }
    outlinesChecked_ += any ? 1 : 0;
    return std::nullopt;
}

EventDriver::WinTest EventDriver::RunNewRule() {
    frmDravik& f = *form_;
    switch (source_.Next(5)) {
        case 0:
            f.mnuHint_Click();
            return WinTest::kNever;
        case 1:
            f.mnuPairsRule_Click();
            return WinTest::kAlways;
        case 2:
            f.mnuCompleteLogic_Click();
            return WinTest::kAlways;
        case 3:
            f.mnuNoGuess_Click();
            return WinTest::kNever;
        default:
            f.mnuOpponent_Click(static_cast<std::int16_t>(source_.Next(3)));
            return WinTest::kNever;
    }
}

void EventDriver::PostInput(std::uint32_t count) {
    for (; count > 0; --count) {
        toolkit_.Post([this] { RunEvent(); });
    }
}

void EventDriver::RunEvent() {
    if (source_.Exhausted()) {
        return;
    }
    ++events_;
    deepestNesting_ = std::max(deepestNesting_, ++nesting_);
    lastWinTest_ = RunMainWindowEvent();
    --nesting_;
}

// A release over a cell; the click follows only a left release still over the same cell.
EventDriver::WinTest EventDriver::RunCellEvent() {
    const Board& b = form_->GetBoard();
    auto cell = static_cast<std::int16_t>(source_.Next(std::max<int>(CellCount(b), 1)));
    const std::int16_t buttons[] = {vbLeftButton, vbLeftButton, vbRightButton, vbMiddleButton};
    std::int16_t button = buttons[source_.Next(4)];
    // Mostly a move toward the end, so that games get finished and won: uncover a covered cell
    // or take a wrong mark away.
    if (!form_->StartCancelled() && source_.Next(4) != 0) {
        std::vector<std::int16_t> open;
        for (std::int16_t i = 0; i < CellCount(b); ++i) {
            const CellRef at = b.CellAt(i);
            if (b.IsCovered(i) || (b.IsMarked(i) && b.MineGrid(at.row, at.col) == 0)) {
                open.push_back(i);
            }
        }
        if (!open.empty()) {
            cell = open[source_.Next(static_cast<std::uint32_t>(open.size()))];
            button = b.IsCovered(cell) ? vbLeftButton : vbRightButton;
        }
    }
    form_->cmdMine_MouseUp(cell, button, held_, 0, 0);
    if (button == vbRightButton) {
        return WinTest::kAlways;
    }
    if (button != vbLeftButton || source_.Next(8) == 0) {
        return WinTest::kNever;
    }
    // A mine hit in keep-up mode is no turn and checks nothing.
    const bool keepUp = form_->chkKeepUp.Value != 0;
    const bool firstClick = form_->Loaded() && b.Laying == MineLaying::AwaitingFirstClick &&
                            b.IsCovered(cell) && b.KeyHeld == kFalse;
    const int replays = replays_;
    form_->cmdMine_Click(cell);
    // Unless a new game came in between, the cell shows what the click found.
    if (firstClick && replays == replays_) {
        ++firstClicksChecked_;
        if (b.Caption(cell) != "0") {
            wrongFirstClick_ = "the first click on a no-guess board shows \"" + b.Caption(cell) +
                               "\" at " + Named(b.CellAt(cell)) + ":\n" + Picture(b);
        }
    }
    return keepUp ? WinTest::kMaybe : WinTest::kAlways;
}

// The key handlers get the modifiers as they stand after the key went down or up.
void EventDriver::RunKeyEvent(bool down) {
    const std::int16_t keys[] = {vbKeyShift, vbKeyControl, vbKeyMenu, vbKeyEscape, vbKeyA, vbKeyF2};
    const std::int16_t key = keys[source_.Next(6)];
    const std::int16_t own = key == vbKeyShift     ? vbShiftMask
                             : key == vbKeyControl ? vbCtrlMask
                             : key == vbKeyMenu    ? vbAltMask
                                                   : 0;
    held_ = static_cast<std::int16_t>(down ? held_ | own : held_ & ~own);
    toolkit_.heldShift = held_;
    down ? form_->Form_KeyDown(key, held_) : form_->Form_KeyUp(key, held_);
}

// Keys pressed or let go while another window has the keyboard.
void EventDriver::ChangeKeysUnseen() {
    if (!source_.Exhausted() && source_.Next(2) == 0) {
        held_ = static_cast<std::int16_t>(source_.Next(8));
        toolkit_.heldShift = held_;
    }
}

// The board's keys as Qt delivers them: Tab or Shift+Tab moving the focus in or out, or a key
// that the window previews first, then the board, then its release. Space, Enter and M act with
// whatever modifiers are down.
EventDriver::WinTest EventDriver::RunBoardKeyEvent() {
    frmDravik& f = *form_;
    if (source_.Next(8) == 0) {
        f.Cursor.Shown() ? f.cmdMine_LostFocus() : f.cmdMine_GotFocus();
        return WinTest::kNever;
    }
    const std::int16_t keys[] = {vbKeyLeft,  vbKeyRight,  vbKeyUp,     vbKeyDown,
                                 vbKeyHome,  vbKeyEnd,    vbKeyPageUp, vbKeyPageDown,
                                 vbKeySpace, vbKeyReturn, vbKeyM,      vbKeySpace};
    const std::int16_t key = keys[source_.Next(12)];
    const bool shown = f.Cursor.Shown() && !f.StartCancelled();
    boardKeys_ += shown ? 1 : 0;
    const bool keepUp = f.chkKeepUp.Value != 0;
    f.Form_KeyDown(key, held_);
    f.cmdMine_KeyDown(key, held_);
    f.Form_KeyUp(key, held_);
    if (!shown) {
        return WinTest::kNever;
    }
    if (key == vbKeySpace || key == vbKeyReturn) {
        return keepUp ? WinTest::kMaybe : WinTest::kAlways;
    }
    return key == vbKeyM && (held_ & (vbCtrlMask | vbAltMask)) == 0 ? WinTest::kAlways
                                                                    : WinTest::kNever;
}

EventDriver::WinTest EventDriver::RunMainWindowEvent() {
    frmDravik& f = *form_;
    switch (source_.Next(26)) {
        case 0:
        case 1:
            RunKeyEvent(source_.Next(2) == 0);
            return WinTest::kNever;
        case 2:
            // Rare too: a new game every few events would keep play near the start.
            if (source_.Next(4) == 0) {
                ++replays_;
                source_.Next(2) == 0 ? f.mnuReplay_Click() : f.cmdReplay_Click();
            }
            return WinTest::kNever;
        case 3:
            if (source_.Next(2) == 0) {
                f.mnuRule1Once_Click();
                return WinTest::kNever;
            }
            f.mnuRule1_Once_Click();
            return WinTest::kAlways;
        case 4: {
            if (source_.Next(2) == 0) {
                f.mnuRule1_Click();
                return WinTest::kNever;
            }
            // A run refused by the guard (Multi is disabled then) is no run and tests nothing.
            const bool refused =
                f.mnuRule1.Checked || f.mnuPairsRule.Checked || f.mnuCompleteLogic.Checked;
            f.cmdMultiple_Click();
            return refused ? WinTest::kNever : WinTest::kAlways;
        }
        case 5:
            f.mnuRule2_Click();
            return WinTest::kNever;
        case 6:
            f.chkKeepUp.Value = f.chkKeepUp.Value != 0 ? kUnchecked : kChecked;
            f.chkKeepUp_Click();
            return WinTest::kNever;
        case 7:
            f.chkExtra.Value = f.chkExtra.Value != 0 ? kUnchecked : kChecked;
            f.chkExtra_Click();
            return WinTest::kNever;
        case 8:
            f.mnuOption_Click();
            return WinTest::kNever;
        case 9:
            f.mnuAbout_Click();
            return WinTest::kNever;
        case 10:
            f.Form_Activate();
            return WinTest::kNever;
        case 11:
            // Closing is rare, so most sequences get deep into a game.
            if (source_.Next(32) == 0) {
                source_.Next(2) == 0 ? f.mnuExit_Click() : f.closeBoxClicked();
            }
            return WinTest::kNever;
        case 12:
        case 13:
            return RunNewRule();
        case 22:
        case 23:
        case 24:
            return RunBoardKeyEvent();
        case 25:
            RunSizeEvent();
            return WinTest::kNever;
        default:
            return RunCellEvent();
    }
}

// Rare, as Replay is: a level, or a custom board typed into the dialog. Small boards are
// typed most, so that games there get finished too.
void EventDriver::RunSizeEvent() {
    if (source_.Next(3) != 0) {
        return;
    }
    frmDravik& f = *form_;
    const BoardSize before = form_->Choices().size;
    customChosen_.reset();
    ++replays_;  // a new game, as a replay is
    switch (source_.Next(4)) {
        case 0:
            f.mnuBeginner_Click();
            break;
        case 1:
            f.mnuIntermediate_Click();
            break;
        case 2:
            f.mnuExpert_Click();
            break;
        default:
            f.mnuCustom_Click();
            if (f.Loaded() && !f.StartCancelled()) {
                const BoardSize after = f.Choices().size;
                if (after != customChosen_.value_or(before) && !wrongCustom_) {
                    wrongCustom_ = "the custom dialog left a board of " +
                                   std::to_string(after.Cols) + " x " + std::to_string(after.Rows) +
                                   " / " + std::to_string(after.MineCount);
                }
            }
            break;
    }
}

// Types into the custom board dialog, now and then something it must refuse, and leaves it by
// OK, Cancel or its close box. Every refusal must name the field the player got wrong.
void EventDriver::RunCustom(frmCustom& dialog) {
    ChangeKeysUnseen();
    const char* const wrong[] = {"", "7", "61", "0", "-3", "9.5", "x", "100000000000"};
    for (std::uint32_t tries = 1 + source_.Next(3); tries > 0 && dialog.Loaded(); --tries) {
        const int cols = source_.Next(4) == 0 ? 8 + static_cast<int>(source_.Next(53))
                                              : 8 + static_cast<int>(source_.Next(9));
        const int rows = source_.Next(4) == 0 ? 8 + static_cast<int>(source_.Next(33))
                                              : 8 + static_cast<int>(source_.Next(9));
        const int mines =
            1 + static_cast<int>(source_.Next(static_cast<std::uint32_t>(cols * rows - 9)));
        std::string typed[] = {std::to_string(cols), std::to_string(rows), std::to_string(mines)};
        if (source_.Next(3) == 0) {
            typed[source_.Next(3)] = wrong[source_.Next(std::size(wrong))];
        }
        dialog.txtColumns.Text = typed[0];
        dialog.txtRows.Text = typed[1];
        dialog.txtMines.Text = typed[2];
        const int action = static_cast<int>(source_.Next(8));
        if (action == 0) {
            dialog.cmdCancel_Click();
            return;
        }
        if (action == 1) {
            dialog.closeBoxClicked();
            return;
        }
        const bool colsRight = WholeIn(typed[0], 8, 60);
        const bool rowsRight = WholeIn(typed[1], 8, 40);
        const bool takes = colsRight && rowsRight &&
                           WholeIn(typed[2], 1, std::stoi(typed[0]) * std::stoi(typed[1]) - 9);
        const std::size_t boxes = toolkit_.boxes.size();
        dialog.cmdOK_Click();
        if (takes) {
            customChosen_ = BoardSize{static_cast<std::int16_t>(std::stoi(typed[0])),
                                      static_cast<std::int16_t>(std::stoi(typed[1])),
                                      static_cast<std::int16_t>(std::stoi(typed[2]))};
        }
        // The first field out of range is named, and what was typed stays for mending.
        const CustomField first = !colsRight   ? CustomField::Columns
                                  : !rowsRight ? CustomField::Rows
                                               : CustomField::Mines;
        const char* const names[] = {"Columns must", "Rows must", "Mines must"};
        const bool refusedRightly =
            dialog.Loaded() && toolkit_.boxes.size() == boxes + 1 && dialog.Refused() == first &&
            toolkit_.boxes.back().text.starts_with(names[static_cast<int>(first)]) &&
            dialog.txtColumns.Text + dialog.txtRows.Text + dialog.txtMines.Text ==
                typed[0] + typed[1] + typed[2];
        if (takes ? dialog.Loaded() : !refusedRightly) {
            if (!wrongCustom_) {
                wrongCustom_ = "the custom dialog " + std::string(takes ? "refused" : "took") +
                               " \"" + typed[0] + "\", \"" + typed[1] + "\", \"" + typed[2] + "\"";
            }
            return;
        }
        customRefusals_ += takes ? 0 : 1;
    }
}

void EventDriver::RunOptions(Form& form) {
    auto& dialog = static_cast<frmOptions&>(form);
    ChangeKeysUnseen();
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

bool EventDriver::Won() const {
    const Board& b = form_->GetBoard();
    return !form_->StartCancelled() && b.PlotsLeft == 0 && b.MarkCount == b.MineCount;
}

EventDriver::Snapshot EventDriver::Take() const {
    const frmDravik& f = *form_;
    return Snapshot{f.GetBoard().State(),
                    {f.mnuRule1.Checked, f.mnuPairsRule.Checked, f.mnuCompleteLogic.Checked,
                     f.cmdMultiple.Enabled, f.chkExtra.Visible, options_.HitMineOption,
                     options_.ShowRuleCount}};
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
    for (std::int16_t i = 0; i < CellCount(b); ++i) {
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
    deepest_ = std::max(deepest_, CellCount(b) - covered);
    if (mines != (b.Laying == MineLaying::AwaitingFirstClick ? 0 : b.MineCount)) {
        return std::to_string(mines) + " mines in the grid";
    }
    const int digits = CellCount(b) >= 1000 ? 4 : 3;
    if (form_->txtMines.Text != FormatDigits(b.MineCount - b.MarkCount, digits) ||
        form_->txtPlots.Text != FormatDigits(b.PlotsLeft, digits)) {
        return "a counter shows the wrong text";
    }
    if (auto broken = CheckSize()) {
        return broken;
    }
    if (form_->mnuRule1.Checked || form_->mnuPairsRule.Checked || form_->mnuCompleteLogic.Checked ||
        !form_->cmdMultiple.Enabled) {
        return "a finished repeated run left its guard set";
    }
    if ((held_ & (vbShiftMask | vbCtrlMask)) == 0 && b.KeyHeld != kFalse) {
        return "marking mode with neither Shift nor Ctrl down";
    }
    if (form_->Cursor.Row() < 1 || form_->Cursor.Row() > b.Rows || form_->Cursor.Col() < 1 ||
        form_->Cursor.Col() > b.Cols) {
        return "the cursor left the board";
    }
    if (auto broken = CheckCells()) {
        return broken;
    }
    if (auto broken = CheckOutlines()) {
        return broken;
    }
    return CheckKeepUp();
}

// The engine trusts marks, and a wrong mark may make a move look forced that is not. So it is
// given the board with every wrong mark taken away (and the counter put right): the real mines
// then always fit, every move it calls certain must match them, and it can never find the
// numbers contradictory.
std::optional<std::string> EventDriver::CheckAnalysis() {
    const Board& b = form_->GetBoard();
    if (form_->StartCancelled()) {
        return std::nullopt;
    }
    Position position = Position::FromBoard(b);
    for (std::int16_t i = 0; i < CellCount(b); ++i) {
        const CellRef cell = b.CellAt(i);
        if (b.IsMarked(i) && b.MineGrid(cell.row, cell.col) == 0) {
            position.SetCovered(i);
            position.SetMinesLeft(position.MinesLeft() + 1);
        }
    }
    const analysis::Analysis found = analysis::Analyse(position, {.withOdds = false});
    ++positionsAnalysed_;
    if (found.verdict == analysis::Verdict::Contradiction) {
        return "the analysis calls a true position contradictory:\n" + position.ToText();
    }
    for (const analysis::Move& move : found.certain) {
        ++certainMovesChecked_;
        const CellRef cell = b.CellAt(static_cast<std::int16_t>(move.index));
        if ((b.MineGrid(cell.row, cell.col) == 1) != move.mine) {
            return "the analysis calls " + Named(cell) + (move.mine ? " a mine" : " safe") +
                   " wrongly:\n" + position.ToText();
        }
    }
    return CheckNoGuessStall(position, found);
}

// With the wrong marks gone, what the player knows of a no-guess board includes its opening, and
// every mark is right: each certain move of logic's own way from the opening is still forced, so
// the first one not yet made is always there to find.
std::optional<std::string> EventDriver::CheckNoGuessStall(const Position& position,
                                                          const analysis::Analysis& found) {
    if (form_->GetBoard().Laying != MineLaying::NoGuess ||
        found.verdict == analysis::Verdict::NothingLeft || found.exhausted) {
        return std::nullopt;
    }
    ++noGuessStallsChecked_;
    if (found.certain.empty()) {
        return "a no-guess board needs a guess:\n" + position.ToText();
    }
    return std::nullopt;
}

// Whatever the size, the board fills its grid, every cell lies inside the panel, the panel is at
// least as wide as the strip of controls, and the window holds the panel.
std::optional<std::string> EventDriver::CheckSize() const {
    const Board& b = form_->GetBoard();
    sizesPlayed_.insert({b.Cols, b.Rows, b.MineCount});
    if (form_->cmdMine.size() != static_cast<std::size_t>(CellCount(b))) {
        return std::to_string(form_->cmdMine.size()) + " cells on a board of " +
               std::to_string(b.Cols) + " x " + std::to_string(b.Rows);
    }
    const Frame& panel = form_->SSPanel1;
    for (const Label* cell : {&form_->cmdMine.front(), &form_->cmdMine.back()}) {
        if (cell->Left < 0 || cell->Top < 0 || cell->Left + cell->Width > panel.Width ||
            cell->Top + cell->Height > panel.Height || cell->Width != b.CellSize) {
            return "a cell outside the panel of a board of " + std::to_string(b.Cols) + " x " +
                   std::to_string(b.Rows);
        }
    }
    if (panel.Width < 7905 || form_->Window.Width < panel.Width ||
        form_->Window.Height < panel.Top + panel.Height) {
        return "the window or the panel too small for the board and the strip";
    }
    return std::nullopt;
}

// Colour and border follow the caption: covered, marked (by the player or not), uncovered.
std::optional<std::string> EventDriver::CheckCells() const {
    const Board& b = form_->GetBoard();
    for (std::int16_t i = 0; i < CellCount(b); ++i) {
        const Label& cell = form_->cmdMine[static_cast<std::size_t>(i)];
        const std::string& caption = cell.Caption;
        bool shown = false;
        if (caption.empty()) {
            shown = cell.BackColor == kButtonFace && cell.BorderStyle == kBorderFixedSingle;
        } else if (caption == "@") {
            shown = (cell.BackColor == PaletteColour(12) || cell.BackColor == PaletteColour(13)) &&
                    cell.BorderStyle == kBorderFixedSingle;
        } else {
            shown = caption.size() == 1 && caption[0] >= '0' && caption[0] <= '8' &&
                    cell.BackColor == PaletteColour(caption == "0" ? 10 : 11) &&
                    cell.BorderStyle == kBorderNone;
        }
        if (!shown) {
            return "cell " + std::to_string(i) + " looks wrong for its caption \"" + caption + "\"";
        }
    }
    return std::nullopt;
}

std::optional<std::string> EventDriver::CheckKeepUp() const {
    const frmDravik& f = *form_;
    const int score = f.GetBoard().KeepUpScore;
    const std::string expected =
        score < 0 ? std::to_string(-score) + " Ahead" : std::to_string(score) + " Behind";
    const std::string& caption = f.lblKeepUp.Caption;
    if (caption != expected && !(caption.empty() && score == 0)) {
        return "the keep-up label reads \"" + caption + "\" for the score " + std::to_string(score);
    }
    const bool on = f.chkKeepUp.Value != 0;
    if (f.lblKeepUp.Visible != on || f.chkExtra.Visible != on) {
        return "the keep-up label or \"Extra\" is shown while keep-up mode is not, or not shown "
               "while it is";
    }
    return std::nullopt;
}

}  // namespace dravik::testing
