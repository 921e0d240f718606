#pragma once

#include <cstdint>

namespace dravik {

// The cell the keyboard acts on while the board has the focus. It starts on row 1, column 1 and
// keeps its cell until a key or a click moves it: a new game or the focus leaving does not.
class BoardCursor {
  public:
    // Rows and columns counted from 1, as the cell index counts them.
    std::int16_t Row() const { return row_; }
    std::int16_t Col() const { return col_; }
    // Its cell index on a board of cols columns.
    std::int16_t Index(std::int16_t cols) const;
    // Whether the board has the keyboard; the cursor is shown only then.
    bool Shown() const { return shown_; }
    void Show(bool shown) { shown_ = shown; }

    // Moves it for a cursor key on a board of rows x cols: the arrows by one cell, stopping at
    // the edges; Home and End to the first and last column of the row; Page Up and Page Down to
    // the first and last row of the column. False, and no move, for any other key.
    bool MoveByKey(std::int16_t keyCode, std::int16_t rows, std::int16_t cols);
    // Keeps it on a board of rows x cols, which may be smaller than the one it moved on.
    void Fit(std::int16_t rows, std::int16_t cols);
    // Puts it on a cell index of a board of cols columns.
    void MoveTo(std::int16_t index, std::int16_t cols);

  private:
    std::int16_t row_ = 1;
    std::int16_t col_ = 1;
    bool shown_ = false;
};

}  // namespace dravik
