#include <functional>

#include <gtest/gtest.h>

#include "support/game_fixture.h"

namespace dravik {
namespace {

struct Options : ::testing::Test, testing::GameWindow {
    // Opens the dialog from the menu; `visit` is what the player does while it is shown. A
    // dialog that never showed would skip every check inside the visit.
    void Open(std::function<void(frmOptions&)> visit) {
        int shown = 0;
        toolkit.onShowModal = [this, visit, &shown](Form&) {
            ++shown;
            visit(*form.OptionsForm());
        };
        form.mnuOption_Click();
        toolkit.onShowModal = nullptr;
        EXPECT_EQ(shown, 1) << "the options dialog was not shown once";
    }
    // The "Hitting a Mine?" button and the "Display Count" tick the dialog opens on.
    std::pair<int, int> Shown() {
        std::pair<int, int> shown;
        Open([&](frmOptions& dialog) {
            shown = {frmOptions::choice(dialog.opthitMine, 3), dialog.chkMultiCnt.Value};
        });
        return shown;
    }
};

TEST_F(Options, OnlyOkAndApplyStoreTheChoiceAndEveryWayOutCloses) {
    struct Visit {
        void (frmOptions::*leave)();
        int pick;
        int tick;
        bool stores;
    };
    const Visit visits[] = {{&frmOptions::cmdCancel_Click, 0, 1, false},
                            {&frmOptions::closeBoxClicked, 2, 1, false},
                            {&frmOptions::cmdApply_Click, 0, 1, true},
                            {&frmOptions::cmdCancel_Click, 2, 0, false},
                            {&frmOptions::cmdOK_Click, 2, 0, true}};
    std::pair<int, int> stored{1, 0};
    EXPECT_EQ(Shown(), stored);
    for (const Visit& visit : visits) {
        bool closed = false;
        Open([&](frmOptions& dialog) {
            SelectOption(dialog.opthitMine, static_cast<std::size_t>(visit.pick));
            dialog.chkMultiCnt.Value = static_cast<std::int16_t>(visit.tick);
            (dialog.*visit.leave)();
            closed = !dialog.Loaded();
        });
        EXPECT_TRUE(closed);
        if (visit.stores) {
            stored = {visit.pick, visit.tick};
        }
        EXPECT_EQ((std::pair<int, int>{options.HitMineOption, options.ShowRuleCount}), stored);
        EXPECT_EQ(Shown(), stored);  // never the clicks of a cancelled visit
    }
}

TEST_F(Options, OnlyTheFirstSweepCanBeChosen) {
    Open([](frmOptions& dialog) {
        EXPECT_TRUE(dialog.optSweep[0].Value && dialog.optSweep[0].Enabled);
        EXPECT_FALSE(dialog.optSweep[1].Enabled || dialog.optSweep[2].Enabled);
    });
}

TEST(OptionsChoice, IsTheFirstSelectedButtonBelowTheLimit) {
    std::array<OptionButton, 3> group{};
    EXPECT_EQ(frmOptions::choice(group, 3), -1);
    group[2].Value = true;
    EXPECT_EQ(frmOptions::choice(group, 2), -1);  // index 2 is not looked at
    EXPECT_EQ(frmOptions::choice(group, 3), 2);
    group[0].Value = true;
    EXPECT_EQ(frmOptions::choice(group, 3), 0);
    EXPECT_EQ(frmOptions::choice(group, 0), -1);
}

TEST_F(Options, EndOfGameBeepsOnAMineAndPlayGoesOn) {
    Open([](frmOptions& dialog) {
        SelectOption(dialog.opthitMine, 2);
        dialog.cmdOK_Click();
    });
    LayMines({"*"});
    LeftClick(1, 1);
    EXPECT_EQ(toolkit.beeps, 1);
    EXPECT_TRUE(toolkit.boxes.empty());
    EXPECT_EQ(Cell(1, 1).Caption, "@");
    LeftClick(16, 30);
    EXPECT_EQ(Cell(16, 30).Caption, "0");
}

}  // namespace
}  // namespace dravik
