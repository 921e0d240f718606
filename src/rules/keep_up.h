#pragma once

#include <cstdint>

#include "board/board.h"
#include "toolkit/controls.h"

namespace dravik {

// The keep-up score: player moves and mine hits raise it, productive rule scans lower it. It
// shows as "n Behind" (0 and up) or "n Ahead" (below 0) in lblKeepUp.
class KeepUp {
  public:
    KeepUp(Board& board, Label& lblKeepUp, CheckBox& chkKeepUp, CheckBox& chkExtra)
        : board_(board), lblKeepUp_(lblKeepUp), chkKeepUp_(chkKeepUp), chkExtra_(chkExtra) {}

    bool On() const { return chkKeepUp_.Value != 0; }
    bool Extra() const { return chkExtra_.Value != 0; }

    // Moves the score, stopping at the ends of the 16-bit range, and shows it.
    void Add(int delta);
    // Back to 0 for a new game, shown.
    void Reset();
    void ShowKeepUp();
    // The label and "Extra" are shown exactly while keep-up mode is on.
    void ShowControls();

  private:
    Board& board_;
    Label& lblKeepUp_;
    CheckBox& chkKeepUp_;
    CheckBox& chkExtra_;
};

}  // namespace dravik
