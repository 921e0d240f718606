#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/game_fixture.h"
#include "toolkit/palette.h"
#include "toolkit/text.h"

namespace dravik::testing {
namespace {

const char* const kWinText = "You've cleared all of the mines. Well Done! A medal is on its way.";

class CellClicks : public ::testing::Test, public GameWindow {
  protected:
    // The first five rows and columns of Captions().
    std::vector<std::string> Corner() const {
        std::vector<std::string> rows = Captions();
        rows.resize(5);
        for (auto& row : rows) {
            row.resize(5);
        }
        return rows;
    }
    // A ring of mines with two more inside; (3,3) shows 2 and none of its neighbours is empty.
    void LayRing() {
        LayMines({"*****",  //
                  "**  *",  //
                  "*   *",  //
                  "*  **",  //
                  "*****"});
    }
};

TEST_F(CellClicks, RightReleaseMarksAndUnmarksAndTheClickAfterItDoesNothing) {
    LayMines({"", "", "", "", "    *"});
    RightClick(5, 5);
    EXPECT_EQ(Cell(5, 5).Caption, "@");
    EXPECT_EQ(Cell(5, 5).BackColor, PaletteColour(13));
    EXPECT_EQ(form.txtMines.Text, "098");
    EXPECT_EQ(form.txtPlots.Text, "479");
    RightClick(5, 5);
    EXPECT_EQ(Cell(5, 5).Caption, "");
    EXPECT_EQ(Cell(5, 5).BackColor, kButtonFace);
    EXPECT_EQ(form.txtMines.Text, "099");
    EXPECT_EQ(form.txtPlots.Text, "480");

    // In marking mode a click that acted after the release would take the mark off again.
    form.Form_KeyDown(vbKeyShift, vbShiftMask);
    RightClick(5, 5);
    EXPECT_EQ(Cell(5, 5).Caption, "@");
    EXPECT_TRUE(toolkit.boxes.empty());
}

TEST_F(CellClicks, LeftClickOnACoveredMineAlarmsBeforeMarkingIt) {
    LayMines({"", "", "", "", "    *"});
    std::string captionDuringAlarm = "unset";
    toolkit.onMsgBox = [&](const FakeToolkit::Box&) { captionDuringAlarm = Cell(5, 5).Caption; };
    LeftClick(5, 5);
    EXPECT_EQ(toolkit.BoxTexts(), std::vector<std::string>{"Booom!"});
    EXPECT_EQ(captionDuringAlarm, "");
    EXPECT_EQ(Cell(5, 5).Caption, "@");
    EXPECT_EQ(Cell(5, 5).BackColor, PaletteColour(12));
    EXPECT_EQ(board.MarkCount, 1);
    EXPECT_EQ(board.PlotsLeft, 479);
}

TEST_F(CellClicks, ChordUncoversEveryNeighbourOnceMarksEqualTheMines) {
    LayRing();
    LeftClick(3, 3);
    RightClick(2, 2);
    RightClick(4, 4);
    LeftClick(3, 3);
    EXPECT_EQ(Corner(), (std::vector<std::string>{"     ",  //
                                                  " @45 ",  //
                                                  " 424 ",  //
                                                  " 54@ ",  //
                                                  "     "}));
    EXPECT_EQ(board.PlotsLeft, 480 - 7 - 2);
    EXPECT_TRUE(toolkit.boxes.empty());
}

TEST_F(CellClicks, NumberClickMarksAllWhenCoveredPlusMarksEqualTheNumber) {
    LayRing();
    LeftClick(3, 3);
    LeftClick(3, 3);  // eight covered neighbours for a 2: nothing to do
    EXPECT_EQ(board.MarkCount, 0);

    for (const auto& [row, col] : {std::pair{2, 3}, {2, 4}, {3, 2}, {3, 4}, {4, 2}, {4, 3}}) {
        LeftClick(row, col);
    }
    RightClick(2, 2);
    LeftClick(3, 3);  // one mark and one covered cell make the 2
    EXPECT_EQ(Cell(4, 4).Caption, "@");
    EXPECT_EQ(Cell(4, 4).BackColor, PaletteColour(12));
    EXPECT_EQ(Cell(2, 2).BackColor, PaletteColour(13));
    EXPECT_EQ(board.MarkCount, 2);
    EXPECT_TRUE(toolkit.boxes.empty());
}

TEST_F(CellClicks, IdleClicksRunOnlyTheWinTest) {
    LayMinesAtTop();
    MarkMinesAtTop(99);
    LeftClick(16, 30);  // floods every safe cell
    EXPECT_EQ(toolkit.BoxTexts(), std::vector<std::string>{kWinText});

    toolkit.boxes.clear();
    LeftClick(10, 10);  // "0"
    LeftClick(4, 10);   // a satisfied number without covered neighbours
    LeftClick(1, 1);    // a marked mine
    RightClick(10, 10);
    EXPECT_EQ(toolkit.boxes.size(), 4u);
    EXPECT_EQ(Cell(10, 10).Caption, "0");

    // In keep-up mode an idle click is no turn at all; a right release still is.
    SetKeepUp(true);
    toolkit.boxes.clear();
    LeftClick(10, 10);
    LeftClick(4, 10);
    LeftClick(1, 1);
    EXPECT_TRUE(toolkit.boxes.empty());
    EXPECT_EQ(board.KeepUpScore, 0);
    RightClick(10, 10);
    EXPECT_EQ(board.KeepUpScore, 1);
    EXPECT_EQ(toolkit.BoxTexts(), std::vector<std::string>{kWinText});
}

TEST_F(CellClicks, ShiftOrCtrlAloneHoldsMarkingModeAndAnyReleaseEndsIt) {
    form.Form_KeyDown(vbKeyShift, vbShiftMask);
    EXPECT_EQ(board.KeyHeld, kTrue);
    form.Form_KeyUp(vbKeyShift, 0);
    EXPECT_EQ(board.KeyHeld, kFalse);

    form.Form_KeyDown(vbKeyControl, vbCtrlMask);
    form.Form_KeyDown(vbKeyShift, vbShiftMask | vbCtrlMask);
    EXPECT_EQ(board.KeyHeld, kTrue);
    form.Form_KeyUp(vbKeyControl, vbShiftMask);  // Shift is still down
    EXPECT_EQ(board.KeyHeld, kFalse);

    form.Form_KeyDown(vbKeyShift, vbShiftMask);
    form.Form_KeyDown(vbKeyControl, vbShiftMask | vbCtrlMask);
    form.Form_KeyUp(vbKeyShift, vbCtrlMask);
    EXPECT_EQ(board.KeyHeld, kFalse);

    form.Form_KeyDown(vbKeyShift, vbShiftMask);
    form.Form_KeyUp('A', vbShiftMask);
    EXPECT_EQ(board.KeyHeld, kFalse);

    // Both together, or with Alt, is no marking mode.
    form.Form_KeyDown(vbKeyShift, vbShiftMask | vbCtrlMask);
    form.Form_KeyDown(vbKeyShift, vbShiftMask | vbAltMask);
    EXPECT_EQ(board.KeyHeld, kFalse);
}

TEST_F(CellClicks, LeftClicksOnMarksDoNothingUnlessInMarkingMode) {
    LayMines({"", "", "", "", "    *"});
    RightClick(5, 5);
    RightClick(6, 6);
    LeftClick(5, 5);  // a marked mine
    LeftClick(6, 6);  // a wrong mark
    EXPECT_EQ(board.MarkCount, 2);

    form.Form_KeyDown(vbKeyControl, vbCtrlMask);
    LeftClick(6, 6);
    LeftClick(7, 7);
    EXPECT_EQ(Cell(6, 6).Caption, "");
    EXPECT_EQ(Cell(7, 7).Caption, "@");
    EXPECT_EQ(Cell(7, 7).BackColor, PaletteColour(13));
    EXPECT_EQ(board.MarkCount, 2);
    EXPECT_TRUE(toolkit.boxes.empty());
}

TEST_F(CellClicks, MiddleReleaseCancelsTheClickAndLeftPlusRightCountsAsRight) {
    LayMines({});
    const std::int16_t cell = Index(3, 3);
    form.cmdMine_MouseUp(cell, vbLeftButton, 0, 0, 0);
    form.cmdMine_MouseUp(cell, vbMiddleButton, 0, 0, 0);
    form.cmdMine_Click(cell);
    EXPECT_EQ(board.MouseButton, 0);
    EXPECT_EQ(board.PlotsLeft, 480);

    form.cmdMine_MouseUp(cell, vbLeftButton | vbRightButton, 0, 0, 0);
    form.cmdMine_Click(cell);
    EXPECT_EQ(board.MouseButton, vbRightButton);
    EXPECT_EQ(Cell(3, 3).Caption, "@");
}

TEST_F(CellClicks, EscapeRequestsAStopWithoutClosingTheWindow) {
    form.Form_KeyDown(vbKeyEscape, 0);
    EXPECT_EQ(board.StopFlag, kTrue);
    EXPECT_EQ(board.KeyHeld, kFalse);
    form.Form_Activate();
    EXPECT_TRUE(form.Loaded());
    EXPECT_TRUE(toolkit.unloaded.empty());
}

}  // namespace
}  // namespace dravik::testing
