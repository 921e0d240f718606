#include <gtest/gtest.h>

#include "support/game_fixture.h"

namespace dravik {
namespace {

// Mines at (1,1) and (4,1); a click in the far corner opens all else. A repeated run then
// solves rows 1-4 of column 1 from the bottom up in three productive passes and a fourth.
struct LadderGame : testing::GameWindow {
    LadderGame() {
        LayMines({"*", "", "", "*"});
        LeftClick(16, 30);
        options.ShowRuleCount = 1;
    }
    std::string TopOfColumn1() const {
        const auto rows = Captions();
        return {rows[0][0], rows[1][0], rows[2][0], rows[3][0]};
    }
};

TEST(Reentrancy, ClosingTheWindowDuringARunEndsItAndNothingTouchesTheWindowAgain) {
    for (auto close : {&frmDravik::mnuExit_Click, &frmDravik::closeBoxClicked}) {
        LadderGame game;
        game.toolkit.Post([&] { (game.form.*close)(); });
        game.form.mnuRule1_Click();
        EXPECT_FALSE(game.form.Loaded());
        EXPECT_EQ(game.TopOfColumn1(), "   @");
        EXPECT_TRUE(game.form.mnuRule1.Checked);  // as the closed window had it

        const auto captions = game.Captions();
        game.LeftClick(2, 1);
        game.form.mnuRule1Once_Click();
        game.form.cmdMultiple_Click();
        game.form.mnuRule2_Click();
        game.form.mnuReplay_Click();
        game.form.mnuAbout_Click();
        EXPECT_EQ(game.Captions(), captions);
        EXPECT_TRUE(game.toolkit.boxes.empty());
        EXPECT_EQ(game.toolkit.yields, 1);
    }
}

// The move completes the board, so only the closed window keeps the win message away.
TEST(Reentrancy, ExitDuringTheRunAfterAMoveSkipsTheWinCheck) {
    for (const bool exit : {false, true}) {
        SCOPED_TRACE(exit ? "exit in the run" : "no exit");
        testing::GameWindow game;
        game.LayMinesAtTop();
        game.MarkMinesAtTop(99);
        game.SetKeepUp(true, true);
        if (exit) {
            game.toolkit.Post([&] { game.form.mnuExit_Click(); });
        }
        game.LeftClick(16, 30);
        EXPECT_EQ(game.toolkit.boxes.size(), exit ? 0u : 1u);
    }
}

// Escape comes together with a move; the move's own keep-up run clears the stop request, so
// the outer run goes on after it.
TEST(Reentrancy, AClickRunsNestedAndItsKeepUpRunClearsAnEarlierEscape) {
    LadderGame game;
    game.SetKeepUp(true, true);
    std::string seenByTheClick;
    game.toolkit.Post([&] {
        game.form.Form_KeyDown(vbKeyEscape, 0);
        game.RightClick(16, 30);  // on an uncovered cell: a move that changes nothing itself
        seenByTheClick = game.TopOfColumn1();
    });
    game.form.mnuRule1_Click();
    EXPECT_EQ(seenByTheClick, "@11@");
    EXPECT_EQ(game.toolkit.BoxTexts(),
              (std::vector<std::string>{"Number of Times rule applied: 3",
                                        "Number of Times rule applied: 2"}));
    // -1 for the outer first pass, +1 for the move, -2 for the nested productive passes.
    EXPECT_EQ(game.board.KeepUpScore, -2);
}

TEST(Reentrancy, ReplayInsideARunEndsItOnAPassWithoutEffect) {
    LadderGame game;
    game.toolkit.Post([&] { game.form.cmdReplay_Click(); });
    game.form.mnuRule1_Click();
    EXPECT_EQ(game.toolkit.BoxTexts(), std::vector<std::string>{"Number of Times rule applied: 2"});
    EXPECT_EQ(game.Captions(), std::vector<std::string>(16, std::string(30, ' ')));
}

// The error trap of the 2-adjacent sweep must not take a closed window for a run-time error,
// nor go on sweeping it.
TEST(Reentrancy, ClosingTheWindowFromAMineAlarmEndsTheSweepWithoutReport) {
    testing::GameWindow game;
    game.LayMines({"", "", std::string(30, '*'), ".....*", "...*"});
    game.Draw(4, 4, {"@  ", " 1 ", " 1 ", "333"});   // opens row 4, where (4,6) is a mine
    game.Draw(11, 4, {"@  ", " 1 ", " 1 ", "333"});  // would open row 11 later
    game.toolkit.onMsgBox = [&](const testing::FakeToolkit::Box&) { game.form.mnuExit_Click(); };
    game.form.mnuRule2_Click();
    EXPECT_FALSE(game.form.Loaded());
    EXPECT_EQ(game.toolkit.BoxTexts(), std::vector<std::string>{"Booom!"});
    EXPECT_EQ(game.Captions()[10].substr(3, 3), "@  ");
}

}  // namespace
}  // namespace dravik
