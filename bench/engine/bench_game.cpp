#include "bench_game.h"

namespace dravik::bench {

BenchGame::BenchGame(std::uint32_t seed) {
    toolkit.logBoxes = false;
    NewGame(seed);
}

void BenchGame::NewGame(std::uint32_t seed) {
    toolkit.SeedRandom(seed);
    form.mnuReplay_Click();
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
        count += board.Caption(i) != before.cmdMine.at(static_cast<std::size_t>(i)).Caption ? 1 : 0;
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
