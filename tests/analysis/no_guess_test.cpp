#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <random>
#include <vector>

#include "analysis/forced_guess.h"
#include "analysis/no_guess.h"
#include "support/logic_replay.h"

// Every layout is judged by replaying it with the analysis on Positions, never by the
// generator's own play-out.
namespace dravik::analysis {
namespace {

using testing::ReplayByLogic;

RandomSource Seeded(std::mt19937& random) {
    return [&random] { return static_cast<float>(random() >> 8) / 16777216.0f; };
}

bool OpeningClear(const NoGuessBoard& board, const std::vector<std::uint8_t>& mines) {
    for (int index = 0; index < board.rows * board.cols; ++index) {
        const int rowOff = std::abs(index / board.cols - board.firstCell / board.cols);
        const int colOff = std::abs(index % board.cols - board.firstCell % board.cols);
        if (rowOff <= 1 && colOff <= 1 && mines[static_cast<std::size_t>(index)] != 0) {
            return false;
        }
    }
    return true;
}

// A returned layout has the mines asked for, none at the opening, and logic wins it.
void ExpectWonByLogic(const NoGuessBoard& board, const NoGuessLayout& layout) {
    int mines = 0;
    for (const std::uint8_t mine : layout.mines) {
        mines += mine;
    }
    EXPECT_EQ(mines, board.mines);
    EXPECT_TRUE(OpeningClear(board, layout.mines));
    const testing::Replay replay =
        ReplayByLogic(board.rows, board.cols, layout.mines, board.firstCell);
    EXPECT_TRUE(replay.won && !replay.mineHit)
        << board.rows << " x " << board.cols << ", " << board.mines << " mines, first cell "
        << board.firstCell << ", method " << static_cast<int>(layout.method);
}

TEST(NoGuessLayouts, FullBoardsAreWonByLogicFromCornersEdgesAndInside) {
    // Rejection serves the sparse boards, repair the dense ones, and neither falls back on the
    // compact layout.
    struct Case {
        int rows;
        int cols;
        int mines;
        NoGuessMethod method;
    };
    std::mt19937 random(20);
    for (const Case& c :
         {Case{16, 30, 99, NoGuessMethod::Drawn}, Case{16, 30, 150, NoGuessMethod::Repaired},
          Case{16, 16, 80, NoGuessMethod::Repaired}, Case{9, 9, 30, NoGuessMethod::Repaired}}) {
        const int last = c.rows * c.cols - 1;
        // Four corners, one cell on each edge, four inside.
        const int firstCells[] = {0,          c.cols - 1,     last - c.cols + 1, last,
                                  5,          last - 5,       3 * c.cols,        4 * c.cols - 1,
                                  c.cols + 1, 2 * c.cols + 4, last / 2,          last - c.cols - 2};
        for (const int first : firstCells) {
            const NoGuessBoard board{c.rows, c.cols, c.mines, first};
            const std::optional<NoGuessLayout> layout = LayNoGuess(board, Seeded(random));
            ASSERT_TRUE(layout.has_value());
            EXPECT_EQ(layout->method, c.method);
            ExpectWonByLogic(board, *layout);
        }
    }
}

// Can any layout of this board be won by logic? By trying every one.
bool AnyLayoutWon(const NoGuessBoard& board) {
    std::vector<int> pool;
    for (int index = 0; index < board.rows * board.cols; ++index) {
        std::vector<std::uint8_t> probe(static_cast<std::size_t>(board.rows * board.cols), 0);
        probe[static_cast<std::size_t>(index)] = 1;
        if (OpeningClear(board, probe)) {
            pool.push_back(index);
        }
    }
    const int size = static_cast<int>(pool.size());
    for (unsigned subset = 0; subset < 1U << size; ++subset) {
        if (std::popcount(subset) != board.mines) {
            continue;
        }
        std::vector<std::uint8_t> mines(static_cast<std::size_t>(board.rows * board.cols), 0);
        for (int k = 0; k < size; ++k) {
            mines[static_cast<std::size_t>(pool[static_cast<std::size_t>(k)])] = (subset >> k) & 1U;
        }
        if (ReplayByLogic(board.rows, board.cols, mines, board.firstCell).won) {
            return true;
        }
    }
    return false;
}

// On tiny boards rejection often gives up and repair, or failing that the compact layout, has to
// do; the generator may come back empty only where no layout at all is won.
TEST(NoGuessLayouts, TinyBoardsGetAProvenLayoutWheneverOneExists) {
    std::mt19937 random(7);
    int laid = 0;
    int compact = 0;
    int repaired = 0;
    int none = 0;
    // Boards without a won layout spend the whole budget; a small one keeps them quick.
    const NoGuessLimits kTiny{.tries = 20, .repairCells = 20000};
    for (int rows = 1; rows <= 4; ++rows) {
        for (int cols = rows; cols <= 5; ++cols) {
            for (int first = 0; first < rows * cols; ++first) {
                for (int mines = 0;; ++mines) {
                    const NoGuessBoard board{rows, cols, mines, first};
                    std::optional<NoGuessLayout> layout;
                    try {
                        layout = LayNoGuess(board, Seeded(random), kTiny);
                    } catch (const std::invalid_argument&) {
                        break;  // no room for more mines
                    }
                    if (!layout) {
                        EXPECT_FALSE(AnyLayoutWon(board)) << rows << " x " << cols << ", " << mines
                                                          << " mines, first cell " << first;
                        ++none;
                        continue;
                    }
                    ExpectWonByLogic(board, *layout);
                    compact += layout->method == NoGuessMethod::Compact ? 1 : 0;
                    repaired += layout->method == NoGuessMethod::Repaired ? 1 : 0;
                    ++laid;
                }
            }
        }
    }
    std::cout << laid << " tiny boards laid (" << repaired << " repaired, " << compact
              << " compact), " << none << " without any layout won by logic\n";
    EXPECT_GT(repaired, 0);
    EXPECT_GT(none, 0);
}

// With repair off, dense boards fall back on the compact layout, proven the same way.
TEST(NoGuessLayouts, CompactLayoutWhenRepairIsOff) {
    std::mt19937 random(3);
    for (const NoGuessBoard& board : {NoGuessBoard{16, 30, 300, 0}, NoGuessBoard{16, 30, 200, 247},
                                      NoGuessBoard{16, 30, 400, 100}, NoGuessBoard{6, 10, 35, 0}}) {
        const std::optional<NoGuessLayout> layout =
            LayNoGuess(board, Seeded(random), NoGuessLimits{.repairCells = 0});
        ASSERT_TRUE(layout.has_value());
        EXPECT_EQ(layout->method, NoGuessMethod::Compact);
        ExpectWonByLogic(board, *layout);
    }
}

// The quick test rejects only layouts that need a guess: every layout of a small board it flags
// is lost by the replay.
TEST(NoGuessLayouts, ForcedGuessFlagsOnlyLayoutsLogicLoses) {
    constexpr int kRows = 3;
    constexpr int kCols = 4;
    int flagged = 0;
    for (const int first : {0, 5}) {
        for (unsigned subset = 0; subset < 1U << (kRows * kCols); ++subset) {
            std::vector<std::uint8_t> mines(std::size_t{kRows} * kCols);
            for (std::size_t k = 0; k < mines.size(); ++k) {
                mines[k] = (subset >> k) & 1U;
            }
            if (mines[static_cast<std::size_t>(first)] != 0 ||
                !HasForcedGuess(kRows, kCols, mines, first)) {
                continue;
            }
            EXPECT_FALSE(ReplayByLogic(kRows, kCols, mines, first).won) << subset;
            ++flagged;
        }
    }
    std::cout << flagged << " flagged layouts replayed\n";
    EXPECT_GT(flagged, 0);
}

}  // namespace
}  // namespace dravik::analysis
