#include "rules/strong_rules.h"

#include <gtest/gtest.h>

#include "support/game_fixture.h"

namespace dravik {
namespace {

// Mines at (1,1) and (4,1); a click in the far corner opens all but rows 1-4 of column 1. The
// obvious rule needs three productive scans for the rest; complete logic sees it all at once.
struct Ladder : ::testing::Test, testing::GameWindow {
    Ladder() {
        Lay();
        options.ShowRuleCount = 1;
    }
    // The counter must agree with the grid: complete logic counts the mines left.
    void Lay() {
        LayMines({"*", "", "", "*"});
        board.MineCount = 2;
        board.ShowMineCounter();
    }
    bool Solved() const {
        return Cell(1, 1).Caption == "@" && Cell(4, 1).Caption == "@" &&
               Cell(2, 1).Caption == "1" && Cell(3, 1).Caption == "1";
    }
};

// The menu's texts are the Qt window's test; here, that the tick moves and outlasts a game.
TEST_F(Ladder, TheOpponentTickedStaysTickedInANewGame) {
    EXPECT_TRUE(form.mnuOpponent[0].Checked);
    form.mnuOpponent_Click(2);
    form.mnuReplay_Click();  // the choice outlasts a game
    EXPECT_FALSE(form.mnuOpponent[0].Checked || form.mnuOpponent[1].Checked);
    EXPECT_TRUE(form.mnuOpponent[2].Checked);
}

// Both runs solve the ladder, count their passes (the last one changed nothing), keep their
// item checked and "Multi" disabled while they last, refuse a second run meanwhile and check for
// the win afterwards.
TEST_F(Ladder, PairsAndCompleteRunsGuardThemselvesCountTheirPassesAndSolveTheLadder) {
    for (const bool complete : {false, true}) {
        form.mnuReplay_Click();
        Lay();
        LeftClick(16, 30);
        toolkit.boxes.clear();
        MenuItem& item = complete ? form.mnuCompleteLogic : form.mnuPairsRule;
        int guardedYields = 0;
        toolkit.Post([&] {
            guardedYields += item.Checked && !form.cmdMultiple.Enabled ? 1 : 0;
            form.mnuRule1_Click();  // refused while the run lasts
            form.mnuPairsRule_Click();
            form.mnuCompleteLogic_Click();
        });
        complete ? form.mnuCompleteLogic_Click() : form.mnuPairsRule_Click();
        EXPECT_TRUE(Solved());
        EXPECT_EQ(guardedYields, 1);
        EXPECT_FALSE(item.Checked || form.mnuRule1.Checked);
        EXPECT_TRUE(form.cmdMultiple.Enabled);
        ASSERT_EQ(toolkit.boxes.size(), 2u) << "a count and the win";
        EXPECT_EQ(toolkit.boxes[0].text, "Number of Times rule applied: 2");
        EXPECT_EQ(toolkit.boxes[1].title, "Dravik 2000 - General's report.");
    }
}

TEST_F(Ladder, EscapeStopsTheRunAfterTheCurrentPassWithoutACount) {
    LeftClick(16, 30);
    toolkit.Post([&] { form.Form_KeyDown(vbKeyEscape, 0); });
    form.mnuCompleteLogic_Click();
    EXPECT_EQ(toolkit.yields, 1);
    EXPECT_TRUE(Solved());
    ASSERT_EQ(toolkit.boxes.size(), 1u);  // no count, only the win
    EXPECT_EQ(toolkit.boxes[0].title, "Dravik 2000 - General's report.");
}

// The rules trust marks as the obvious rule does: a mark on (2,1) makes (4,1) look safe.
TEST_F(Ladder, AMineUncoveredOnAWrongMarkSoundsTheAlarmAndEndsTheRun) {
    LeftClick(16, 30);
    RightClick(2, 1);
    RightClick(3, 1);
    toolkit.boxes.clear();
    SetKeepUp(true, false);
    const auto score = board.KeepUpScore;
    form.mnuPairsRule_Click();
    EXPECT_EQ(toolkit.BoxTexts(),
              (std::vector<std::string>{"Booom!", "Number of Times rule applied: 1"}));
    EXPECT_EQ(board.KeepUpScore, score + 3);
}

// The ticked opponent answers each move: without "Extra" one pass, +1 only when it found
// nothing; with "Extra" +1 and a run whose productive passes count -1 each.
TEST_F(Ladder, TheTickedOpponentAnswersMovesInKeepUpMode) {
    struct Case {
        Int16 opponent;
        bool extra;
        int score;
        bool solved;
    };
    const Case cases[] = {{0, false, 0, false},
                          {2, false, 0, true},
                          {2, true, 0, true},
                          {1, true, 0, true},
                          {0, true, -2, true}};
    for (const Case& c : cases) {
        form.mnuReplay_Click();
        Lay();
        form.mnuOpponent_Click(c.opponent);
        SetKeepUp(true, c.extra);
        LeftClick(16, 30);
        EXPECT_EQ(board.KeepUpScore, c.score) << c.opponent << c.extra;
        EXPECT_EQ(Solved(), c.solved) << c.opponent << c.extra;
    }
}

}  // namespace
}  // namespace dravik
