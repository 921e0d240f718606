#include "support/game_fixture.h"

#include "toolkit/palette.h"

namespace dravik::testing {

Game::Game() {
    toolkit.answers.push_back(vbNo);
    form.Load();
    form.Form_Activate();
    toolkit.boxes.clear();
}

void Game::LayMines(const std::vector<std::string>& rows) {
    board.ClearMineGrid();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            if (rows[r][c] == '*') {
                board.MineGrid(static_cast<int>(r + 1), static_cast<int>(c + 1)) = 1;
            }
        }
    }
}

void Game::LayMinesAtTop() {
    const std::string full(30, '*');
    LayMines({full, full, full, "*********"});
}

void Game::MarkMinesAtTop(int count) {
    for (int k = 0; k < count; ++k) {
        RightClick(k / 30 + 1, k % 30 + 1);
    }
}

void Game::Draw(int row, int col, const std::vector<std::string>& block) {
    for (std::size_t r = 0; r < block.size(); ++r) {
        for (std::size_t c = 0; c < block[r].size(); ++c) {
            const char ch = block[r][c];
            Label& cell = board.Cell(Index(row + static_cast<int>(r), col + static_cast<int>(c)));
            if (ch == '@') {
                cell.Caption = "@";
                cell.BackColor = PaletteColour(12);
                ++board.MarkCount;
            } else if (ch >= '0' && ch <= '8') {
                cell.Caption = std::string(1, ch);
                cell.BackColor = PaletteColour(ch == '0' ? 10 : 11);
                cell.BorderStyle = kBorderNone;
            } else {
                continue;
            }
            --board.PlotsLeft;
        }
    }
    board.ShowMineCounter();
    board.ShowPlotsCounter();
}

std::vector<std::string> Game::Captions() const {
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

std::int16_t Game::Index(int row, int col) const {
    return board.CellIndex(static_cast<std::int16_t>(row), static_cast<std::int16_t>(col));
}

const Label& Game::Cell(int row, int col) const {
    return board.Cell(Index(row, col));
}

void Game::LeftClick(int row, int col) {
    form.cmdMine_MouseUp(Index(row, col), vbLeftButton, 0, 0, 0);
    form.cmdMine_Click(Index(row, col));
}

void Game::RightClick(int row, int col) {
    form.cmdMine_MouseUp(Index(row, col), vbRightButton, 0, 0, 0);
    form.cmdMine_Click(Index(row, col));
}

}  // namespace dravik::testing
