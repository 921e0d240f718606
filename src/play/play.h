#pragma once

#include <cstdint>

#include "board/board.h"
#include "board/mod_dravik.h"
#include "toolkit/form_context.h"

namespace dravik {

// The moves every player action and every rule makes on the board: uncovering with flood fill,
// marks with both counters, the mine alarm and the win test. Rules change the board only
// through these, so manual and automatic play look and count alike.
class Play {
  public:
    Play(Board& board, FormContext& context, const ModDravik& options)
        : board_(board), context_(context), options_(options) {}

    // Uncovers a covered cell (flooding an empty region depth-first). Returns kTrue when the
    // cell held a mine and was marked instead; kFalse otherwise, also when nothing was done.
    std::int16_t UncoverCell(std::int16_t index, std::int16_t row, std::int16_t col);
    // UncoverCell on every neighbour; the sum of the results (-k when k mines were met).
    std::int16_t UncoverNeighbours(std::int16_t index, std::int16_t row, std::int16_t col);

    // Only on a covered cell.
    void MarkCell(std::int16_t index, bool userMark);
    // Only on a marked cell.
    void UnmarkCell(std::int16_t index);
    // An automatic mark on every covered neighbour.
    void MarkNeighbours(std::int16_t index, std::int16_t row, std::int16_t col);

    void MineAlarm();
    void CheckForWin();

  private:
    std::int16_t Uncover(const CellRef& cell);
    // Shows the cell's number; true when it has no adjacent mine, so the flood goes on from it.
    bool Open(const CellRef& cell);
    void CountUncovered();

    Board& board_;
    FormContext& context_;
    const ModDravik& options_;
};

}  // namespace dravik
