#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

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

// Plays random sequences of every event the main window accepts, including events that run
// inside a repeated rule run's yield and inside message boxes, and checks the game's invariants
// after every event.
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

  private:
    struct Snapshot;

    void RunEvent(int depth);
    void RunCellEvent();
    void RunOptions(Form& form);
    void MaybeNest(int depth);
    std::optional<std::string> CheckInvariants() const;
    std::optional<std::string> CheckUntouched() const;
    void CheckHint(const std::string& text);
    void RunNewRule();
    Snapshot Take() const;

    ChoiceSource& source_;
    FakeToolkit toolkit_;
    ModDravik options_;
    std::unique_ptr<frmDravik> form_;
    std::unique_ptr<Snapshot> atUnload_;
    int events_ = 0;
    int hintsChecked_ = 0;
    std::optional<std::string> wrongHint_;
    mutable int deepest_ = 0;
};

}  // namespace dravik::testing
