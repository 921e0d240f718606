#include "bench_game.h"

namespace dravik::bench {

BenchGame::BenchGame(std::uint32_t seed) {
    form.Load();
    form.Form_Activate();
    NewGame(seed);
}

void BenchGame::NewGame(std::uint32_t seed) {
    toolkit.Seed(seed);
    form.mnuReplay_Click();
}

void BenchGame::LayMines(const std::vector<std::string>& rows) {
    board.ClearMineGrid();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            if (rows[r][c] == '*') {
                board.MineGrid(static_cast<int>(r + 1), static_cast<int>(c + 1)) = 1;
            }
        }
    }
}

std::int16_t BenchGame::Index(int row, int col) const {
    return board.CellIndex(static_cast<std::int16_t>(row), static_cast<std::int16_t>(col));
}

void BenchGame::LeftClick(int row, int col) {
    form.cmdMine_MouseUp(Index(row, col), vbLeftButton, 0, 0, 0);
    form.cmdMine_Click(Index(row, col));
}

void BenchGame::RightClick(int row, int col) {
    form.cmdMine_MouseUp(Index(row, col), vbRightButton, 0, 0, 0);
    form.cmdMine_Click(Index(row, col));
}

BoardState BenchGame::Save() const {
    return BoardState{form.cmdMine,       board.MineGrid,         form.txtMines.Text,
                      form.txtPlots.Text, form.lblKeepUp.Caption, board.MarkCount,
                      board.PlotsLeft,    board.KeepUpScore,      board.MouseButton,
                      board.KeyHeld,      board.StopFlag};
}

void BenchGame::Restore(const BoardState& state) {
    // Element-wise assignment keeps every caption's storage, so restoring allocates nothing.
    form.cmdMine = state.cells;
    board.MineGrid = state.mines;
    form.txtMines.Text = state.mineCounter;
    form.txtPlots.Text = state.plotsCounter;
    form.lblKeepUp.Caption = state.keepUpCaption;
    board.MarkCount = state.markCount;
    board.PlotsLeft = state.plotsLeft;
    board.KeepUpScore = state.keepUpScore;
    board.MouseButton = state.mouseButton;
    board.KeyHeld = state.keyHeld;
    board.StopFlag = state.stopFlag;
}

int BenchGame::Covered() const {
    int count = 0;
    for (std::int16_t i = 0; i < board.Rows * board.Cols; ++i) {
        count += board.IsCovered(i) ? 1 : 0;
    }
    return count;
}

int BenchGame::Marked() const {
    int count = 0;
    for (std::int16_t i = 0; i < board.Rows * board.Cols; ++i) {
        count += board.IsMarked(i) ? 1 : 0;
    }
    return count;
}

int BenchGame::Changed(const BoardState& before) const {
    int count = 0;
    for (std::int16_t i = 0; i < board.Rows * board.Cols; ++i) {
        count += board.Caption(i) != before.cells.at(static_cast<std::size_t>(i)).Caption ? 1 : 0;
    }
    return count;
}

std::int16_t BenchGame::BestOpening() {
    const BoardState start = Save();
    std::int16_t best = -1;
    int bestOpened = 0;
    for (int row = 1; row <= board.Rows; ++row) {
        for (int col = 1; col <= board.Cols; ++col) {
            if (board.MineGrid(row, col) != 0 ||
                board.AdjacentMineCount(static_cast<std::int16_t>(row),
                                        static_cast<std::int16_t>(col)) != 0) {
                continue;
            }
            LeftClick(row, col);
            const int opened = Changed(start);
            Restore(start);
            if (opened > bestOpened) {
                bestOpened = opened;
                best = Index(row, col);
            }
        }
    }
    return best;
}

}  // namespace dravik::bench
