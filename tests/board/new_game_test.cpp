#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <deque>
#include <set>
#include <utility>

#include "support/game_fixture.h"

namespace dravik::testing {
namespace {

// A main window loaded with a scripted answer to the start question. What Form_Load must set
// is first given some other value.
struct Started {
    explicit Started(std::int16_t answer) {
        form.Window.Left = 1200;
        form.Window.Top = 900;
        board.StopFlag = board.KeyHeld = kTrue;
        toolkit.answers.push_back(answer);
        form.Load();
    }
    FakeToolkit toolkit;
    ModDravik options{7, 1};
    frmDravik form{toolkit, options};
    Board& board = form.GetBoard();
};

template <typename Control>
std::array<int, 4> Geometry(const Control& c) {
    return {c.Left, c.Top, c.Width, c.Height};
}

using RowCol = std::pair<int, int>;

std::set<RowCol> Mines(const MineGridArray& grid) {
    std::set<RowCol> mines;
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

    EXPECT_EQ(Geometry(s.form.Window), (std::array{1200, 900, 8085, 5715}));
    EXPECT_EQ(s.form.SSPanel1.Width, 7905);
    EXPECT_EQ(s.form.SSPanel1.Height, 4365);
    ASSERT_EQ(s.form.cmdMine.size(), 480u);
    // The cells tile the panel in rows of 30 from the first cell's place: each one abuts the
    // cell before it in its row, or the first of the row above.
    EXPECT_EQ(Geometry(s.form.cmdMine[0]), (std::array{60, 120, 255, 255}));
    for (std::size_t index = 0; index < 480; ++index) {
        const Label& cell = s.form.cmdMine[index];
        SCOPED_TRACE(index);
        if (index % 30 != 0) {
            const Label& left = s.form.cmdMine[index - 1];
            EXPECT_EQ(Geometry(cell), (std::array{left.Left + 255, left.Top, 255, 255}));
        } else if (index != 0) {
            const Label& above = s.form.cmdMine[index - 30];
            EXPECT_EQ(Geometry(cell), (std::array{above.Left, above.Top + 255, 255, 255}));
        }
        EXPECT_FLOAT_EQ(cell.FontInfo.Size, 8.25f);
        EXPECT_TRUE(cell.Visible);
        EXPECT_EQ(cell.Caption, "");
        EXPECT_EQ(cell.BackColor, kButtonFace);
        EXPECT_EQ(cell.BorderStyle, kBorderFixedSingle);
    }
    EXPECT_EQ(Geometry(s.form.cmdMine[479]), (std::array{7455, 3945, 255, 255}));

    EXPECT_EQ(s.form.txtMines.Text, "099");
    EXPECT_EQ(s.form.txtPlots.Text, "480");
    EXPECT_EQ(Mines(s.board.MineGrid).size(), 99u);
}

TEST(NewGame, LargeLayoutMovesTheWindowAndEnlargesTheCells) {
    Started s(vbYes);
    EXPECT_EQ(Geometry(s.form.Window), (std::array{90, 195, 11850, 7800}));
    EXPECT_EQ(s.form.SSPanel1.Width, 11700);
    EXPECT_EQ(s.form.SSPanel1.Height, 6400);
    ASSERT_EQ(s.form.cmdMine.size(), 480u);
    EXPECT_EQ(Geometry(s.form.cmdMine[479]), (std::array{11167, 5865, 383, 383}));
    EXPECT_FLOAT_EQ(s.form.cmdMine[479].FontInfo.Size, 12.0f);
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
    EXPECT_EQ(s.toolkit.unloaded, std::vector<const Form*>{&s.form});
    EXPECT_EQ(s.toolkit.boxes.size(), 1u);
}

// A board with no window behind it, and random numbers the test deals out itself.
class LayMineField : public ::testing::Test, public BareGame {
  protected:
    std::deque<float> randoms;
    float Next() {
        const float next = randoms.front();
        randoms.pop_front();
        return next;
    }
};

TEST_F(LayMineField, DrawsTheColumnBeforeTheRowAndRedrawsBothOnACollision) {
    const float belowOne = std::nextafter(1.0f, 0.0f);
    LayMines({"", "", "", "", "", std::string(30, '*')});  // old mines, all to go
    // Column 1 row 16, then column 30 row 16 twice, then row by row from the top left.
    randoms = {0.0f, belowOne, belowOne, belowOne, belowOne, belowOne};
    std::set<RowCol> expected{{16, 1}, {16, 30}};
    for (int k = 0; expected.size() < 99; ++k) {
        const int row = k / 30 + 1;
        const int col = k % 30 + 1;
        randoms.push_back((static_cast<float>(col) - 0.5f) / 30.0f);
        randoms.push_back((static_cast<float>(row) - 0.5f) / 16.0f);
        expected.insert({row, col});
    }
    board.LayMineField([this] { return Next(); });
    EXPECT_EQ(Mines(board.MineGrid), expected);
    EXPECT_TRUE(randoms.empty()) << randoms.size() << " numbers left unused";
}

}  // namespace
}  // namespace dravik::testing
