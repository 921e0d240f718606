#pragma once

#include <cstdint>

#include "board/board.h"
#include "board/mod_dravik.h"
#include "toolkit/form_context.h"
#include "toolkit/text.h"

namespace dravik {

// Runs passes until one changes nothing, meets a mine or Escape stops the run. Pending events
// run between the passes (Escape among them); the count, when the player asked for it, includes
// the last pass. passOnce returns what a scored pass returns: > 0 changed, 0 nothing, -1 mine.
template <typename PassOnce>
void RunRepeatedly(Board& board, FormContext& context, const ModDravik& options,
                   PassOnce&& passOnce) {
    board.StopFlag = kFalse;
    std::int16_t passes = 0;
    std::int16_t result = 0;
    do {
        result = passOnce();
        ++passes;
        context.Yield();
    } while (result > 0 && board.StopFlag == kFalse);
    if (((~board.StopFlag) & options.ShowRuleCount) != 0) {
        context.MsgBox("Number of Times rule applied: " + FormatPlain(passes));
    }
}

}  // namespace dravik
