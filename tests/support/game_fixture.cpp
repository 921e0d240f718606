#include "support/game_fixture.h"

#include <stdexcept>

#include "board/position.h"
#include "toolkit/palette.h"

namespace dravik::testing {

GameWindow::GameWindow() : BoardPicture(form.GetBoard()) {
    toolkit.answers.push_back(vbNo);
    form.Load();
    form.Form_Activate();
    toolkit.boxes.clear();
}

Surroundings::Surroundings(std::uint32_t seed) {
    toolkit.SeedRandom(seed);
    options.HitMineOption = 1;  // as a started window sets it
    // The template every cell is made from: a covered cell.
    Label cell;
    cell.BackColor = kButtonFace;
    cell.BorderStyle = kBorderFixedSingle;
    plain.cmdMine.assign(1, cell);
}

BareGame::BareGame(std::uint32_t seed) : Surroundings(seed), BoardPicture(plain) {
    model.Start(false);
}

void BoardPicture::LayMines(const std::vector<std::string>& rows) {
    board.ClearMineGrid();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            if (rows[r][c] == '*') {
                board.MineGrid(static_cast<int>(r + 1), static_cast<int>(c + 1)) = 1;
            }
        }
    }
}

void BoardPicture::LayMinesAtTop() {
    const std::string full(30, '*');
    LayMines({full, full, full, "*********"});
}

void GameWindow::SetKeepUp(bool on, bool extra) {
    form.chkKeepUp.Value = on ? kChecked : kUnchecked;
    form.chkKeepUp_Click();
    form.chkExtra.Value = extra ? kChecked : kUnchecked;
    form.chkExtra_Click();
}

void GameWindow::MarkMinesAtTop(int count) {
    for (int k = 0; k < count; ++k) {
        RightClick(k / 30 + 1, k % 30 + 1);
    }
}

void BoardPicture::Paint(std::int16_t index, int number, bool userMark) {
    Label& cell = board.ChangeCell(index);
    if (number < 0) {
        cell.Caption = kMarkCaption;
        cell.BackColor = PaletteColour(userMark ? kUserMarkColour : kAutomaticMarkColour);
        ++board.MarkCount;
    } else {
        cell.Caption = std::to_string(number);
        cell.BackColor = PaletteColour(number == 0 ? 10 : 11);
        cell.BorderStyle = kBorderNone;
    }
    --board.PlotsLeft;
}

void BoardPicture::Draw(int row, int col, const std::vector<std::string>& block) {
    for (std::size_t r = 0; r < block.size(); ++r) {
        for (std::size_t c = 0; c < block[r].size(); ++c) {
            const char ch = block[r][c];
            const std::int16_t index = Index(row + static_cast<int>(r), col + static_cast<int>(c));
            if (ch == '@') {
                Paint(index, -1);
            } else if (ch >= '0' && ch <= '8') {
                Paint(index, ch - '0');
            }
        }
    }
    board.ShowMineCounter();
    board.ShowPlotsCounter();
}

void BoardPicture::Show(std::string_view picture) {
    const Position position = Position::FromText(picture);
    for (int row = 0; row < position.Rows(); ++row) {
        for (int col = 0; col < position.Cols(); ++col) {
            const int at = position.Index(row, col);
            const std::int16_t index = Index(row + 1, col + 1);
            if (position.IsMarked(at)) {
                Paint(index, -1, position.At(at) == dravik::Seen::UserMark);
            } else if (position.IsNumber(at)) {
                Paint(index, position.Number(at));
            }
        }
    }
    board.ShowMineCounter();
    board.ShowPlotsCounter();
    if (position.MinesLeft() != board.MineCount - board.MarkCount) {
        throw std::invalid_argument("the picture's count of mines left is not the counter's");
    }
}

std::string BoardPicture::Corner(int rows, int cols) const {
    const Position whole = Position::FromBoard(board);
    Position corner(rows, cols, whole.MinesLeft());
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            const int from = whole.Index(row, col);
            const int to = corner.Index(row, col);
            if (whole.IsMarked(from)) {
                corner.SetMark(to, whole.At(from) == dravik::Seen::UserMark);
            } else if (whole.IsNumber(from)) {
                corner.SetNumber(to, whole.Number(from));
            }
        }
    }
    return corner.ToText();
}

std::string BoardPicture::Picture(std::string_view picture) {
    return Position::FromText(picture).ToText();
}

std::vector<std::string> BoardPicture::Captions() const {
    std::vector<std::string> rows;
    for (int row = 1; row <= board.Rows; ++row) {
        std::string line;
        for (int col = 1; col <= board.Cols; ++col) {
            const std::string& caption = Cell(row, col).Caption;
            line += caption.empty() ? ' ' : caption.front();
        }
        rows.push_back(line);
    }
    return rows;
}

std::int16_t BoardPicture::Index(int row, int col) const {
    return board.CellIndex(static_cast<std::int16_t>(row), static_cast<std::int16_t>(col));
}

const Label& BoardPicture::Cell(int row, int col) const {
    return board.Cell(Index(row, col));
}

void GameWindow::LeftClick(int row, int col) {
    form.cmdMine_MouseUp(Index(row, col), vbLeftButton, 0, 0, 0);
    form.cmdMine_Click(Index(row, col));
}

void GameWindow::RightClick(int row, int col) {
    form.cmdMine_MouseUp(Index(row, col), vbRightButton, 0, 0, 0);
    form.cmdMine_Click(Index(row, col));
}

}  // namespace dravik::testing
