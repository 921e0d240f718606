#include <gtest/gtest.h>

#include "support/game_fixture.h"

namespace dravik {
namespace {

using testing::GameWindow;

std::vector<std::int16_t> Mines(const GameWindow& game) {
    std::vector<std::int16_t> mines;
    for (int index = 0; index < 480; ++index) {
        mines.push_back(game.board.MineGrid(index / 30 + 1, index % 30 + 1));
    }
    return mines;
}

TEST(Replay, CoversEveryCellAndLaysMinesFromTheContinuingRandomSequence) {
    GameWindow game;
    game.LayMines({"*", "", "", "*"});
    game.LeftClick(16, 30);  // opens all but the top of column 1
    game.RightClick(2, 1);
    game.LeftClick(1, 1);  // a hit mine
    game.SetKeepUp(true, true);
    game.board.KeepUpScore = -4;
    game.board.ChangeCell(game.Index(9, 9)).BackStyle = 0;

    // Mines on every fourth cell: the two numbers of each draw pick column, then row.
    std::vector<std::int16_t> expected(480, 0);
    for (int k = 0; k < 99; ++k) {
        const int index = 4 * k + 1;
        expected[index] = 1;
        game.toolkit.randoms.push_back((index % 30 + 0.5f) / 30);
        game.toolkit.randoms.push_back((index / 30 + 0.5f) / 16);
    }
    game.form.mnuReplay_Click();

    ASSERT_EQ(game.form.cmdMine.size(), 480u);
    for (const Label& cell : game.form.cmdMine) {
        EXPECT_EQ(cell.Caption, "");
        EXPECT_EQ(cell.BackColor, kButtonFace);
        EXPECT_EQ(cell.BorderStyle, kBorderFixedSingle);
        EXPECT_EQ(cell.BackStyle, kBackOpaque);
    }
    EXPECT_EQ(game.form.txtMines.Text, "099");
    EXPECT_EQ(game.form.txtPlots.Text, "480");
    EXPECT_EQ(Mines(game), expected);
    EXPECT_EQ(game.toolkit.randomizes, 1);  // seeded once, at load
    EXPECT_EQ(game.form.lblKeepUp.Caption, "0 Behind");
    EXPECT_EQ(game.form.chkKeepUp.Value, kChecked);
    EXPECT_EQ(game.form.chkExtra.Value, kChecked);
}

TEST(Replay, ButtonAndMenuItemGiveTheSameNewGame) {
    GameWindow viaMenu;
    GameWindow viaButton;
    const auto firstMines = Mines(viaMenu);
    viaMenu.form.mnuReplay_Click();
    viaButton.form.cmdReplay_Click();
    EXPECT_EQ(Mines(viaMenu), Mines(viaButton));
    EXPECT_NE(Mines(viaMenu), firstMines);
}

TEST(Replay, BringsAMovedLargeWindowBackAndLeavesANormalOneWhereItIs) {
    testing::FakeToolkit toolkit;
    toolkit.answers.push_back(vbYes);
    ModDravik options;
    frmDravik large(toolkit, options);
    large.Load();
    GameWindow normal;
    for (frmDravik* form : {&large, &normal.form}) {
        form->Window.Left = 3000;
        form->Window.Top = 2000;
        form->mnuReplay_Click();
    }
    EXPECT_EQ(std::make_pair(large.Window.Left, large.Window.Top), std::make_pair(90, 195));
    EXPECT_EQ(std::make_pair(normal.form.Window.Left, normal.form.Window.Top),
              std::make_pair(3000, 2000));
}

}  // namespace
}  // namespace dravik
