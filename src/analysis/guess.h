#pragma once

#include <vector>

#include "analysis/analysis.h"
#include "analysis/ending.h"
#include "board/position.h"

// The guess to make when no cell is certain: not simply the safest cell, but the one that gives
// the best chance to get through this guess and the next step too, and in small endings the
// one that clears the board most often with best play.
namespace dravik::analysis {

// Which cells are weighed at a guess.
enum class Candidacy {
    // The safest cells within `margin` of the lowest mine chance, at most `candidates` of them.
    Margin,
    // Every cell next to a number whose safety is at least `frontierRatio` times the best
    // safety among live cells; a cell next to no number only above `awayRatio` times it, and
    // when more than `awayMany` such cells qualify, only those two cells straight out from a
    // number or with two or three covered neighbours. At most `candidates` in all.
    Ratio,
};

// How a weighed guess scores: its safety times the chance of what follows it, averaged over the
// numbers it may show.
enum class Score {
    // What follows: a certain move, else the safest guess after it. Ties go to the safer cell,
    // then to the one that makes more cells certain.
    TwoSteps,
    // What follows: the best and the second-best safety after it, blended by `secondShare` (a
    // certain cell counts as safety 1). Ties go to the one that makes more cells certain, then
    // to the safer cell.
    Blend,
};

// The look-ahead's own budget is in work units (enumeration nodes, listed layouts and search
// steps), never in time: the same position always gets the same answer. Past it, the best guess
// weighed so far.
struct GuessOptions {
    long lookAheadBudget = 400000;
    Candidacy candidacy = Candidacy::Margin;
    // The most cells weighed. By margin 12 does best; by ratio the best live safety draws the
    // line, and the solver benchmark's "+ratio" lifts the cap.
    int candidates = 12;
    double margin = 0.12;
    double frontierRatio = 0.90;
    double awayRatio = 0.95;
    int awayMany = 8;
    Score score = Score::Blend;
    // The blend's share of the second-best safety: 0.2 is 4 : 1. Shares of 0.35 to 0.7 read a
    // tenth of a point or more better on 20,000 games and no better on 100,000.
    double secondShare = 0.2;
    // A dead cell (its number would be the same in every layout in which it is safe) tells
    // nothing when opened: it loses to any live cell, and it is left out of the safety that
    // remains after a guess (there only the cheap case: every neighbour decided).
    bool deadCells = true;
    // Endings within these are played out exactly.
    EndingLimits ending;
    // Two cells side by side holding one mine that no number can ever tell apart: the guess
    // must be made some time, and made first its number helps every later guess.
    bool fiftyFiftyFirst = true;
    // The same for a 2 x 2 block of covered cells holding two mines on one diagonal or the other.
    bool fiftyFiftyBlocks = true;
    // A cell whose opening may tell such a pair or block apart while it is forming scores
    // 1 + `breakBonus` x (the share of layouts in which it would) times higher; 0: off (0.9 and
    // 0.2 gained nothing).
    double breakBonus = 0;
    // A cell in an enclosed covered area (no covered path out of it) of fewer than this many
    // cells is weighed only when no other cell is a candidate: the count of mines left settles
    // such pockets late in the game for free. 0: off.
    int smallPocket = 8;
    // The best `deeperCandidates` weighed cells weighed again one level deeper: after each number
    // a cell may show, its `deeperCells` safest live cells are weighed in turn and the best of
    // them counts, on a budget of its own (`lookAheadBudget` again). 0: off, as 3 (with 6 cells)
    // gained a few hundredths of a point for five times the work.
    int deeperCandidates = 0;
    int deeperCells = 6;
};

struct Guess {
    int cell = -1;    // -1: no guess to make (no odds in the analysis)
    double mine = 0;  // its chance of holding a mine
    int safer = -1;   // a cell with a strictly lower chance, when the guess is not the safest
    double saferMine = 0;
};

// `analysis` is Analyse(position); only a GuessNeeded verdict has a guess.
Guess ChooseGuess(const Position& position, const Analysis& analysis,
                  const GuessOptions& options = {});

// Which shapes of unavoidable 50/50 are looked for.
enum class FiftyFiftyShapes { Pairs, PairsAndBlocks };

// Guesses that must be made some time and that no number can ever help: two cells side by side
// holding one mine, and (with `PairsAndBlocks`) 2 x 2 blocks holding two mines on one diagonal or
// the other, none of their outside neighbours able to tell the ways apart. Each as its cells in
// reading order, the pairs before the blocks. A local test: every one listed is such a guess,
// not every such guess is found.
std::vector<std::vector<int>> UnavoidableFiftyFifties(const Position& position,
                                                      const Analysis& analysis,
                                                      FiftyFiftyShapes shapes);

// The covered cells whose state is not certain and whose number would be the same in every
// layout in which they are safe, in reading order; `analysis` is Analyse(position) with odds.
// Cells the enumeration cannot decide within `budget` nodes count as live.
std::vector<int> DeadCells(const Position& position, const Analysis& analysis,
                           long budget = 400000);

}  // namespace dravik::analysis
