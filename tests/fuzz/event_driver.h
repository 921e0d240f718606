#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>

#include "analysis/analysis.h"
#include "board/mod_dravik.h"
#include "forms/frm_dravik.h"
#include "support/fake_toolkit.h"

namespace dravik::testing {

// Where the driver's choices come from: fuzzer bytes or a seeded generator.
class ChoiceSource {
  public:
    virtual ~ChoiceSource() = default;
    // A number in [0, bound); bound > 0.
    virtual std::uint32_t Next(std::uint32_t bound) = 0;
    virtual bool Exhausted() const = 0;
};

// Plays random sequences of every event the main window accepts, as the toolkit delivers them:
// queued input runs at the top or nested inside whatever yields, never while a box or the
// options dialog is open (keys may change there unseen). Checks the game's invariants after
// every event at the top.
class EventDriver {
  public:
    explicit EventDriver(ChoiceSource& source);
    ~EventDriver();

    // Starts the game and plays up to maxEvents events. Returns the first broken invariant.
    std::optional<std::string> Play(int maxEvents);
    int EventsRun() const { return events_; }
    // The most cells that were uncovered or marked at once: how deep into a game play got.
    int DeepestGame() const { return deepest_; }
    // Hints that named a certain move while every mark on the board was right, each checked
    // against the mines.
    int HintsChecked() const { return hintsChecked_; }
    // Positions the analysis engine was run on, and the certain moves it found there, each
    // checked against the mines.
    int PositionsAnalysed() const { return positionsAnalysed_; }
    int CertainMovesChecked() const { return certainMovesChecked_; }
    // Checks after an event that found hint outlines on the board, each outlined cell compared
    // with what it showed when the hint outlined it.
    int OutlinesChecked() const { return outlinesChecked_; }
    // First uncovering clicks on no-guess boards, and analysed positions of no-guess boards
    // (wrong marks taken away) that were not finished, each required to hold a certain move.
    int FirstClicksChecked() const { return firstClicksChecked_; }
    int NoGuessStallsChecked() const { return noGuessStallsChecked_; }
    // How often an event at the top won the game.
    int GamesWon() const { return gamesWon_; }
    // Keys played on the board while it had the focus.
    int BoardKeysPlayed() const { return boardKeys_; }
    // The board sizes played (levels and custom ones), and custom inputs the dialog refused,
    // each refusal checked against the ranges.
    const std::set<std::tuple<int, int, int>>& SizesPlayed() const { return sizesPlayed_; }
    int CustomRefusalsChecked() const { return customRefusals_; }
    // The most events that ran inside one another.
    int DeepestNesting() const { return deepestNesting_; }

  private:
    struct Snapshot;

    // Whether an event at the top that completes the board shows the win message.
    enum class WinTest { kNever, kMaybe, kAlways };

    void PostInput(std::uint32_t count);
    void RunEvent();
    WinTest RunMainWindowEvent();
    WinTest RunCellEvent();
    void RunKeyEvent(bool down);
    WinTest RunBoardKeyEvent();
    void ChangeKeysUnseen();
    void RunOptions(Form& form);
    void RunSizeEvent();
    void RunCustom(frmCustom& dialog);
    std::optional<std::string> CheckSize() const;
    bool Won() const;
    std::optional<std::string> CheckInvariants() const;
    std::optional<std::string> CheckAnalysis();
    std::optional<std::string> CheckNoGuessStall(const Position& position,
                                                 const analysis::Analysis& found);
    std::optional<std::string> CheckCells() const;
    std::optional<std::string> CheckKeepUp() const;
    std::optional<std::string> CheckUntouched() const;
    std::optional<std::string> CheckOutlines() const;
    void CheckHint(const std::string& text);
    // At a hint's box: what each cell it outlined shows now.
    void RecordOutlines(const std::string& text);
    WinTest RunNewRule();
    Snapshot Take() const;

    ChoiceSource& source_;
    FakeToolkit toolkit_;
    ModDravik options_;
    std::unique_ptr<frmDravik> form_;
    std::unique_ptr<Snapshot> atUnload_;
    int events_ = 0;
    int hintsChecked_ = 0;
    int positionsAnalysed_ = 0;
    int certainMovesChecked_ = 0;
    std::optional<std::string> wrongHint_;
    int nesting_ = 0;
    int deepestNesting_ = 0;
    int winBoxes_ = 0;
    int gamesWon_ = 0;
    int boardKeys_ = 0;
    WinTest lastWinTest_ = WinTest::kNever;
    std::int16_t held_ = 0;  // modifier bits of the keys really down
    mutable int deepest_ = 0;
    std::map<std::int16_t, std::string> outlinedAtHint_;
    mutable int outlinesChecked_ = 0;
    int replays_ = 0;
    int firstClicksChecked_ = 0;
    int noGuessStallsChecked_ = 0;
    std::optional<std::string> wrongFirstClick_;
    mutable std::set<std::tuple<int, int, int>> sizesPlayed_;
    int customRefusals_ = 0;
    std::optional<BoardSize> customChosen_;
    std::optional<std::string> wrongCustom_;
};

}  // namespace dravik::testing
