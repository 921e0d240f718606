#include "play/play.h"

namespace dravik {

void Play::MineAlarm() {
    if (options_.HitMineOption == 1) {
        context_.MsgBox("Booom!");
    } else {
        context_.Beep();
    }
}

void Play::CheckForWin() {
    if (board_.PlotsLeft == 0 && board_.MineCount == board_.MarkCount) {
        context_.MsgBox("You've cleared all of the mines. Well Done! A medal is on its way.",
                        vbOKOnly, "Dravik 2000 - General's report.");
    }
}

}  // namespace dravik
