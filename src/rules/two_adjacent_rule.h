#pragma once

#include <cstdint>

#include "board/board.h"
#include "play/play.h"
#include "toolkit/form_context.h"

namespace dravik {

// Compares each uncovered number A with the number B right below it. When one of the two outer
// rows (above A, below B) holds nothing covered or marked, it holds no mine, and the difference
// of the numbers is the count of mines in the other outer row.
class TwoAdjacent {
  public:
    TwoAdjacent(Board& board, Play& play, FormContext& context)
        : board_(board), play_(play), context_(context) {}

    // One sweep over the inner cells. A run-time error ends it with a report.
    void TwoAdjacentRule();
    // The rule for A = (row, col) and B = (row + 1, col); A is never on the board's rim.
    void TwoAdjacentAt(std::int16_t index, std::int16_t row, std::int16_t col);

  private:
    void UncoverRow(std::int16_t row, std::int16_t col);
    void MarkRow(std::int16_t row, std::int16_t col);
    std::int16_t Count(std::int16_t kinds, std::int16_t row, std::int16_t col) const;

    Board& board_;
    Play& play_;
    FormContext& context_;
};

}  // namespace dravik
