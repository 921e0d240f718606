#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

#include "support/game_fixture.h"

namespace dravik::testing {
namespace {

// A main window loaded with a scripted answer to the start question. Everything Form_Load must
// set is first given some other value.
struct Started {
    explicit Started(std::int16_t answer) {
        form.Window.Left = 1200;
        form.Window.Top = 900;
        board.StopFlag = kTrue;
        board.KeyHeld = kTrue;
        toolkit.answers.push_back(answer);
        form.Load();
    }
    FakeToolkit toolkit;
    ModDravik options{7, 1};
    frmDravik form{toolkit, options};
    Board& board = form.GetBoard();
};

using Cell = std::pair<int, int>;  // row, col

std::set<Cell> Mines(const MineGridArray& grid) {
    std::set<Cell> mines;
    for (int row = 0; row <= grid.Rows(); ++row) {
        for (int col = 0; col <= grid.Cols(); ++col) {
            if (grid(row, col) != 0) {
                mines.insert({row, col});
            }
        }
    }
    return mines;
}

TEST(NewGame, NormalLayoutKeepsTheWindowInPlaceAndBuildsACoveredBoard) {
    Started s(vbNo);
    ASSERT_EQ(s.toolkit.boxes.size(), 1u);
    EXPECT_EQ(s.toolkit.boxes[0].text, "Large Screen?");
    EXPECT_EQ(s.toolkit.boxes[0].style, vbYesNoCancel);
    EXPECT_EQ(s.toolkit.boxes[0].title, "DRAVIK");
    EXPECT_EQ(s.toolkit.randomizes, 1);
    EXPECT_EQ(s.options.HitMineOption, 1);
    EXPECT_EQ(s.options.ShowRuleCount, 0);
    EXPECT_EQ(s.board.StopFlag, kFalse);
    EXPECT_EQ(s.board.KeyHeld, kFalse);

    EXPECT_EQ(s.form.Window.Left, 1200);
    EXPECT_EQ(s.form.Window.Top, 900);
    EXPECT_EQ(s.form.Window.Width, 8085);
    EXPECT_EQ(s.form.Window.Height, 5715);
    EXPECT_EQ(s.form.SSPanel1.Width, 7905);
    EXPECT_EQ(s.form.SSPanel1.Height, 4365);

    ASSERT_EQ(s.form.cmdMine.size(), 480u);
    for (int index = 0; index < 480; ++index) {
        const Label& cell = s.form.cmdMine[static_cast<std::size_t>(index)];
        SCOPED_TRACE(index);
        EXPECT_EQ(cell.Left, 255 * (index % 30) + 60);
        EXPECT_EQ(cell.Top, 255 * (index / 30) + 120);
        EXPECT_EQ(cell.Width, 255);
        EXPECT_EQ(cell.Height, 255);
        EXPECT_FLOAT_EQ(cell.FontInfo.Size, 8.25f);
        EXPECT_TRUE(cell.Visible);
        EXPECT_EQ(cell.Caption, "");
        EXPECT_EQ(cell.BackColor, kButtonFace);
        EXPECT_EQ(cell.BorderStyle, kBorderFixedSingle);
    }
    EXPECT_EQ(s.form.cmdMine[479].Left, 7455);
    EXPECT_EQ(s.form.cmdMine[479].Top, 3945);

    EXPECT_EQ(s.form.txtMines.Text, "099");
    EXPECT_EQ(s.form.txtPlots.Text, "480");
    EXPECT_EQ(s.board.MarkCount, 0);
    EXPECT_EQ(s.board.PlotsLeft, 480);
    EXPECT_EQ(Mines(s.board.MineGrid).size(), 99u);
}

TEST(NewGame, LargeLayoutMovesTheWindowAndEnlargesTheCells) {
    Started s(vbYes);
    EXPECT_EQ(s.board.LargeScreen, 1);
    EXPECT_EQ(s.form.Window.Left, 90);
    EXPECT_EQ(s.form.Window.Top, 195);
    EXPECT_EQ(s.form.Window.Width, 11850);
    EXPECT_EQ(s.form.Window.Height, 7800);
    EXPECT_EQ(s.form.SSPanel1.Width, 11700);
    EXPECT_EQ(s.form.SSPanel1.Height, 6400);
    EXPECT_EQ(s.board.CellSize, 383);
    ASSERT_EQ(s.form.cmdMine.size(), 480u);
    const Label& last = s.form.cmdMine[479];
    EXPECT_EQ(last.Left, 11167);
    EXPECT_EQ(last.Top, 5865);
    EXPECT_EQ(last.Width, 383);
    EXPECT_FLOAT_EQ(last.FontInfo.Size, 12.0f);
    EXPECT_EQ(Mines(s.board.MineGrid).size(), 99u);
}

TEST(NewGame, CancelBuildsNothingAndTheFirstActivationClosesTheWindow) {
    Started s(vbCancel);
    EXPECT_EQ(s.form.cmdMine.size(), 1u);
    EXPECT_FALSE(s.board.MineGrid.Exists());
    EXPECT_EQ(s.board.StopFlag, kTrue);
    EXPECT_TRUE(s.form.Loaded());

    s.form.Form_Activate();
    EXPECT_FALSE(s.form.Loaded());
    ASSERT_EQ(s.toolkit.unloaded.size(), 1u);
    EXPECT_EQ(s.toolkit.unloaded[0], &s.form);
    EXPECT_EQ(s.toolkit.boxes.size(), 1u);
}

class LayMineField : public ::testing::Test, public Game {
protected:
    // Queues the two numbers that put a mine on (row, col).
    void Draw(int row, int col) {
        toolkit.randoms.push_back((static_cast<float>(col) - 0.5f) / 30.0f);
        toolkit.randoms.push_back((static_cast<float>(row) - 0.5f) / 16.0f);
    }
};

TEST_F(LayMineField, LaysExactlyTheMineCountInsideTheBoardAndClearsOldMines) {
    // Old mines everywhere on rows 1-10 and in the unused row 0 and column 0: the first must
    // go, the others are never touched.
    for (int row = 1; row <= 10; ++row) {
        for (int col = 1; col <= 30; ++col) {
            board.MineGrid(row, col) = 1;
        }
    }
    for (int game = 0; game < 5; ++game) {
        board.LayMineField();
        const std::set<Cell> mines = Mines(board.MineGrid);
        ASSERT_EQ(mines.size(), 99u);
        for (const auto& [row, col] : mines) {
            EXPECT_TRUE(row >= 1 && row <= 16 && col >= 1 && col <= 30) << row << "," << col;
        }
    }
}

TEST_F(LayMineField, DrawsTheColumnBeforeTheRowAndRedrawsBothOnACollision) {
    const float belowOne = std::nextafter(1.0f, 0.0f);
    std::set<Cell> expected;
    toolkit.randoms = {0.0f, belowOne};  // column 1, row 16
    expected.insert({16, 1});
    toolkit.randoms.insert(toolkit.randoms.end(), {belowOne, belowOne});  // column 30, row 16
    expected.insert({16, 30});
    Draw(16, 30);  // taken: both numbers are drawn again
    for (int k = 0; expected.size() < 99; ++k) {
        Draw(k / 30 + 1, k % 30 + 1);
        expected.insert({k / 30 + 1, k % 30 + 1});
    }
    board.LayMineField();
    EXPECT_EQ(Mines(board.MineGrid), expected);
    EXPECT_TRUE(toolkit.randoms.empty()) << toolkit.randoms.size() << " numbers left unused";
}

}  // namespace
}  // namespace dravik::testing
