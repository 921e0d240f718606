#include "rules/keep_up.h"

#include <gtest/gtest.h>

#include "support/game_fixture.h"

namespace dravik {
namespace {

// Mines at (1,1) and (4,1). A click in the far corner opens all but rows 1-4 of column 1,
// which the rule then solves from the bottom up, one step per scan: mark (4,1); open (2,1)
// and (3,1); mark (1,1). A fourth scan finds nothing.
struct LadderGame : testing::GameWindow {
    LadderGame() { LayMines({"*", "", "", "*"}); }
    const std::string& Label() const { return form.lblKeepUp.Caption; }
};
struct KeepUpMode : ::testing::Test, LadderGame {};

// The score stops at the ends of 16 bits, and the label shows the far end without overflow.
TEST(KeepUpLabel, StopsAtSixteenBitsAtBothEnds) {
    LadderGame game;
    game.LeftClick(16, 30);
    game.SetKeepUp(true, false);
    game.board.KeepUpScore = -32767;
    for (int pass = 0; pass < 2; ++pass) {  // two productive passes, one point each
        game.form.mnuRule1Once_Click();
        EXPECT_EQ(game.Label(), "32768 Ahead");
    }
    game.board.KeepUpScore = 32766;
    game.LeftClick(1, 1);  // a mine hit: three points
    EXPECT_EQ(game.Label(), "32767 Behind");
    EXPECT_EQ(game.board.KeepUpScore, 32767);
}

TEST_F(KeepUpMode, CheckBoxShowsLabelAndExtraWithoutRewritingEither) {
    options.ShowRuleCount = 1;
    form.chkExtra.Value = kChecked;  // ticked while hidden
    form.chkExtra_Click();
    form.chkKeepUp.Value = kChecked;
    form.chkKeepUp_Click();
    EXPECT_TRUE(form.lblKeepUp.Visible && form.chkExtra.Visible);
    EXPECT_EQ(Label(), "");  // first written when the score moves

    LeftClick(16, 30);  // +1 for the move, -1 for each of three productive passes
    EXPECT_EQ(Label(), "2 Ahead");
    EXPECT_EQ(toolkit.BoxTexts(), std::vector<std::string>{"Number of Times rule applied: 4"});

    SetKeepUp(false, true);
    EXPECT_FALSE(form.lblKeepUp.Visible || form.chkExtra.Visible);
    SetKeepUp(true, true);
    EXPECT_EQ(Label(), "2 Ahead");
    EXPECT_EQ(board.KeepUpScore, -2);
}

TEST_F(KeepUpMode, WithoutExtraAMoveScoresOnlyWhenTheScanAfterItFindsNothing) {
    SetKeepUp(true, false);
    LeftClick(16, 30);   // each move's scan takes one step up the ladder
    RightClick(16, 30);  // on an uncovered cell: a move that changes nothing itself
    RightClick(16, 30);
    EXPECT_EQ(Captions()[0][0], '@');
    EXPECT_EQ(Label(), "");
    RightClick(16, 30);
    EXPECT_EQ(Label(), "1 Behind");
}

// A wrong mark on (3,1) makes the "1" at (2,2) open its neighbours, the mine (1,1) among them.
TEST(KeepUpAfterMove, ScanThatHitsAMineScoresOnlyWithExtra) {
    for (const bool extra : {false, true}) {
        SCOPED_TRACE(extra ? "with Extra" : "without Extra");
        LadderGame game;
        game.LeftClick(16, 30);
        game.SetKeepUp(true, extra);
        // With Extra the move's point is on show before the run's first pass.
        std::string labelAtBox;
        game.toolkit.onMsgBox = [&](const auto&) { labelAtBox = game.Label(); };
        game.RightClick(3, 1);
        EXPECT_EQ(game.toolkit.BoxTexts(), std::vector<std::string>{"Booom!"});
        EXPECT_EQ(labelAtBox, extra ? "1 Behind" : "");
        EXPECT_EQ(game.board.KeepUpScore, extra ? 1 + 3 : 0);
    }
}

TEST_F(KeepUpMode, ARuleScanTakesOnePointHoweverManyCellsFire) {
    LayMines({"*", "", "", "*", "", "", "", "", "", "", "", "", "*", "", "", "*"});
    LeftClick(16, 30);
    SetKeepUp(true, false);
    form.mnuRule1Once_Click();  // fires at five cells, four of them in a ladder at the bottom
    EXPECT_EQ(Label(), "1 Ahead");
}

TEST_F(KeepUpMode, RulesNeverScoreWithKeepUpOff) {
    LeftClick(16, 30);
    SetKeepUp(false, true);
    form.mnuRule1Once_Click();
    form.mnuRule1_Once_Click();
    form.cmdMultiple_Click();
    form.mnuRule2_Click();
    RightClick(16, 30);
    EXPECT_EQ(Captions()[0][0], '@');  // the rules did their work
    EXPECT_EQ(board.KeepUpScore, 0);
    EXPECT_EQ(Label(), "");
}

// The last mine at the top, left unmarked, completes the board when it is hit.
TEST(KeepUpMineHit, ScoresThreeWithoutFollowUpOrWinCheck) {
    for (const bool keepUp : {false, true}) {
        SCOPED_TRACE(keepUp ? "keep-up on" : "keep-up off");
        testing::GameWindow game;
        game.LayMinesAtTop();
        game.LeftClick(16, 30);
        game.MarkMinesAtTop(98);
        game.SetKeepUp(keepUp, true);  // with Extra a follow-up would add 1
        game.toolkit.boxes.clear();
        game.LeftClick(4, 9);
        EXPECT_EQ(game.Cell(4, 9).Caption, "@");
        EXPECT_EQ(game.toolkit.boxes.size(), keepUp ? 1u : 2u);  // "Booom!", the win message
        EXPECT_EQ(game.board.KeepUpScore, keepUp ? 3 : 0);
    }
}

}  // namespace
}  // namespace dravik
