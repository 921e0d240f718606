// strength BOARDS SEED [COLSxROWS/MINES]: how far each rule gets on its own from the first click
// of seeded boards (30 x 16 / 99 unless given), and how long one full analysis of each stall of
// the obvious rule takes (CPU time).

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "board_size.h"
#include "cpu_stats.h"
#include "stall_play.h"

using dravik::Position;
using namespace dravik::analysis;
using namespace dravik::bench;

namespace {

double FinishedShare(int boards, std::uint64_t seed, const BoardSize& size, const Rule& rule) {
    int finished = 0;
    for (int board = 0; board < boards; ++board) {
        dravik::testing::SimulatedGame game = OpenedBoard(seed, board, size);
        RunToStandstill(game, rule);
        finished += game.Finished() ? 1 : 0;
    }
    return 100.0 * finished / boards;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<BoardSize> given = argc == 4 ? ParseBoardSize(argv[3]) : BoardSize{};
    if ((argc != 3 && argc != 4) || !given) {
        std::fprintf(stderr, "usage: strength BOARDS SEED [COLSxROWS/MINES]\n");
        return 2;
    }
    const BoardSize size = *given;
    const int boards = std::atoi(argv[1]);
    const auto seed = std::strtoull(argv[2], nullptr, 10);
    if (boards <= 0) {
        std::fprintf(stderr, "strength: BOARDS must be a positive number\n");
        return 2;
    }

    const double obvious = FinishedShare(boards, seed, size, ObviousMoves);
    const double pairs = FinishedShare(boards, seed, size, PairsMoves);
    const double complete = FinishedShare(boards, seed, size, [](const Position& position) {
        return Analyse(position, Limits{Limits{}.nodeBudget, false}).certain;
    });

    long stalls = 0;
    long undetermined = 0;
    std::vector<double> micros;
    for (int board = 0; board < boards; ++board) {
        dravik::testing::SimulatedGame game = OpenedBoard(seed, board, size);
        stalls += PlayThroughStalls(game, [&](const Position& position) {
            const double start = 1e3 * ThreadMilliseconds();
            Analysis analysis = Analyse(position);
            micros.push_back(1e3 * ThreadMilliseconds() - start);
            undetermined += analysis.exhausted ? 1 : 0;
            return analysis;
        });
    }
    std::sort(micros.begin(), micros.end());

    std::printf("obvious: %.2f %% finished, %.1f stalls a game\n", obvious,
                static_cast<double>(stalls) / boards);
    std::printf("pairs: %.2f %% finished\n", pairs);
    std::printf("complete: %.2f %% finished\n", complete);
    if (micros.empty()) {
        std::printf("analysis: no stall met\n");
    } else {
        std::printf(
            "analysis: median %.1f us, p99 %.1f us, p99.9 %.1f us, max %.1f us over %zu "
            "positions\n",
            Percentile(micros, 0.5), Percentile(micros, 0.99), Percentile(micros, 0.999),
            micros.back(), micros.size());
    }
    std::printf("budget: %ld of %zu positions undetermined\n", undetermined, micros.size());
    return 0;
}
