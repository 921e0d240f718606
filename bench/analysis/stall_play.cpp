#include "stall_play.h"

#include <stdexcept>

namespace dravik::bench {

namespace {

void Make(testing::SimulatedGame& game, const std::vector<analysis::Move>& moves) {
    for (const analysis::Move& move : moves) {
        if (game.IsMine(move.index) != move.mine) {
            throw std::logic_error("a certain move was wrong:\n" + game.Seen().ToText());
        }
        if (move.mine) {
            game.Mark(move.index);
        } else {
            game.Uncover(move.index);
        }
    }
}

}  // namespace

testing::SimulatedGame OpenedBoard(std::uint64_t seed, int board) {
    testing::SimulatedGame game(kRows, kCols, kMines,
                                seed * 1000003ULL + static_cast<std::uint64_t>(board));
    game.Uncover(game.OpeningCell());
    return game;
}

void RunToStandstill(testing::SimulatedGame& game, const Rule& rule) {
    for (std::vector<analysis::Move> moves = rule(game.Seen()); !moves.empty();
         moves = rule(game.Seen())) {
        Make(game, moves);
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
        const analysis::Analysis analysis = atStall(game.Seen());
        if (!analysis.certain.empty()) {
            Make(game, analysis.certain);
        } else if (!analysis.odds.empty()) {
            game.Uncover(analysis.odds.front().index);
        } else {
            // Over the budget with nothing proved: the first covered cell will do.
            int cell = 0;
            while (!game.Seen().IsCovered(cell)) {
                ++cell;
            }
            game.Uncover(cell);
        }
    }
}

}  // namespace dravik::bench
