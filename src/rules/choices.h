#pragma once

#include <cstdint>

#include "board/board.h"

namespace dravik {

// The rules a player can run repeatedly or choose as the keep-up opponent, in the order of the
// opponent submenu. Pairs and Complete are the stronger rules; each finds every move the one
// before it finds.
enum class RuleKind : std::int16_t { Obvious, Pairs, Complete };

// Everything the player chooses that outlasts a game. The game keeps these, and only the game:
// menu ticks and check boxes show them. Nothing is kept between runs.
struct PlayerChoices {
    // The answer to the start question: large cells. Fixed for the run.
    bool largeScreen = false;
    bool keepUp = false;
    // With keep-up: the opponent runs to the end after every move, and the move scores.
    bool extra = false;
    bool noGuess = false;
    RuleKind opponent = RuleKind::Obvious;
    BoardSize size = kExpert;
};

}  // namespace dravik
