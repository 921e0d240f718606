// Input that reaches the game late or elsewhere: keys let go while a box has the keyboard,
// releases nested in a follow-up's yield, and a backlog of clicks.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "support/game_fixture.h"

namespace dravik::testing {
namespace {

struct QueuedInput : ::testing::Test, GameWindow {
    void KeepUpExtra() { SetKeepUp(true, true); }
};

// Ctrl (or Shift) goes down before a box or the options dialog opens; the keys held when the
// player is back decide what a plain left click does.
TEST_F(QueuedInput, AClickAfterABoxMarksOnlyWhileShiftOrCtrlIsStillHeld) {
    LayMines({"*"});
    options.ShowRuleCount = 1;
    struct Case {
        std::int16_t key, held, heldAfter;
        bool dialog;
        char expected;
    };
    const Case cases[] = {{vbKeyControl, vbCtrlMask, 0, false, '1'},
                          {vbKeyShift, vbShiftMask, 0, true, '1'},
                          {vbKeyControl, vbCtrlMask, vbCtrlMask, false, '@'},
                          {vbKeyShift, vbShiftMask, vbShiftMask | vbCtrlMask, true, '@'}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "held after: " << c.heldAfter << c.dialog);
        form.mnuReplay_Click();
        LayMines({"*"});
        toolkit.heldShift = c.held;
        form.Form_KeyDown(c.key, c.held);
        toolkit.onMsgBox = [&](const FakeToolkit::Box&) { toolkit.heldShift = c.heldAfter; };
        toolkit.onShowModal = [&](Form&) { toolkit.heldShift = c.heldAfter; };
        c.dialog ? form.mnuOption_Click() : form.mnuRule1_Click();
        LeftClick(2, 2);
        EXPECT_EQ(Cell(2, 2).Caption, std::string(1, c.expected));
    }
}

// The outer right release unmarks (8,8); a left click nested in its follow-up must not make the
// click that follows the right release an uncovering one.
TEST_F(QueuedInput, ALeftClickNestedInARightClickLeavesItARightClick) {
    LayMines({"*"});
    KeepUpExtra();
    RightClick(8, 8);
    toolkit.Post([&] { LeftClick(2, 2); });
    RightClick(8, 8);
    EXPECT_EQ(Cell(8, 8).Caption, "");
    EXPECT_EQ(Cell(2, 2).Caption, "1");
    EXPECT_EQ(board.PlotsLeft, 479);
}

// Each right click runs the rule with a yield; queued, each would start inside the previous one.
TEST_F(QueuedInput, TwentyThousandQueuedRightClicksAllApplyInOrderAtBoundedDepth) {
    KeepUpExtra();
    constexpr int kClicks = 20000;
    std::vector<int> started;
    int depth = 0;
    int deepest = 0;
    for (int k = 0; k < kClicks; ++k) {
        toolkit.Post([&, k] {
            started.push_back(k);
            deepest = std::max(deepest, ++depth);
            RightClick(k % 480 / 30 + 1, k % 30 + 1);
            --depth;
        });
    }
    while (toolkit.RunPending()) {
    }
    EXPECT_EQ(static_cast<int>(started.size()), kClicks);
    EXPECT_TRUE(std::is_sorted(started.begin(), started.end()));
    EXPECT_EQ(deepest, Toolkit::kMaxInputNesting + 1);
    EXPECT_EQ(board.KeepUpScore, kClicks);
    // 20000 = 41 x 480 + 320: the first 320 cells were clicked an even number of times.
    EXPECT_EQ(board.MarkCount, 160);
    EXPECT_EQ(Cell(11, 20).Caption, "");
    EXPECT_EQ(Cell(11, 21).Caption, "@");
}

}  // namespace
}  // namespace dravik::testing
