// Worst cases of the player's actions on the core, without a window system. Every benchmark
// builds its board once; an action that changes the board gets it back before each iteration,
// and only the action is timed.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "bench_game.h"

namespace dravik::bench {
namespace {

using Clock = std::chrono::steady_clock;

// Restores `from` before every iteration and reports the time of `action` alone.
template <typename Action>
void TimeFrom(benchmark::State& state, BenchGame& game, const BoardState& from, Action&& action) {
    for (auto _ : state) {
        game.Restore(from);
        const auto start = Clock::now();
        action();
        const auto stop = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
    game.Restore(from);
}

double Fastest(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

// With --benchmark_repetitions the fastest repetition is reported too: on a shared machine it is
// the figure least disturbed by other work.
void ActionOnly(benchmark::internal::Benchmark* b) {
    b->UseManualTime()->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", Fastest);
}
// For actions that change nothing: the loop holds the action alone.
void WholeLoop(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", Fastest);
}

// Runs an action once off the clock and returns how many captions it changed.
template <typename Action>
int Effect(BenchGame& game, Action&& action) {
    const BoardState before = game.Save();
    action();
    const int changed = game.Changed(before);
    game.Restore(before);
    return changed;
}

// Uncovers every safe cell and marks every mine: nothing is left for any rule to do.
void Solve(BenchGame& game) {
    for (int row = 1; row <= game.board.Rows; ++row) {
        for (int col = 1; col <= game.board.Cols; ++col) {
            if (!game.board.IsCovered(game.Index(row, col))) {
                continue;
            }
            if (game.board.MineGrid(row, col) != 0) {
                game.RightClick(row, col);
            } else {
                game.LeftClick(row, col);
            }
        }
    }
}

// Opens the largest region the field offers, as a lucky first click would.
bool Open(BenchGame& game) {
    const std::int16_t opening = game.BestOpening();
    if (opening < 0) {
        return false;
    }
    const CellRef cell = game.board.CellAt(opening);
    game.LeftClick(cell.row, cell.col);
    return true;
}

// A typical game opened and then left where the obvious rule can do no more.
bool OpenAndRunRule(BenchGame& game, std::uint32_t seed) {
    game.NewGame(seed);
    if (!Open(game)) {
        return false;
    }
    game.form.mnuRule1_Click();
    return true;
}

// Uncovered numbers on one colour of a chessboard, covered cells on the other; mines lie on the
// covered cells of the odd rows. Every number then sees 1 to 3 mines among 2 to 4 covered
// neighbours and never as many mines as covered cells, so the obvious rule checks every number
// to the end and fires nowhere: the costliest scan that changes nothing.
void DrawCheckerboard(BenchGame& game) {
    std::vector<std::string> mines;
    for (int row = 1; row <= game.board.Rows; ++row) {
        std::string line;
        for (int col = 1; col <= game.board.Cols; ++col) {
            const bool covered = (row + col) % 2 == 1;
            line += covered && row % 2 == 1 ? '*' : '.';
        }
        mines.push_back(line);
    }
    game.LayMines(mines);
    for (int row = 1; row <= game.board.Rows; ++row) {
        for (int col = 1; col <= game.board.Cols; ++col) {
            if ((row + col) % 2 == 0) {
                game.LeftClick(row, col);
            }
        }
    }
}

// ---- Uncovering -------------------------------------------------------------------------------

void BM_FirstClickFloodsEmptyBoard(benchmark::State& state) {
    BenchGame game;
    game.LayMines({});
    const BoardState fresh = game.Save();
    const int opened = Effect(game, [&] { game.LeftClick(8, 15); });
    if (opened != game.board.Rows * game.board.Cols) {
        state.SkipWithError("the click did not open the whole board");
        return;
    }
    TimeFrom(state, game, fresh, [&] { game.LeftClick(8, 15); });
    state.counters["cells"] = opened;
}
BENCHMARK(BM_FirstClickFloodsEmptyBoard)->Apply(ActionOnly);

// The largest flood a corner click opens on the first hundred seeded fields.
void BM_FloodFromCorner(benchmark::State& state) {
    BenchGame game;
    std::uint32_t bestSeed = 0;
    int bestOpened = 0;
    for (std::uint32_t seed = 1; seed <= 100; ++seed) {
        game.NewGame(seed);
        const int opened = Effect(game, [&] { game.LeftClick(1, 1); });
        if (game.board.MineGrid(1, 1) == 0 && opened > bestOpened) {
            bestOpened = opened;
            bestSeed = seed;
        }
    }
    game.NewGame(bestSeed);
    const BoardState fresh = game.Save();
    TimeFrom(state, game, fresh, [&] { game.LeftClick(1, 1); });
    state.counters["cells"] = bestOpened;
    state.counters["seed"] = bestSeed;
}
BENCHMARK(BM_FloodFromCorner)->Apply(ActionOnly);

// A number whose one mine is marked: the chord opens a zero next to it, which floods the rest.
void BM_ChordFloodsBoard(benchmark::State& state) {
    BenchGame game;
    game.LayMines({"*"});
    game.LeftClick(1, 2);
    game.RightClick(1, 1);
    const BoardState before = game.Save();
    const int opened = Effect(game, [&] { game.LeftClick(1, 2); });
    if (opened != game.board.Rows * game.board.Cols - 2) {
        state.SkipWithError("the chord did not open the rest of the board");
        return;
    }
    TimeFrom(state, game, before, [&] { game.LeftClick(1, 2); });
    state.counters["cells"] = opened;
}
BENCHMARK(BM_ChordFloodsBoard)->Apply(ActionOnly);

// The chord that changes most on a typical board after its opening, every mine next to an
// uncovered number marked by the player.
void BM_ChordTypical(benchmark::State& state) {
    BenchGame game(static_cast<std::uint32_t>(state.range(0)));
    if (!Open(game)) {
        state.SkipWithError("no opening on this field");
        return;
    }
    const Board& board = game.board;
    for (std::int16_t i = 0; i < board.Rows * board.Cols; ++i) {
        const CellRef cell = board.CellAt(i);
        if (board.CellNumber(i) <= 0) {
            continue;
        }
        board.ForEachNeighbour(cell, [&](const CellRef& n) {
            if (board.IsCovered(n.index) && board.MineGrid(n.row, n.col) != 0) {
                game.RightClick(n.row, n.col);
            }
        });
    }
    CellRef best{-1, 0, 0};
    int bestChanged = 0;
    for (std::int16_t i = 0; i < board.Rows * board.Cols; ++i) {
        const CellRef cell = board.CellAt(i);
        if (board.CellNumber(i) <= 0 || board.CountCoveredAndMarks(cell).covered == 0) {
            continue;
        }
        const int changed = Effect(game, [&] { game.LeftClick(cell.row, cell.col); });
        if (changed > bestChanged) {
            bestChanged = changed;
            best = cell;
        }
    }
    if (best.index < 0) {
        state.SkipWithError("no number chords on this field");
        return;
    }
    const BoardState before = game.Save();
    TimeFrom(state, game, before, [&] { game.LeftClick(best.row, best.col); });
    state.counters["cells"] = bestChanged;
}
BENCHMARK(BM_ChordTypical)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Apply(ActionOnly);

void BM_LeftClickOnMine(benchmark::State& state) {
    BenchGame game;
    game.LayMines({"*"});
    const BoardState fresh = game.Save();
    TimeFrom(state, game, fresh, [&] { game.LeftClick(1, 1); });
}
BENCHMARK(BM_LeftClickOnMine)->Apply(ActionOnly);

void BM_RightClickMarks(benchmark::State& state) {
    BenchGame game;
    const BoardState fresh = game.Save();
    TimeFrom(state, game, fresh, [&] { game.RightClick(8, 15); });
}
BENCHMARK(BM_RightClickMarks)->Apply(ActionOnly);

// ---- Rules ------------------------------------------------------------------------------------

// "Obvious Riles - Multiple" from the opening of a typical field until a pass changes nothing.
void BM_ObviousRuleMultiple(benchmark::State& state) {
    BenchGame game(static_cast<std::uint32_t>(state.range(0)));
    if (!Open(game)) {
        state.SkipWithError("no opening on this field");
        return;
    }
    const BoardState opened = game.Save();
    const int yieldsBefore = game.toolkit.yields;
    const int changed = Effect(game, [&] { game.form.mnuRule1_Click(); });
    const int passes = game.toolkit.yields - yieldsBefore;
    TimeFrom(state, game, opened, [&] { game.form.mnuRule1_Click(); });
    state.counters["cells"] = changed;
    state.counters["passes"] = passes;
}
BENCHMARK(BM_ObviousRuleMultiple)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Apply(ActionOnly);

// One scan over all 480 cells that fires nowhere; it changes nothing, so it needs no restoring.
void TimeIdleScan(benchmark::State& state, BenchGame& game) {
    const int changed = Effect(game, [&] { game.form.mnuRule1Once_Click(); });
    if (changed != 0) {
        state.SkipWithError("the rule fired on a board meant to give it nothing to do");
        return;
    }
    for (auto _ : state) {
        game.form.mnuRule1Once_Click();
    }
}

void BM_ObviousRuleScan_Solved(benchmark::State& state) {
    BenchGame game;
    Solve(game);
    TimeIdleScan(state, game);
}
BENCHMARK(BM_ObviousRuleScan_Solved)->Apply(WholeLoop);

void BM_ObviousRuleScan_Stuck(benchmark::State& state) {
    BenchGame game;
    if (!OpenAndRunRule(game, static_cast<std::uint32_t>(state.range(0)))) {
        state.SkipWithError("no opening on this field");
        return;
    }
    state.counters["covered"] = game.Covered();
    TimeIdleScan(state, game);
}
BENCHMARK(BM_ObviousRuleScan_Stuck)->Arg(1)->Arg(2)->Apply(WholeLoop);

void BM_ObviousRuleScan_Checkerboard(benchmark::State& state) {
    BenchGame game;
    DrawCheckerboard(game);
    TimeIdleScan(state, game);
}
BENCHMARK(BM_ObviousRuleScan_Checkerboard)->Apply(WholeLoop);

// "2-Adjacent Rule": one sweep; it may change the board, so each iteration starts afresh.
void TimeTwoAdjacent(benchmark::State& state, BenchGame& game) {
    const BoardState before = game.Save();
    const int changed = Effect(game, [&] { game.form.mnuRule2_Click(); });
    TimeFrom(state, game, before, [&] { game.form.mnuRule2_Click(); });
    state.counters["cells"] = changed;
}

void BM_TwoAdjacentRule_Solved(benchmark::State& state) {
    BenchGame game;
    Solve(game);
    TimeTwoAdjacent(state, game);
}
BENCHMARK(BM_TwoAdjacentRule_Solved)->Apply(ActionOnly);

void BM_TwoAdjacentRule_Stuck(benchmark::State& state) {
    BenchGame game;
    if (!OpenAndRunRule(game, static_cast<std::uint32_t>(state.range(0)))) {
        state.SkipWithError("no opening on this field");
        return;
    }
    TimeTwoAdjacent(state, game);
}
BENCHMARK(BM_TwoAdjacentRule_Stuck)->Arg(1)->Arg(2)->Apply(ActionOnly);

void BM_TwoAdjacentRule_Checkerboard(benchmark::State& state) {
    BenchGame game;
    DrawCheckerboard(game);
    TimeTwoAdjacent(state, game);
}
BENCHMARK(BM_TwoAdjacentRule_Checkerboard)->Apply(ActionOnly);

// Keep-up mode with "Extra": the player's opening click, then the repeated rule answering it.
void BM_KeepUpExtraOpeningClick(benchmark::State& state) {
    BenchGame game(static_cast<std::uint32_t>(state.range(0)));
    game.SetKeepUp(true, true);
    const std::int16_t opening = game.BestOpening();
    if (opening < 0) {
        state.SkipWithError("no opening on this field");
        return;
    }
    const CellRef cell = game.board.CellAt(opening);
    const BoardState fresh = game.Save();
    const int changed = Effect(game, [&] { game.LeftClick(cell.row, cell.col); });
    TimeFrom(state, game, fresh, [&] { game.LeftClick(cell.row, cell.col); });
    state.counters["cells"] = changed;
}
BENCHMARK(BM_KeepUpExtraOpeningClick)->Arg(1)->Arg(2)->Apply(ActionOnly);

// ---- New game ---------------------------------------------------------------------------------

// Replay on a finished board: every caption is cleared and a new field laid.
void BM_Replay(benchmark::State& state) {
    BenchGame game;
    Solve(game);
    const BoardState solved = game.Save();
    TimeFrom(state, game, solved, [&] { game.form.mnuReplay_Click(); });
}
BENCHMARK(BM_Replay)->Apply(ActionOnly);

}  // namespace
}  // namespace dravik::bench

BENCHMARK_MAIN();
