// Lays no-guess boards (30 x 16 / 99 unless given) with first clicks on corners, edges and
// inside cells, times each on the laying thread's CPU clock and replays each by the analysis
// against its own mines (not timed).
//
//   no_guess BOARDS SEED [COLSxROWS/MINES]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "analysis/no_guess.h"
#include "board_size.h"
#include "cpu_stats.h"
#include "support/logic_replay.h"
#include "toolkit/toolkit.h"

namespace {

using namespace dravik;
using dravik::bench::Percentile;
using dravik::bench::ThreadMilliseconds;
using Size = dravik::bench::BoardSize;

// Board k: a corner, an edge cell or an inside cell in turn, the last two at random.
int FirstClick(int k, const Size& size, std::mt19937& random) {
    const int rows = size.rows;
    const int cols = size.cols;
    const int last = rows * cols - 1;
    switch (k % 3) {
        case 0: {
            const int corners[] = {0, cols - 1, last - cols + 1, last};
            return corners[(k / 3) % 4];
        }
        case 1: {
            const int along = static_cast<int>(random() % (cols - 2)) + 1;
            const int down = static_cast<int>(random() % (rows - 2)) + 1;
            switch ((k / 3) % 4) {
                case 0:
                    return along;
                case 1:
                    return last - along;
                case 2:
                    return down * cols;
                default:
                    return down * cols + cols - 1;
            }
        }
        default:
            return (static_cast<int>(random() % (rows - 2)) + 1) * cols +
                   static_cast<int>(random() % (cols - 2)) + 1;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Size> given = argc == 4 ? bench::ParseBoardSize(argv[3]) : Size{};
    if ((argc != 3 && argc != 4) || !given) {
        std::fprintf(stderr, "usage: %s BOARDS SEED [COLSxROWS/MINES]\n", argv[0]);
        return 2;
    }
    const Size size = *given;
    const int boards = std::stoi(argv[1]);
    std::mt19937 random(static_cast<std::uint32_t>(std::stoul(argv[2])));
    const analysis::RandomSource rnd = [&] { return RndFromBits(random()); };
    std::vector<double> times;
    long tries = 0;
    int compact = 0;
    int repaired = 0;
    int solved = 0;
    for (int k = 0; k < boards; ++k) {
        const analysis::NoGuessBoard board{size.rows, size.cols, size.mines,
                                           FirstClick(k, size, random)};
        const double start = ThreadMilliseconds();
        const std::optional<analysis::NoGuessLayout> laid = analysis::LayNoGuess(board, rnd);
        times.push_back(ThreadMilliseconds() - start);
        if (!laid) {
            continue;
        }
        const analysis::NoGuessLayout& layout = *laid;
        tries += layout.tries;
        compact += layout.method == analysis::NoGuessMethod::Compact ? 1 : 0;
        repaired += layout.method == analysis::NoGuessMethod::Repaired ? 1 : 0;
        const long mines = std::count(layout.mines.begin(), layout.mines.end(), 1);
        const testing::Replay replay =
            testing::ReplayByLogic(size.rows, size.cols, layout.mines, board.firstCell);
        solved += replay.won && !replay.mineHit && mines == size.mines ? 1 : 0;
    }
    std::sort(times.begin(), times.end());
    const int n = static_cast<int>(times.size());
    std::printf("compact layouts: %d of %d\n", compact, n);
    std::printf("repaired: %d of %d\n", repaired, n);
    std::printf(
        "no-guess: median %.2f ms, p99 %.2f ms, max %.2f ms over %d boards, %.1f tries a board\n",
        Percentile(times, 0.5), Percentile(times, 0.99), times.back(), n,
        static_cast<double>(tries) / std::max(n, 1));
    std::printf("solved: %d of %d by complete logic from the first click\n", solved, n);
    return solved == n ? 0 : 1;
}
