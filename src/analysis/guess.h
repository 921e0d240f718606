#pragma once

#include "analysis/analysis.h"
#include "board/position.h"

// The guess to make when no cell is certain: not simply the safest cell, but the one that gives
// the best chance to get through this guess and the next step too, and in small endings the
// one that clears the board most often with best play.
namespace dravik::analysis {

// The look-ahead's own budget, in work units (enumeration nodes, listed layouts and search
// steps), never in time: the same position always gets the same answer. Past it, the best guess
// weighed so far.
struct GuessLimits {
    long lookAheadBudget = 400000;
    // Candidates weighed: the safest cells within `margin` of the lowest mine chance, at most
    // `candidates` of them.
    int candidates = 12;
    double margin = 0.12;
    // Endings with at most this many layouts are played out exactly.
    int endingLayouts = 600;
    long endingBudget = 300000;
};

struct Guess {
    int cell = -1;    // -1: no guess to make (no odds in the analysis)
    double mine = 0;  // its chance of holding a mine
    int safer = -1;   // a cell with a strictly lower chance, when the guess is not the safest
    double saferMine = 0;
    long work = 0;
};

// `analysis` is Analyse(position); only a GuessNeeded verdict has a guess.
Guess ChooseGuess(const Position& position, const Analysis& analysis,
                  const GuessLimits& limits = {});

}  // namespace dravik::analysis
