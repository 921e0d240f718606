#pragma once

#include <string>
#include <vector>

#include "board/mod_dravik.h"
#include "forms/frm_dravik.h"
#include "support/fake_toolkit.h"

namespace dravik::testing {

// A started game in the normal layout whose minefield the test draws itself.
class Game {
  public:
    Game();

    FakeToolkit toolkit;
    ModDravik options;
    frmDravik form{toolkit, options};
    Board& board = form.GetBoard();

    // Replaces the minefield. Each string is a row from row 1 down; '*' is a mine, anything else
    // is none; rows and columns not given hold no mine.
    void LayMines(const std::vector<std::string>& rows);
    // All 99 mines in the first cells in reading order: rows 1-3 and the start of row 4.
    void LayMinesAtTop();
    // Right-clicks the first count of those cells.
    void MarkMinesAtTop(int count);
    // Writes a block of captions whose top-left cell is (row, col), with the colours and
    // counters a move would leave: a digit uncovers the cell showing that digit, '@' gives it an
    // automatic mark, anything else leaves it as it is. Only for cells still covered.
    void Draw(int row, int col, const std::vector<std::string>& block);
    // The captions as rows of text: ' ' covered, '@' marked, digits uncovered.
    std::vector<std::string> Captions() const;
    std::int16_t Index(int row, int col) const;
    const Label& Cell(int row, int col) const;

    // A left click on a cell as the front end delivers it: release, then click.
    void LeftClick(int row, int col);
    void RightClick(int row, int col);
};

}  // namespace dravik::testing
