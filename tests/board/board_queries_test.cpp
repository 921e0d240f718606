#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "support/game_fixture.h"
#include "toolkit/palette.h"

namespace dravik::testing {
namespace {

class BoardQueries : public ::testing::Test, public BareGame {
  protected:
    void Show(int row, int col, const char* caption) {
        board.ChangeCell(Index(row, col)).Caption = caption;
    }
};

// Reading order: the cells as a reader meets them, row by row from the top, each row from the
// left, numbered from 0 without a gap; CellAt gives each number back its row and column.
TEST_F(BoardQueries, CellIndexNumbersTheCellsInReadingOrderAndCellAtInvertsIt) {
    int read = 0;
    for (std::int16_t row = 1; row <= board.Rows; ++row) {
        for (std::int16_t col = 1; col <= board.Cols; ++col) {
            ASSERT_EQ(board.CellIndex(row, col), read) << row << "," << col;
            const CellRef cell = board.CellAt(static_cast<std::int16_t>(read));
            ASSERT_EQ(std::pair(cell.row, cell.col), std::pair(row, col));
            ++read;
        }
    }
    EXPECT_EQ(static_cast<std::size_t>(read), board.cmdMine.size());
}

TEST_F(BoardQueries, AdjacentMineCountSeesOnlyNeighboursOnTheBoard) {
    // The corner's own mine and those one step beyond its three neighbours do not count.
    LayMines({"***",  //
              "***",  //
              "***"});
    EXPECT_EQ(board.AdjacentMineCount(1, 1), 3);
    EXPECT_EQ(board.AdjacentMineCount(2, 2), 8);

    // Edge cells have five neighbours; the mines at the other end of the rows are not among them.
    LayMines({});
    for (int row = 6; row <= 8; ++row) {
        board.MineGrid(row, 1) = board.MineGrid(row, 2) = board.MineGrid(row, 30) = 1;
    }
    EXPECT_EQ(board.AdjacentMineCount(7, 1), 5);
    EXPECT_EQ(board.AdjacentMineCount(7, 30), 2);
}

TEST_F(BoardQueries, NeighbourCountsSeeCoveredAndMarkedOnlyAndOnlyOnTheBoard) {
    // Around (5,5), itself marked:   @ 0 .
    //                                3 @ @
    //                                . . 8
    Show(4, 4, "@");
    Show(4, 5, "0");
    Show(5, 4, "3");
    Show(5, 5, "@");
    Show(5, 6, "@");
    Show(6, 6, "8");
    const auto around = [&](int row, int col) {
        const auto counts = board.CountCoveredAndMarks(board.CellAt(Index(row, col)));
        return std::pair<int, int>(counts.covered, counts.marks);
    };
    EXPECT_EQ(around(5, 5), std::pair(3, 2));

    // (2,30) is index 59: index arithmetic without the column test would take (2,1), (3,1) and
    // (4,1) for its right-hand neighbours.
    Show(2, 1, "@");
    Show(3, 1, "@");
    Show(4, 1, "@");
    EXPECT_EQ(around(2, 30), std::pair(5, 0));
    EXPECT_EQ(around(16, 30), std::pair(3, 0));
}

TEST_F(BoardQueries, CountInBlockCountsTheKindsInItsBitSet) {
    // Row 3, columns 1-7: covered, marked, "2", "0", marked, covered, covered.
    Show(3, 2, "@");
    Show(3, 3, "2");
    Show(3, 4, "0");
    Show(3, 5, "@");
    EXPECT_EQ(board.CountInBlock(0, 1, 3, 7, 3), 0);
    EXPECT_EQ(board.CountInBlock(kKindCovered, 1, 3, 7, 3), 3);
    EXPECT_EQ(board.CountInBlock(kKindUncovered, 1, 3, 7, 3), 2);
    EXPECT_EQ(board.CountInBlock(kKindMarked, 1, 3, 7, 3), 2);
    EXPECT_EQ(board.CountInBlock(kKindCovered | kKindMarked, 1, 3, 7, 3), 5);
    EXPECT_EQ(board.CountInBlock(7, 2, 2, 4, 4), 9);
    // Empty blocks whose other bounds lie off the board: reading any cell would throw.
    EXPECT_EQ(board.CountInBlock(7, 1, 20, 30, 19), 0);
    EXPECT_EQ(board.CountInBlock(7, 40, 1, 39, 16), 0);
}

// Nine counts, nine colours a player can tell apart; after the purple of 5 the colours jump to
// the bright end of the palette.
TEST(MinesColour, GivesEveryCountItsOwnColourAndJumpsToCyanAfterPurple) {
    std::set<Colour> colours;
    for (std::int16_t n = 0; n <= 8; ++n) {
        colours.insert(frmDravik::MinesColour(n));
    }
    EXPECT_EQ(colours.size(), 9u);
    EXPECT_EQ(frmDravik::MinesColour(0), Rgb(0, 0, 0));
    EXPECT_EQ(frmDravik::MinesColour(5), Rgb(128, 0, 128));
    EXPECT_EQ(frmDravik::MinesColour(6), Rgb(0, 255, 255));
    EXPECT_EQ(frmDravik::MinesColour(8), Rgb(255, 0, 255));
}

}  // namespace
}  // namespace dravik::testing
