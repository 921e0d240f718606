#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "board/board.h"
#include "board/position.h"
#include "toolkit/form_context.h"

namespace dravik {

// What a hint tells about a position: the box's text, the cell it points at (a certain move or
// the safest guess) and the numbers that prove it. Indexes as the board counts them.
struct HintFinding {
    std::string text;
    int cell = -1;
    std::vector<int> proof;
};

// A certain move with the proof a hint shows for it.
struct ProvedMove {
    analysis::Move move;
    analysis::Proof proof;
};

// Of the certain moves `found` holds (Analyse's answer on this same position, with the same
// limits), the one whose proof cites the fewest numbers, then the first in reading order: the
// easiest for the player to check. Nothing when no certain move could be proved.
std::optional<ProvedMove> EasiestMove(const Position& position, const analysis::Analysis& found,
                                      const analysis::Limits& limits = {});

// Tells the player what the numbers prove at this moment, without changing anything: the box
// names one certain move and its proof, or the safest guess, or what stands in the way. The
// board outlines the cell and its proof until one of its cells changes.
class Hint {
  public:
    Hint(Board& board, FormContext& context) : board_(board), context_(context) {}

    // Analyses the board as it stands, outlines the verdict and shows it in a box.
    void ShowHint();

    static HintFinding Find(const Position& position, const analysis::Limits& limits = {});

  private:
    Board& board_;
    FormContext& context_;
};

}  // namespace dravik
