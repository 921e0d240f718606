#include "support/simulated_game.h"

#include <algorithm>
#include <numeric>
#include <random>

namespace dravik::testing {

SimulatedGame::SimulatedGame(int rows, int cols, int mines, std::uint64_t seed, int freeCell)
    : seen_(rows, cols, mines) {
    std::mt19937_64 random(seed);
    std::vector<int> cells(static_cast<std::size_t>(rows * cols));
    std::iota(cells.begin(), cells.end(), 0);
    if (freeCell >= 0) {
        cells.erase(cells.begin() + freeCell);
    }
    std::shuffle(cells.begin(), cells.end(), random);
    mines_.assign(static_cast<std::size_t>(rows * cols), 0);
    for (int k = 0; k < mines; ++k) {
        mines_[static_cast<std::size_t>(cells[static_cast<std::size_t>(k)])] = 1;
    }
    safeLeft_ = rows * cols - mines;
    std::vector<int> openings;
    for (int index = 0; index < seen_.Size(); ++index) {
        if (!IsMine(index) && MinesAround(index) == 0) {
            openings.push_back(index);
        }
    }
    if (!openings.empty()) {
        opening_ = openings[random() % openings.size()];
    }
}

SimulatedGame::SimulatedGame(int rows, int cols, const std::vector<std::uint8_t>& mines)
    : mines_(mines.begin(), mines.end()),
      seen_(rows, cols,
            static_cast<int>(
                std::count_if(mines.begin(), mines.end(), [](std::uint8_t m) { return m != 0; }))),
      safeLeft_(rows * cols - seen_.MinesLeft()) {
    for (char& mine : mines_) {
        mine = mine != 0 ? 1 : 0;
    }
}

int SimulatedGame::MinesAround(int index) const {
    int count = 0;
    seen_.ForEachNeighbour(index, [&](int next) { count += IsMine(next) ? 1 : 0; });
    return count;
}

bool SimulatedGame::Uncover(int index) {
    if (IsMine(index)) {
        seen_.SetMark(index, false);
        seen_.SetMinesLeft(seen_.MinesLeft() - 1);
        return false;
    }
    std::vector<int> flood{index};
    while (!flood.empty()) {
        const int cell = flood.back();
        flood.pop_back();
        if (!seen_.IsCovered(cell)) {
            continue;
        }
        const int around = MinesAround(cell);
        seen_.SetNumber(cell, around);
        --safeLeft_;
        if (around == 0) {
            seen_.ForEachNeighbour(cell, [&](int next) {
                if (seen_.IsCovered(next)) {
                    flood.push_back(next);
                }
            });
        }
    }
    return true;
}

void SimulatedGame::Mark(int index) {
    seen_.SetMark(index, true);
    seen_.SetMinesLeft(seen_.MinesLeft() - 1);
}

Position SimulatedGame::Sparse() const {
    Position position(seen_.Rows(), seen_.Cols(),
                      static_cast<int>(std::count(mines_.begin(), mines_.end(), 1)));
    for (int index = 0; index < position.Size(); ++index) {
        if (position.RowOf(index) % 2 == 0 && position.ColOf(index) % 2 == 0 && !IsMine(index)) {
            position.SetNumber(index, MinesAround(index));
        }
    }
    return position;
}

int SimulatedGame::Follow(const analysis::Analysis& analysis) {
    int wrong = 0;
    for (const analysis::Move& move : analysis.certain) {
        wrong += IsMine(move.index) != move.mine ? 1 : 0;
        if (move.mine) {
            Mark(move.index);
        } else {
            Uncover(move.index);
        }
    }
    if (!analysis.certain.empty()) {
        return wrong;
    }
    if (!analysis.odds.empty()) {
        Uncover(analysis.odds.front().index);
        return 0;
    }
    for (int index = 0; index < seen_.Size(); ++index) {
        if (seen_.IsCovered(index)) {
            Uncover(index);
            break;
        }
    }
    return 0;
}

}  // namespace dravik::testing
