#include "rules/keep_up.h"

#include <algorithm>
#include <limits>

#include "toolkit/text.h"

namespace dravik {

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
