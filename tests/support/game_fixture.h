#pragma once

#include <string>
#include <string_view>
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
    // Paints a picture (Position text) onto the top-left corner of a covered board, with the
    // colours and counters moves would leave. Throws std::invalid_argument when its count of
    // mines left is not what the counter then shows.
    void Show(std::string_view picture);
    // The top-left corner as the player sees it, as Position text; the count is the counter's.
    std::string Corner(int rows, int cols) const;
    // A picture in the form Corner gives, so that the two compare as text.
    static std::string Picture(std::string_view picture);
    // The captions as rows of text: ' ' covered, '@' marked, digits uncovered.
    std::vector<std::string> Captions() const;
    std::int16_t Index(int row, int col) const;
    const Label& Cell(int row, int col) const;

    // A left click on a cell as the front end delivers it: release, then click.
    void LeftClick(int row, int col);
    void RightClick(int row, int col);

  private:
    // Gives a covered cell the caption, colour and border of an uncovered number or of a mark
    // (number < 0), and counts it off the counters.
    void Paint(std::int16_t index, int number, bool userMark = false);
};

}  // namespace dravik::testing
