#pragma once

#include <cstdint>

#include "board/board.h"
#include "play/play.h"
#include "rules/keep_up.h"

namespace dravik {

// What the player's hand does on the board. The window turns its events into these moves; each
// move that counts as a turn ends with the follow-up: the keep-up opponent's answer, then the
// win test.
class Moves {
  public:
    Moves(Board& board, Play& play, KeepUp& keepUp, KeepUpOpponent& opponent)
        : board_(board), play_(play), keepUp_(keepUp), opponent_(opponent) {}

    // A plain click on a cell (no marking key held). The mine grid and the cell decide the
    // move: uncover it, open or mark around its number, hit its mine, or nothing.
    void ClickCell(std::int16_t index);
    // Marks a covered cell as the player's, unmarks a marked one; an uncovered cell stays as it
    // is, but the move still counts as a turn.
    void ToggleMark(std::int16_t index);

    // cell covered and without a mine.
    void UncoverCell(const CellRef& cell);
    // The chord: cell is a number whose marks equal its mines; every covered neighbour opens.
    void OpenAroundNumber(const CellRef& cell);
    // cell is a number whose covered and marked neighbours together equal it; every covered
    // neighbour gets an automatic mark.
    void MarkAroundNumber(const CellRef& cell);
    // cell covered and holding a mine.
    void MineHit(const CellRef& cell);

    // Ends a move that counts as a turn.
    void FollowUp();
    // Ends a click that made no move: no turn in keep-up mode, else only the win test.
    void IdleClick();

  private:
    Board& board_;
    Play& play_;
    KeepUp& keepUp_;
    KeepUpOpponent& opponent_;
};

}  // namespace dravik
