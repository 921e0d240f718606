#include "rules/obvious_rule.h"

#include <gtest/gtest.h>

#include "support/game_fixture.h"

namespace dravik {
namespace {

struct ObviousRule : ::testing::Test, testing::GameWindow {
    // One scan from "Obvious Riles - Once", scored as in keep-up mode: the points tell what it
    // found (-1 it fired, 0 nothing, 3 it met a mine) however little the board shows it.
    int ScanPoints() {
        const int before = board.KeepUpScore;
        SetKeepUp(true);
        form.mnuRule1Once_Click();
        SetKeepUp(false);
        return board.KeepUpScore - before;
    }

    std::string Column1() const {
        std::string column;
        for (const auto& row : Captions()) {
            column += row[0];
        }
        return column;
    }
    // Mines at (1,1), (4,1), (13,1), (16,1); a click in the far corner opens all else. The
    // lower ladder is solved top-down, with the scan; the upper one bottom-up, against it.
    void OpenTwoLadders() {
        LayMines({"*", "", "", "*", "", "", "", "", "", "", "", "", "*", "", "", "*"});
        LeftClick(16, 30);
    }
};

TEST_F(ObviousRule, FreshBoardFindsNothingAndARunReportsOnePass) {
    EXPECT_EQ(ScanPoints(), 0);
    form.mnuRule1_Click();
    EXPECT_TRUE(toolkit.boxes.empty());  // "Display Count" off
    options.ShowRuleCount = 1;
    form.mnuRule1_Click();
    EXPECT_EQ(toolkit.BoxTexts(), std::vector<std::string>{"Number of Times rule applied: 1"});
}

TEST_F(ObviousRule, OneScanCarriesDeductionsForwardAndLeavesTheRestToTheNext) {
    OpenTwoLadders();
    ASSERT_EQ(Column1(), "    10000001    ");
    EXPECT_EQ(ScanPoints(), -1);
    EXPECT_EQ(Column1(), "   @10000001@11@");
    EXPECT_EQ(ScanPoints(), -1);
    EXPECT_EQ(Column1(), " 11@10000001@11@");
    EXPECT_EQ(ScanPoints(), -1);
    EXPECT_EQ(ScanPoints(), 0);
    EXPECT_EQ(Column1(), "@11@10000001@11@");
    EXPECT_EQ(form.txtMines.Text, "095");
}

TEST_F(ObviousRule, SkipsASatisfiedNumberWithoutCoveredNeighbours) {
    LayMines({"*"});
    LeftClick(16, 30);
    RightClick(1, 1);  // the three "1"s around it see nothing covered
    EXPECT_EQ(ScanPoints(), 0);
}

// The caption decides the marking test and the mine grid the uncovering test. This "2" claims
// a second mine where the grid has none, so both would hold: marking comes first.
TEST_F(ObviousRule, MarksWhenCoveredPlusMarksEqualNumberBeforeTryingToUncover) {
    LayMines({".*"});
    Show(R"(mines 98
            2 !
            0 .)");
    EXPECT_EQ(ScanPoints(), -1);
    EXPECT_EQ(Corner(2, 2), Picture(R"(mines 97
                                       2 !
                                       0 !)"));
}

TEST_F(ObviousRule, AWrongMarkMakesTheScanOpenAMineAndStopAtOnce) {
    LayMines({"", ".*"});
    Draw(1, 1, {"1@", "0"});             // the mark is wrong; the mine is (2,2)
    Draw(10, 10, {"000", "010", "00"});  // a "1" whose only covered neighbour is (12,12)
    EXPECT_EQ(ScanPoints(), 3);
    EXPECT_EQ(Cell(2, 2).Caption, "@");
    EXPECT_EQ(toolkit.BoxTexts(), std::vector<std::string>{"Booom!"});
    EXPECT_EQ(Cell(12, 12).Caption, "");  // not reached, though it would have fired:
    EXPECT_EQ(ScanPoints(), -1);
    EXPECT_EQ(Cell(12, 12).Caption, "@");
}

TEST_F(ObviousRule, Rule1AndMultiCheckForWinButTheMenuItemsDoNot) {
    LayMinesAtTop();
    LeftClick(16, 30);
    MarkMinesAtTop(99);
    ASSERT_EQ(toolkit.boxes.size(), 1u);  // the board is complete
    const std::string win = toolkit.boxes[0].text;
    form.mnuRule1Once_Click();
    form.mnuRule1_Click();
    EXPECT_EQ(toolkit.boxes.size(), 1u);
    form.mnuRule1_Once_Click();
    form.cmdMultiple_Click();
    EXPECT_EQ(toolkit.BoxTexts(), (std::vector<std::string>{win, win, win}));
}

TEST_F(ObviousRule, EscapeEndsARunAfterItsPassWithoutCountAndStaysSet) {
    OpenTwoLadders();
    options.ShowRuleCount = 1;
    toolkit.Post([&] { form.Form_KeyDown(vbKeyEscape, 0); });
    form.mnuRule1_Click();
    EXPECT_EQ(Column1().substr(0, 4), "   @");
    EXPECT_TRUE(toolkit.boxes.empty());
    EXPECT_EQ(board.StopFlag, kTrue);

    form.mnuRule1_Click();  // a new run clears it and goes to the end
    EXPECT_EQ(board.StopFlag, kFalse);
    EXPECT_EQ(toolkit.BoxTexts(), std::vector<std::string>{"Number of Times rule applied: 3"});
}

TEST_F(ObviousRule, ARunChecksItsMenuItemAndDisablesMultiWhileItLasts) {
    OpenTwoLadders();
    options.ShowRuleCount = 1;
    bool checkedInside = false;
    bool enabledInside = true;
    toolkit.Post([&] {
        checkedInside = form.mnuRule1.Checked;
        enabledInside = form.cmdMultiple.Enabled;
        form.mnuRule1_Click();  // ignored: a second run would report a count of its own
    });
    form.mnuRule1_Click();
    EXPECT_TRUE(checkedInside);
    EXPECT_FALSE(enabledInside);
    EXPECT_FALSE(form.mnuRule1.Checked);
    EXPECT_TRUE(form.cmdMultiple.Enabled);
    EXPECT_EQ(toolkit.BoxTexts(), std::vector<std::string>{"Number of Times rule applied: 4"});
}

}  // namespace
}  // namespace dravik
