#include "stall_play.h"

#include <stdexcept>
#include <utility>

namespace dravik::bench {

namespace {

void Make(testing::SimulatedGame& game, const analysis::Analysis& analysis) {
    if (game.Follow(analysis) > 0) {
        throw std::logic_error("a certain move was wrong");
    }
}

}  // namespace

std::uint64_t LayoutSeed(std::uint64_t seed, int game) {
    return seed * 1000003ULL + static_cast<std::uint64_t>(game);
}

testing::SimulatedGame OpenedBoard(std::uint64_t seed, int board, const BoardSize& size) {
    testing::SimulatedGame game(size.rows, size.cols, size.mines, LayoutSeed(seed, board));
    game.Uncover(game.OpeningCell());
    return game;
}

void RunToStandstill(testing::SimulatedGame& game, const Rule& rule) {
    for (std::vector<analysis::Move> moves = rule(game.Seen()); !moves.empty();
         moves = rule(game.Seen())) {
        analysis::Analysis found;
        found.certain = std::move(moves);
        Make(game, found);
    }
}

int PlayThroughStalls(testing::SimulatedGame& game,
                      const std::function<analysis::Analysis(const Position&)>& atStall) {
    int stalls = 0;
    for (;;) {
        RunToStandstill(game, analysis::ObviousMoves);
        if (game.Finished()) {
            return stalls;
        }
        ++stalls;
        Make(game, atStall(game.Seen()));
    }
}

}  // namespace dravik::bench
