#include "analysis/forced_guess.h"

#include <algorithm>

#include "board/position.h"

namespace dravik::analysis {

namespace {

struct Grid {
    int rows;
    int cols;
    const std::vector<std::uint8_t>& mines;

    bool Safe(int row, int col) const {
        const int index = row * cols + col;
        return mines[static_cast<std::size_t>(index)] == 0;
    }

    template <typename Visit>
    void ForEachSafeNeighbour(int row, int col, Visit&& visit) const {
        for (int r = std::max(row - 1, 0); r <= std::min(row + 1, rows - 1); ++r) {
            for (int c = std::max(col - 1, 0); c <= std::min(col + 1, cols - 1); ++c) {
                if ((r != row || c != col) && Safe(r, c)) {
                    visit(r, c);
                }
            }
        }
    }
};

// Does every safe neighbour of (row, col), the other cell apart, see the other cell as well?
bool SeenAlike(const Grid& grid, int row, int col, int otherRow, int otherCol) {
    bool alike = true;
    grid.ForEachSafeNeighbour(row, col, [&](int r, int c) {
        alike = alike && ((r == otherRow && c == otherCol) || Adjacent(r, c, otherRow, otherCol));
    });
    return alike;
}

}  // namespace

bool HasForcedGuess(int rows, int cols, const std::vector<std::uint8_t>& mines, int firstCell) {
    const Grid grid{rows, cols, mines};
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            if (grid.Safe(row, col)) {
                continue;
            }
            // The partner has to be next to each safe neighbour of the mine: inside the
            // intersection of their surroundings.
            int top = row - 2;
            int bottom = row + 2;
            int left = col - 2;
            int right = col + 2;
            grid.ForEachSafeNeighbour(row, col, [&](int r, int c) {
                top = std::max(top, r - 1);
                bottom = std::min(bottom, r + 1);
                left = std::max(left, c - 1);
                right = std::min(right, c + 1);
            });
            for (int r = std::max(top, 0); r <= std::min(bottom, rows - 1); ++r) {
                for (int c = std::max(left, 0); c <= std::min(right, cols - 1); ++c) {
                    if (grid.Safe(r, c) && r * cols + c != firstCell &&
                        SeenAlike(grid, row, col, r, c) && SeenAlike(grid, r, c, row, col)) {
                        return true;
                    }
                }
            }
        }
    }
    return false;
}

}  // namespace dravik::analysis
