// Lays no-guess boards at 30 x 16 / 99 with first clicks on corners, edges and inside cells,
// times each on the laying thread's CPU clock and replays each by the analysis against its own
// mines (not timed).
//
//   no_guess BOARDS SEED
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "analysis/no_guess.h"
#include "cpu_stats.h"
#include "support/logic_replay.h"
#include "toolkit/toolkit.h"

namespace {

using namespace dravik;
using dravik::bench::Percentile;
using dravik::bench::ThreadMilliseconds;

constexpr int kRows = 16;
constexpr int kCols = 30;
constexpr int kMines = 99;

// Board k: a corner, an edge cell or an inside cell in turn, the last two at random.
int FirstClick(int k, std::mt19937& random) {
    const int last = kRows * kCols - 1;
    switch (k % 3) {
        case 0: {
            const int corners[] = {0, kCols - 1, last - kCols + 1, last};
            return corners[(k / 3) % 4];
        }
        case 1: {
            const int along = static_cast<int>(random() % (kCols - 2)) + 1;
            const int down = static_cast<int>(random() % (kRows - 2)) + 1;
            switch ((k / 3) % 4) {
                case 0:
                    return along;
                case 1:
                    return last - along;
                case 2:
                    return down * kCols;
                default:
                    return down * kCols + kCols - 1;
            }
        }
        default:
            return (static_cast<int>(random() % (kRows - 2)) + 1) * kCols +
                   static_cast<int>(random() % (kCols - 2)) + 1;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s BOARDS SEED\n", argv[0]);
        return 2;
    }
    const int boards = std::stoi(argv[1]);
    std::mt19937 random(static_cast<std::uint32_t>(std::stoul(argv[2])));
    const analysis::RandomSource rnd = [&] { return RndFromBits(random()); };
    std::vector<double> times;
    long tries = 0;
    int compact = 0;
    int solved = 0;
    for (int k = 0; k < boards; ++k) {
        const analysis::NoGuessBoard board{kRows, kCols, kMines, FirstClick(k, random)};
        const double start = ThreadMilliseconds();
        const std::optional<analysis::NoGuessLayout> laid = analysis::LayNoGuess(board, rnd);
        times.push_back(ThreadMilliseconds() - start);
        if (!laid) {
            continue;
        }
        const analysis::NoGuessLayout& layout = *laid;
        tries += layout.tries;
        compact += layout.compact ? 1 : 0;
        const long mines = std::count(layout.mines.begin(), layout.mines.end(), 1);
        const testing::Replay replay =
            testing::ReplayByLogic(kRows, kCols, layout.mines, board.firstCell);
        solved += replay.won && !replay.mineHit && mines == kMines ? 1 : 0;
    }
    std::sort(times.begin(), times.end());
    const int n = static_cast<int>(times.size());
    std::printf("compact layouts: %d of %d\n", compact, n);
    std::printf(
        "no-guess: median %.2f ms, p99 %.2f ms, max %.2f ms over %d boards, %.1f tries a board\n",
        Percentile(times, 0.5), Percentile(times, 0.99), times.back(), n,
        static_cast<double>(tries) / std::max(n, 1));
    std::printf("solved: %d of %d by complete logic from the first click\n", solved, n);
    return solved == n ? 0 : 1;
}
