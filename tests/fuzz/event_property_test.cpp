// The fuzzer's event driver on seeded sequences, for every build.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <tuple>

#include "fuzz/event_driver.h"

namespace dravik::testing {
namespace {

class SeededChoices : public ChoiceSource {
  public:
    explicit SeededChoices(std::uint32_t seed) : generator_(seed) {}
    std::uint32_t Next(std::uint32_t bound) override {
        return std::uniform_int_distribution<std::uint32_t>(0, bound - 1)(generator_);
    }
    bool Exhausted() const override { return false; }

  private:
    std::mt19937 generator_;
};

TEST(EventSequences, KeepEveryInvariantAfterEveryEvent) {
    int events = 0;
    int deepGames = 0;
    int hints = 0;
    int analysed = 0;
    int certain = 0;
    int deepestNesting = 0;
    int won = 0;
    int outlines = 0;
    int boardKeys = 0;
    int firstClicks = 0;
    int stalls = 0;
    std::set<std::tuple<int, int, int>> sizes;
    int refusals = 0;
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        SeededChoices choices(seed);
        EventDriver driver(choices);
        const auto broken = driver.Play(400);
        ASSERT_FALSE(broken.has_value()) << "seed " << seed << ": " << *broken;
        events += driver.EventsRun();
        deepGames += driver.DeepestGame() >= 100 ? 1 : 0;
        hints += driver.HintsChecked();
        analysed += driver.PositionsAnalysed();
        certain += driver.CertainMovesChecked();
        deepestNesting = std::max(deepestNesting, driver.DeepestNesting());
        won += driver.GamesWon();
        outlines += driver.OutlinesChecked();
        boardKeys += driver.BoardKeysPlayed();
        firstClicks += driver.FirstClicksChecked();
        stalls += driver.NoGuessStallsChecked();
        sizes.insert(driver.SizesPlayed().begin(), driver.SizesPlayed().end());
        refusals += driver.CustomRefusalsChecked();
    }
    std::printf(
        "events played: %d, games won: %d, certain hints checked against the mines: %d, "
        "positions analysed: %d, certain moves checked: %d, boards with outlines checked: %d, "
        "keys on the board: %d\n",
        events, won, hints, analysed, certain, outlines, boardKeys);
    // The sequences were not all cut short by an early exit, and many got well into a game.
    EXPECT_GT(events, 60 * 50);
    EXPECT_GT(deepGames, 20);
    // Queued input ran inside yields, several levels deep.
    EXPECT_GT(deepestNesting, 3);
    EXPECT_GT(won, 0);
    EXPECT_GT(boardKeys, 0);
    EXPECT_GT(hints, 0);
    EXPECT_GT(certain, 0);
    EXPECT_GT(outlines, 0);
    std::printf(
        "no-guess boards: first clicks checked: %d, positions checked for a certain move: %d\n",
        firstClicks, stalls);
    EXPECT_GT(firstClicks, 0);
    EXPECT_GT(stalls, 0);
    std::printf("board sizes played: %zu, custom inputs refused: %d\n", sizes.size(), refusals);
    // The three levels and custom boards beside them.
    EXPECT_GT(sizes.size(), 3u);
    EXPECT_GT(refusals, 0);
}

}  // namespace
}  // namespace dravik::testing
