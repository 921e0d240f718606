#include "rules/keep_up.h"

#include <algorithm>
#include <limits>

#include "toolkit/text.h"

namespace dravik {

namespace {
constexpr int kMovePoint = 1;
constexpr int kMineHitPoints = 3;
constexpr int kPassMetMinePoints = 3;
constexpr int kProductivePassPoints = -1;
}  // namespace

void KeepUp::AfterMove(KeepUpOpponent& opponent) {
    if (!On()) {
        return;
    }
    if (Extra()) {
        Add(kMovePoint);
        opponent.RepeatedRun();
    } else if (opponent.Pass() == 0) {
        Add(kMovePoint);
    }
}

void KeepUp::ScorePass(std::int16_t result) {
    if (!On()) {
        return;
    }
    if (result > 0) {
        Add(kProductivePassPoints);
    } else if (result < 0) {
        Add(kPassMetMinePoints);
    }
}

void KeepUp::ScoreMineHit() {
    if (On()) {
        Add(kMineHitPoints);
    }
}

void KeepUp::Add(int delta) {
    constexpr int kLowest = std::numeric_limits<std::int16_t>::min();
    constexpr int kHighest = std::numeric_limits<std::int16_t>::max();
    board_.KeepUpScore =
        static_cast<std::int16_t>(std::clamp(board_.KeepUpScore + delta, kLowest, kHighest));
    ShowKeepUp();
}

void KeepUp::Reset() {
    board_.KeepUpScore = 0;
    ShowKeepUp();
}

void KeepUp::ShowKeepUp() {
    // Widened before negating: -(-32768) does not fit in 16 bits.
    const int score = board_.KeepUpScore;
    lblKeepUp_.Caption =
        score < 0 ? FormatPlain(-score) + " Ahead" : FormatPlain(score) + " Behind";
}

void KeepUp::ShowControls() {
    lblKeepUp_.Visible = On();
    chkExtra_.Visible = On();
}

}  // namespace dravik
