#include <gtest/gtest.h>

#include "support/game_fixture.h"
#include "toolkit/palette.h"

namespace dravik::testing {
namespace {

class BoardQueries : public ::testing::Test, public Game {
protected:
    void SetCaption(int row, int col, const char* caption) {
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
        ASSERT_EQ(cell.index, index);
        ASSERT_EQ(board.CellIndex(cell.row, cell.col), index) << cell.row << "," << cell.col;
    }
    EXPECT_EQ(board.CellAt(29).col, 30);
    EXPECT_EQ(board.CellAt(30).row, 2);
}

TEST_F(BoardQueries, AdjacentMineCountSeesOnlyNeighboursOnTheBoard) {
    // The corner's own mine and the mines one step beyond its three neighbours do not count.
    LayMines({"***",
              "***",
              "***"});
    EXPECT_EQ(board.AdjacentMineCount(1, 1), 3);
    EXPECT_EQ(board.AdjacentMineCount(2, 2), 8);

    LayMines({});
    for (int row = 6; row <= 8; ++row) {
        board.MineGrid(row, 1) = board.MineGrid(row, 2) = board.MineGrid(row, 30) = 1;
    }
    // Edge cells have five neighbours; the mines at the other end of the rows are not among them.
    EXPECT_EQ(board.AdjacentMineCount(7, 1), 5);
    EXPECT_EQ(board.AdjacentMineCount(7, 30), 2);

    LayMines({});
    board.MineGrid(16, 29) = board.MineGrid(15, 30) = board.MineGrid(16, 30) = 1;
    EXPECT_EQ(board.AdjacentMineCount(16, 30), 2);
}

TEST_F(BoardQueries, MarksCountForAdjacentMarksOnlyAndNumbersForNeither) {
    // Around (5,5):  @ 0 .
    //                3 x @
    //                . . 8
    SetCaption(4, 4, "@");
    SetCaption(4, 5, "0");
    SetCaption(5, 4, "3");
    SetCaption(5, 6, "@");
    SetCaption(6, 6, "8");
    SetCaption(5, 5, "@");  // the cell itself never counts
    const std::int16_t centre = Index(5, 5);
    EXPECT_EQ(board.AdjacentMarks(centre, 5, 5), 2);
    EXPECT_EQ(board.AdjacentCovered(centre, 5, 5), 3);
}

TEST_F(BoardQueries, NeighbourIndexesDoNotWrapAroundTheRowEnds) {
    // (2,30) has index 59; index arithmetic without the column test would reach (2,1), (3,1)
    // and (4,1) as its right-hand neighbours.
    for (int row = 1; row <= 4; ++row) {
        SetCaption(row, 1, "@");
    }
    EXPECT_EQ(board.AdjacentMarks(Index(2, 30), 2, 30), 0);
    EXPECT_EQ(board.AdjacentCovered(Index(2, 30), 2, 30), 5);
    EXPECT_EQ(board.AdjacentMarks(Index(3, 1), 3, 1), 2);
    EXPECT_EQ(board.AdjacentCovered(Index(16, 30), 16, 30), 3);
    EXPECT_EQ(board.AdjacentCovered(0, 1, 1), 2);
}

TEST_F(BoardQueries, CountInBlockCountsTheKindsInItsBitSet) {
    // Row 3, columns 1-6: covered, marked, "2", "0", marked, covered.
    SetCaption(3, 2, "@");
    SetCaption(3, 3, "2");
    SetCaption(3, 4, "0");
    SetCaption(3, 5, "@");
    EXPECT_EQ(board.CountInBlock(0, 1, 3, 6, 3), 0);
    EXPECT_EQ(board.CountInBlock(kKindCovered, 1, 3, 6, 3), 2);
    EXPECT_EQ(board.CountInBlock(kKindUncovered, 1, 3, 6, 3), 2);
    EXPECT_EQ(board.CountInBlock(kKindMarked, 1, 3, 6, 3), 2);
    EXPECT_EQ(board.CountInBlock(kKindCovered | kKindMarked, 1, 3, 6, 3), 4);
    EXPECT_EQ(board.CountInBlock(7, 1, 3, 6, 3), 6);
    EXPECT_EQ(board.CountInBlock(7, 2, 2, 4, 4), 9);
    EXPECT_EQ(board.CountInBlock(kKindMarked, 2, 2, 4, 4), 1);
}

TEST_F(BoardQueries, EmptyBlocksCountNothingAndReadNoCell) {
    // The bounds of the empty direction lie off the board: reading a cell would throw.
    EXPECT_EQ(board.CountInBlock(7, 1, 20, 30, 19), 0);
    EXPECT_EQ(board.CountInBlock(7, 40, 1, 39, 16), 0);
    EXPECT_EQ(board.CountInBlock(7, 3, 5, 2, 5), 0);
}

TEST(MinesColour, FollowsThePaletteToFiveThenSkipsFive) {
    const int expected[] = {0, 1, 2, 3, 4, 5, 11, 12, 13};
    for (std::int16_t n = 0; n <= 8; ++n) {
        EXPECT_EQ(frmDravik::MinesColour(n), PaletteColour(expected[n])) << "count " << n;
    }
}

}  // namespace
}  // namespace dravik::testing
