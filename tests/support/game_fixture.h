#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "board/mod_dravik.h"
#include "forms/frm_dravik.h"
#include "support/fake_toolkit.h"

namespace dravik::testing {

// A board as a test draws and reads it. Cells and rows count from 1.
class BoardPicture {
  public:
    explicit BoardPicture(Board& drawn) : board(drawn) {}
    BoardPicture(const BoardPicture&) = delete;
    BoardPicture& operator=(const BoardPicture&) = delete;

    Board& board;

    // Replaces the minefield. Each string is a row from row 1 down; '*' is a mine, anything else
    // is none; rows and columns not given hold no mine.
    void LayMines(const std::vector<std::string>& rows);
    // All 99 mines in the first cells in reading order: rows 1-3 and the start of row 4.
    void LayMinesAtTop();
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

  private:
    // Gives a covered cell the caption, colour and border of an uncovered number or of a mark
    // (number < 0), and counts it off the counters.
    void Paint(std::int16_t index, int number, bool userMark = false);
};

// The main window on the tests' toolkit, constructed before the picture of its board.
struct Window {
    FakeToolkit toolkit;
    ModDravik options;
    frmDravik form{toolkit, options};
};

// A started game in the normal layout whose minefield the test draws itself, played through
// the window's handlers.
class GameWindow : public Window, public BoardPicture {
  public:
    GameWindow();

    // Ticks or clears "Keep Up Mode" and "Extra" as the player does, each box's click after it.
    void SetKeepUp(bool on, bool extra = false);
    // Right-clicks the first count of the cells LayMinesAtTop mines.
    void MarkMinesAtTop(int count);
    // A left click on a cell as the front end delivers it: release, then click.
    void LeftClick(int row, int col);
    void RightClick(int row, int col);
};

// What a game needs besides its board, without any window: the toolkit, the options, a loaded
// owner for the game's boxes and the keep-up controls.
struct Surroundings {
    struct Owner : Form {
        explicit Owner(Toolkit& toolkit) : Form(toolkit) { MarkLoaded(); }
    };

    explicit Surroundings(std::uint32_t seed);

    FakeToolkit toolkit;
    ModDravik options;
    Owner owner{toolkit};
    FormContext context{owner};
    Frame panel;
    WindowFrame window;
    Label lblKeepUp;
    CheckBox chkKeepUp;
    CheckBox chkExtra;
    Board plain{BoardControls{panel, window}};
};

// A board in the normal layout and the game on it, built as plain values with no window: the
// first game is started with mines from seed, and the test draws its own over them.
class BareGame : public Surroundings, public BoardPicture {
  public:
    explicit BareGame(std::uint32_t seed = 1);

    dravik::Game model{plain, context, options, KeepUpControls{lblKeepUp, chkExtra}};
};

}  // namespace dravik::testing
