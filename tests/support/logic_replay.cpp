#include "support/logic_replay.h"

#include "analysis/analysis.h"
#include "support/simulated_game.h"

namespace dravik::testing {

Replay ReplayByLogic(int rows, int cols, const std::vector<std::uint8_t>& mines, int firstCell) {
    Replay replay;
    SimulatedGame game(rows, cols, mines);
    if (!game.Uncover(firstCell)) {
        replay.mineHit = true;
        return replay;
    }
    while (!game.Finished()) {
        const analysis::Analysis analysis = analysis::Analyse(
            game.Seen(), analysis::Limits{.nodeBudget = 1000000, .withOdds = false});
        if (analysis.certain.empty()) {
            return replay;
        }
        for (const analysis::Move& move : analysis.certain) {
            if (game.IsMine(move.index) != move.mine) {
                replay.mineHit = true;
                return replay;
            }
            if (move.mine) {
                game.Mark(move.index);
            } else {
                game.Uncover(move.index);
            }
            ++replay.moves;
        }
    }
    replay.won = true;
    return replay;
}

}  // namespace dravik::testing
