#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <random>
#include <vector>

#include "analysis/playout.h"
#include "support/logic_replay.h"

// The no-guess generator judges layouts by its play-out, and draws evenly from the layouts that
// play-out wins: that is drawing evenly from those complete logic wins only if the two agree on
// every layout. Here they are held to each other, layout by layout.
namespace dravik::analysis {
namespace {

// As many nodes as the replay gives each analysis: no verdict turns on a budget running out.
constexpr long kReplayNodes = 1000000;

struct Tally {
    int won = 0;
    int lost = 0;
    int disagreed = 0;
};

void Compare(int rows, int cols, const std::vector<std::uint8_t>& mines, int first,
             Playout& playout, Tally& tally) {
    NodeBudget budget{.perAnalysis = kReplayNodes, .left = 1000 * kReplayNodes};
    const bool solves = playout.Solves(mines, first, budget);
    const testing::Replay replay = testing::ReplayByLogic(rows, cols, mines, first);
    ASSERT_FALSE(replay.mineHit);
    (replay.won ? tally.won : tally.lost) += 1;
    if (solves != replay.won) {
        ++tally.disagreed;
        if (tally.disagreed <= 3) {
            ADD_FAILURE() << rows << " x " << cols << ", first cell " << first << ": play-out "
                          << (solves ? "wins" : "loses") << ", replay "
                          << (replay.won ? "wins" : "loses");
        }
    }
}

void ExpectAgreement(const char* what, const Tally& tally) {
    std::cout << what << ": " << tally.won + tally.lost << " layouts compared (" << tally.won
              << " won, " << tally.lost << " lost), " << tally.disagreed << " disagreed\n";
    EXPECT_EQ(tally.disagreed, 0);
    // Both verdicts must have come up, or the comparison proved little.
    EXPECT_GT(tally.won, 0);
    EXPECT_GT(tally.lost, 0);
}

// Every placement of the mines and every safe first cell, the opening need not be clear.
TEST(PlayoutAgreesWithTheReplay, OnEveryLayoutOfTinyBoards) {
    struct Size {
        int rows;
        int cols;
        int fewest;
        int most;
    };
    Tally tally;
    for (const Size& size : {Size{4, 4, 2, 4}, Size{3, 5, 1, 3}, Size{5, 5, 1, 2}}) {
        const int cells = size.rows * size.cols;
        Playout playout(size.rows, size.cols);
        for (int count = size.fewest; count <= size.most; ++count) {
            std::vector<std::uint8_t> mines(static_cast<std::size_t>(cells), 0);
            std::fill(mines.end() - count, mines.end(), 1);
            do {
                for (int first = 0; first < cells; ++first) {
                    if (mines[static_cast<std::size_t>(first)] == 0) {
                        Compare(size.rows, size.cols, mines, first, playout, tally);
                    }
                }
            } while (std::next_permutation(mines.begin(), mines.end()));
        }
    }
    ExpectAgreement("tiny boards", tally);
}

// Uniform layouts with a clear opening, as rejection draws them: most are lost, some won.
TEST(PlayoutAgreesWithTheReplay, OnSeededExpertLayouts) {
    constexpr int kRows = 16;
    constexpr int kCols = 30;
    constexpr int kLayouts = 2000;
    std::mt19937 random(11);
    Playout playout(kRows, kCols);
    Tally tally;
    for (int k = 0; k < kLayouts; ++k) {
        const int first = static_cast<int>(random() % (kRows * kCols));
        std::vector<int> pool;
        for (int index = 0; index < kRows * kCols; ++index) {
            if (std::abs(index / kCols - first / kCols) > 1 ||
                std::abs(index % kCols - first % kCols) > 1) {
                pool.push_back(index);
            }
        }
        std::shuffle(pool.begin(), pool.end(), random);
        std::vector<std::uint8_t> mines(std::size_t{kRows} * kCols, 0);
        for (int m = 0; m < 99; ++m) {
            mines[static_cast<std::size_t>(pool[static_cast<std::size_t>(m)])] = 1;
        }
        Compare(kRows, kCols, mines, first, playout, tally);
    }
    ExpectAgreement("30 x 16 with 99 mines", tally);
}

}  // namespace
}  // namespace dravik::analysis
