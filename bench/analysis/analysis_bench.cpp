// The analysis on the positions it meets in play: every stall of the obvious rule on seeded
// 30 x 16 boards with 99 mines. Each iteration analyses the next position of the set.

#include <benchmark/benchmark.h>

#include <optional>
#include <utility>
#include <vector>

#include "rules/hint.h"
#include "stall_play.h"

namespace dravik::bench {
namespace {

constexpr int kBoards = 100;

const std::vector<Position>& Stalls() {
    static const std::vector<Position> stalls = [] {
        std::vector<Position> positions;
        for (int board = 0; board < kBoards; ++board) {
            testing::SimulatedGame game = OpenedBoard(1, board);
            PlayThroughStalls(game, [&](const Position& position) {
                positions.push_back(position);
                return analysis::Analyse(position);
            });
        }
        return positions;
    }();
    return stalls;
}

template <typename Run>
void OverStalls(benchmark::State& state, Run run) {
    const std::vector<Position>& stalls = Stalls();
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(run(stalls[next]));
        next = next + 1 == stalls.size() ? 0 : next + 1;
    }
    state.counters["positions"] = static_cast<double>(stalls.size());
}

void AnalyseStall(benchmark::State& state) {
    OverStalls(state, [](const Position& p) { return analysis::Analyse(p); });
}
BENCHMARK(AnalyseStall);

void AnalyseStallWithoutOdds(benchmark::State& state) {
    OverStalls(state, [](const Position& p) {
        return analysis::Analyse(p, {analysis::kNodeBudget, false});
    });
}
BENCHMARK(AnalyseStallWithoutOdds);

void PairsRuleStall(benchmark::State& state) {
    OverStalls(state, [](const Position& p) { return analysis::PairsMoves(p); });
}
BENCHMARK(PairsRuleStall);

void ProveFirstCertainMove(benchmark::State& state) {
    std::vector<std::pair<Position, analysis::Analysis>> cases;
    for (const Position& position : Stalls()) {
        analysis::Analysis found = analysis::Analyse(position, {analysis::kNodeBudget, false});
        if (!found.certain.empty()) {
            cases.emplace_back(position, std::move(found));
        }
    }
    std::size_t next = 0;
    for (auto _ : state) {
        const auto& [position, found] = cases[next];
        benchmark::DoNotOptimize(analysis::Prove(position, found, found.certain.front()));
        next = next + 1 == cases.size() ? 0 : next + 1;
    }
    state.counters["positions"] = static_cast<double>(cases.size());
}
BENCHMARK(ProveFirstCertainMove);

// What a hint costs: one analysis, then the hint's own choice of the move with the easiest proof.
void HintProofsStall(benchmark::State& state) {
    OverStalls(state, [](const Position& p) {
        const analysis::Analysis found = analysis::Analyse(p);
        return EasiestMove(p, found);
    });
}
BENCHMARK(HintProofsStall);

void AnalyseTangledToTheCap(benchmark::State& state) {
    const Position position = testing::SimulatedGame(kRows, kCols, 96, 5).Sparse();
    for (auto _ : state) {
        benchmark::DoNotOptimize(analysis::Analyse(position));
    }
}
BENCHMARK(AnalyseTangledToTheCap)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace dravik::bench

BENCHMARK_MAIN();
