#include "board/board.h"

#include "toolkit/palette.h"
#include "toolkit/text.h"

namespace dravik {

Board::Board(const BoardControls& controls, FormContext& context)
    : controls_(controls), context_(context) {}

std::int16_t Board::CellIndex(std::int16_t row, std::int16_t col) const {
    return static_cast<std::int16_t>((row - 1) * Cols + (col - 1));
}

CellRef Board::CellAt(std::int16_t index) const {
    return CellRef{index, static_cast<std::int16_t>(index / Cols + 1),
                   static_cast<std::int16_t>(index % Cols + 1)};
}

bool Board::Neighbour(const CellRef& cell, std::size_t k, CellRef& out) const {
    const Step step = kNeighbourOrder[k];
    const int row = cell.row + step.dRow;
    const int col = cell.col + step.dCol;
    if (row < 1 || row > Rows || col < 1 || col > Cols) {
        return false;
    }
    out = CellRef{static_cast<std::int16_t>(cell.index + step.dRow * Cols + step.dCol),
                  static_cast<std::int16_t>(row), static_cast<std::int16_t>(col)};
    return true;
}

std::int16_t Board::AdjacentMineCount(std::int16_t row, std::int16_t col) const {
    std::int16_t count = 0;
    ForEachNeighbour(CellRef{CellIndex(row, col), row, col}, [&](const CellRef& n) {
        if (MineGrid(n.row, n.col) == 1) {
            ++count;
        }
    });
    return count;
}

std::int16_t Board::AdjacentCovered(std::int16_t index, std::int16_t row, std::int16_t col) const {
    std::int16_t count = 0;
    ForEachNeighbour(CellRef{index, row, col}, [&](const CellRef& n) {
        if (IsCovered(n.index)) {
            ++count;
        }
    });
    return count;
}

std::int16_t Board::AdjacentMarks(std::int16_t index, std::int16_t row, std::int16_t col) const {
    std::int16_t count = 0;
    ForEachNeighbour(CellRef{index, row, col}, [&](const CellRef& n) {
        if (IsMarked(n.index)) {
            ++count;
        }
    });
    return count;
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

std::int16_t Board::CellNumber(std::int16_t index) const {
    return TextToInt16(Caption(index));
}

void Board::ShowMineCounter() {
    controls_.txtMines.Text = Format000(MineCount - MarkCount);
}

void Board::ShowPlotsCounter() {
    controls_.txtPlots.Text = Format000(PlotsLeft);
}

void Board::ResetCounters() {
    MarkCount = 0;
    ShowMineCounter();
    PlotsLeft = static_cast<std::int16_t>(Cols * Rows);
    ShowPlotsCounter();
}

}  // namespace dravik
