#include <gtest/gtest.h>

#include <utility>

#include "support/game_fixture.h"
#include "toolkit/palette.h"

namespace dravik::testing {
namespace {

class BoardQueries : public ::testing::Test, public Game {
  protected:
    void Show(int row, int col, const char* caption) {
        board.Cell(Index(row, col)).Caption = caption;
    }
};

TEST_F(BoardQueries, CellIndexIsRowMajorFromOneAndCellAtInvertsIt) {
    EXPECT_EQ(board.CellIndex(1, 1), 0);
    EXPECT_EQ(board.CellIndex(1, 30), 29);
    EXPECT_EQ(board.CellIndex(2, 1), 30);
    EXPECT_EQ(board.CellIndex(16, 30), 479);
    for (std::int16_t index = 0; index < 480; ++index) {
        const CellRef cell = board.CellAt(index);
        ASSERT_EQ(board.CellIndex(cell.row, cell.col), index);
    }
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

TEST(MinesColour, FollowsThePaletteToFiveThenSkipsFive) {
    const int expected[] = {0, 1, 2, 3, 4, 5, 11, 12, 13};
    for (std::int16_t n = 0; n <= 8; ++n) {
        EXPECT_EQ(frmDravik::MinesColour(n), PaletteColour(expected[n])) << "count " << n;
    }
}

}  // namespace
}  // namespace dravik::testing
