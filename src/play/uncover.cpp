#include <vector>

#include "play/play.h"
#include "toolkit/palette.h"
#include "toolkit/text.h"

namespace dravik {

namespace {
constexpr int kEmptyColour = 10;     // light green
constexpr int kNumberedColour = 11;  // light cyan
}  // namespace

std::int16_t Play::UncoverCell(std::int16_t index, std::int16_t row, std::int16_t col) {
    return Uncover(CellRef{index, row, col});
}

std::int16_t Play::UncoverNeighbours(std::int16_t index, std::int16_t row, std::int16_t col) {
    int sum = 0;
    board_.ForEachNeighbour(CellRef{index, row, col}, [&](const CellRef& n) { sum += Uncover(n); });
    return static_cast<std::int16_t>(sum);
}

// The flood is the mutual recursion UncoverCell -> UncoverNeighbours -> UncoverCell unrolled
// onto an explicit stack, so a board without mines opens in one click at any size. Each frame
// is a cell whose caption is already set and the next neighbour of it to try; a cell counts as
// uncovered (PlotsLeft) only once everything below it is done, as the recursion would have it.
// The counter's text is written once, when the flood is over: formatting it for every cell
// took as long as the flood itself, and nothing can see it meanwhile (the one box a flood could
// open comes after MarkCell has written the counter).
std::int16_t Play::Uncover(const CellRef& start) {
    if (!board_.IsCovered(start.index)) {
        return kFalse;
    }
    if (board_.MineGrid(start.row, start.col) != 0) {
        MarkCell(start.index, false);
        MineAlarm();
        return kTrue;
    }
    if (!Open(start)) {
        CountUncovered();
        return kFalse;
    }
    struct Pending {
        CellRef cell;
        std::size_t next;
    };
    std::vector<Pending> stack;
    stack.reserve(static_cast<std::size_t>(board_.Rows * board_.Cols));
    stack.push_back({start, 0});
    while (!stack.empty()) {
        if (stack.back().next == Board::kNeighbourCount) {
            stack.pop_back();
            --board_.PlotsLeft;
            continue;
        }
        CellRef n{};
        const CellRef cell = stack.back().cell;
        if (!board_.Neighbour(cell, stack.back().next++, n) || !board_.IsCovered(n.index)) {
            continue;
        }
        if (board_.MineGrid(n.row, n.col) != 0) {
            MarkCell(n.index, false);  // a cell without adjacent mines has no mine around it,
            MineAlarm();               // so this is only reached if the grid changed meanwhile
        } else if (Open(n)) {
            stack.push_back({n, 0});
        } else {
            --board_.PlotsLeft;
        }
    }
    board_.ShowPlotsCounter();
    return kFalse;
}

bool Play::Open(const CellRef& cell) {
    const std::int16_t n = board_.AdjacentMineCount(cell.row, cell.col);
    Label& label = board_.ChangeCell(cell.index);
    if (n < 1) {
        label.BackColor = PaletteColour(kEmptyColour);
        label.Caption = "0";
    } else {
        label.BackColor = PaletteColour(kNumberedColour);
        label.Caption = FormatPlain(n);
    }
    label.BorderStyle = kBorderNone;
    return n == 0;
}

void Play::CountUncovered() {
    --board_.PlotsLeft;
    board_.ShowPlotsCounter();
}

}  // namespace dravik
