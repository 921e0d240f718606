#include "board/board.h"

#include "toolkit/palette.h"
#include "toolkit/text.h"

namespace dravik {

std::int16_t Board::AdjacentMineCount(std::int16_t row, std::int16_t col) const {
    // Every uncovered cell and many rule steps ask this. Inside the rim the block's three rows
    // are read straight from the grid, each row found by one checked access.
    if (row > 1 && row < Rows && col > 1 && col < Cols && col < MineGrid.Cols()) {
        const std::int16_t* above = &MineGrid(row - 1, col);
        const std::int16_t* level = &MineGrid(row, col);
        const std::int16_t* below = &MineGrid(row + 1, col);
        return static_cast<std::int16_t>((above[-1] == 1) + (above[0] == 1) + (above[1] == 1) +
                                         (level[-1] == 1) + (level[1] == 1) + (below[-1] == 1) +
                                         (below[0] == 1) + (below[1] == 1));
    }
    std::int16_t count = 0;
    ForEachNeighbour(CellRef{CellIndex(row, col), row, col}, [&](const CellRef& n) {
        if (MineGrid(n.row, n.col) == 1) {
            ++count;
        }
    });
    return count;
}

namespace {

void Tally(const std::string& caption, Board::NeighbourCounts& counts) {
    if (caption.empty()) {
        ++counts.covered;
    } else if (caption == kMarkCaption) {
        ++counts.marks;
    }
}

}  // namespace

Board::NeighbourCounts Board::CountCoveredAndMarks(const CellRef& cell) const {
    // A cell inside the rim has all eight neighbours, at fixed distances in the array; one size
    // check stands in for eight. This is the innermost loop of every rule scan, so it reads the
    // neighbours in memory order (the counts do not depend on the order).
    const std::vector<Label>& cells = cmdMine;
    if (cell.row > 1 && cell.row < Rows && cell.col > 1 && cell.col < Cols &&
        static_cast<std::size_t>(cell.index + Cols + 1) < cells.size()) {
        NeighbourCounts counts;
        const Label* above = cells.data() + (cell.index - Cols);
        const Label* level = cells.data() + cell.index;
        const Label* below = cells.data() + (cell.index + Cols);
        Tally(above[-1].Caption, counts);
        Tally(above[0].Caption, counts);
        Tally(above[1].Caption, counts);
        Tally(level[-1].Caption, counts);
        Tally(level[1].Caption, counts);
        Tally(below[-1].Caption, counts);
        Tally(below[0].Caption, counts);
        Tally(below[1].Caption, counts);
        return counts;
    }
    return CountCoveredAndMarksOnRim(cell);
}

// Kept apart so the common case above stays small.
Board::NeighbourCounts Board::CountCoveredAndMarksOnRim(const CellRef& cell) const {
    NeighbourCounts counts;
    ForEachNeighbour(cell, [&](const CellRef& n) { Tally(Caption(n.index), counts); });
    return counts;
}

std::int16_t Board::CountInBlock(std::int16_t kinds, std::int16_t colFrom, std::int16_t rowFrom,
                                 std::int16_t colTo, std::int16_t rowTo) const {
    std::int16_t count = 0;
    for (std::int16_t row = rowFrom; row <= rowTo; ++row) {
        for (std::int16_t col = colFrom; col <= colTo; ++col) {
            const std::int16_t index = CellIndex(row, col);
            const std::int16_t kind = IsMarked(index)    ? kKindMarked
                                      : IsCovered(index) ? kKindCovered
                                                         : kKindUncovered;
            if ((kinds & kind) != 0) {
                ++count;
            }
        }
    }
    return count;
}

Colour Board::MinesColour(std::int16_t nofmines) {
    return PaletteColour(nofmines <= 5 ? nofmines : nofmines + 5);
}

void Board::SetOutlines(int cell, const std::vector<int>& proof) {
    ClearOutlines();
    const auto outline = [this](int index, Int16 kind) {
        cmdMine.at(static_cast<std::size_t>(index)).Outline = kind;
        Outlined.push_back(static_cast<std::int16_t>(index));
    };
    for (const int number : proof) {
        outline(number, kOutlineProof);
    }
    if (cell >= 0) {
        outline(cell, kOutlineHint);
    }
}

void Board::ClearOutlines() {
    for (const std::int16_t index : Outlined) {
        cmdMine.at(static_cast<std::size_t>(index)).Outline = kOutlineNone;
    }
    Outlined.clear();
}

namespace {

int CounterDigits(int cells) {
    constexpr int kFourDigitCells = 1000;
    return cells >= kFourDigitCells ? 4 : 3;
}

}  // namespace

void Board::ShowMineCounter() {
    txtMines.Text = FormatDigits(MineCount - MarkCount, CounterDigits(Rows * Cols));
}

void Board::ShowPlotsCounter() {
    txtPlots.Text = FormatDigits(PlotsLeft, CounterDigits(Rows * Cols));
}

void Board::ResetCounters() {
    MarkCount = 0;
    ShowMineCounter();
    PlotsLeft = static_cast<std::int16_t>(Cols * Rows);
    ShowPlotsCounter();
}

}  // namespace dravik
