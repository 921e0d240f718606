#pragma once

// A started game on a toolkit without a window system, for timing the core alone: message boxes
// answer at once, yields do nothing, and random numbers come from a generator the benchmark
// seeds, so every board is the same on every run.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "board/mod_dravik.h"
#include "forms/frm_dravik.h"
#include "toolkit/toolkit.h"

namespace dravik::bench {

class QuietToolkit : public Toolkit {
  public:
    int boxes = 0;
    int beeps = 0;
    int yields = 0;

    void Seed(std::uint32_t seed) { generator_.seed(seed); }

    std::int16_t MsgBox(const std::string&, std::int16_t style, const std::string&) override {
        ++boxes;
        return style == vbYesNoCancel ? vbNo : vbOK;
    }
    void Beep() override { ++beeps; }
    void DispatchPending(bool) override { ++yields; }
    float Rnd() override { return static_cast<float>(generator_() >> 8) * (1.0f / 16777216.0f); }
    void Randomize() override {}
    void ShowModal(Form& form) override { form.Unload(); }
    void FormUnloaded(Form&) override {}
    std::int16_t ShiftState() override { return 0; }

  private:
    std::mt19937 generator_{1u};
};

// Everything a move can change, so a benchmark can put the board back between iterations
// without rebuilding the window.
struct BoardState {
    std::vector<Label> cells;
    MineGridArray mines;
    std::string mineCounter;
    std::string plotsCounter;
    std::string keepUpCaption;
    std::int16_t markCount = 0;
    std::int16_t plotsLeft = 0;
    std::int16_t keepUpScore = 0;
    std::int16_t mouseButton = 0;
    std::int16_t keyHeld = 0;
    std::int16_t stopFlag = 0;
};

class BenchGame {
  public:
    // A game in the normal layout, answered "No" at the start question, with the minefield the
    // generator lays from seed.
    explicit BenchGame(std::uint32_t seed = 1);

    QuietToolkit toolkit;
    ModDravik options;
    frmDravik form{toolkit, options};
    Board& board = form.GetBoard();

    // A new random minefield from seed through the game's own Replay.
    void NewGame(std::uint32_t seed);
    // Replaces the minefield: '*' is a mine; rows and columns not given hold none.
    void LayMines(const std::vector<std::string>& rows);
    std::int16_t Index(int row, int col) const;

    void LeftClick(int row, int col);
    void RightClick(int row, int col);

    BoardState Save() const;
    void Restore(const BoardState& state);

    int Covered() const;
    int Marked() const;
    // Cells whose caption differs from the saved state's.
    int Changed(const BoardState& before) const;
    // The uncovered cell with no adjacent mine whose region opens the most cells when clicked,
    // or -1 when the field has none. The board is left as it was found.
    std::int16_t BestOpening();
};

}  // namespace dravik::bench
