#include <cmath>

#include "board/board.h"

namespace dravik {

void Board::LayMineField(const RandomSource& random) {
    ClearMineGrid();
    int laid = 0;
    while (laid < MineCount) {
        // Column before row, each product in double precision so that the largest float
        // below 1 still lands on the last column and row.
        const int col = static_cast<int>(std::floor(double{random()} * Cols)) + 1;
        const int row = static_cast<int>(std::floor(double{random()} * Rows)) + 1;
        std::int16_t& element = MineGrid(row, col);
        if (element != 0) {
            continue;
        }
        element = 1;
        ++laid;
    }
}

void Board::ClearMineGrid() {
    for (int row = 1; row <= Rows; ++row) {
        for (int col = 1; col <= Cols; ++col) {
            MineGrid(row, col) = 0;
        }
    }
}

}  // namespace dravik
