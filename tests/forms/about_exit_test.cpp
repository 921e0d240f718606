#include <gtest/gtest.h>

#include <string>

#include "support/game_fixture.h"
#include "version.h"

namespace dravik {
namespace {

using testing::GameWindow;

TEST(About, ShowsNameAndVersionInAPlainBoxAndExitUnloads) {
    GameWindow game;
    game.form.mnuAbout_Click();
    ASSERT_EQ(game.toolkit.boxes.size(), 1u);
    // The build's version with a sign's space before each number: "Version  2. 1. 7" for 2.1.7.
    EXPECT_EQ(game.toolkit.boxes[0].text, "Dravik II.\rVersion  " + std::to_string(kVersionMajor) +
                                              ". " + std::to_string(kVersionMinor) + ". " +
                                              std::to_string(kVersionRevision));
    EXPECT_EQ(game.toolkit.boxes[0].style, vbOKOnly);
    EXPECT_EQ(game.toolkit.boxes[0].title, "DRAVIK");
    game.form.mnuExit_Click();
    EXPECT_EQ(game.toolkit.unloaded, std::vector<const Form*>{&game.form});
    EXPECT_EQ(game.toolkit.boxes.size(), 1u);  // no question asked
}

// Escape is a stop request for a rule run; it must not end the game the next time the window
// is activated, as it is when the options dialog closes.
TEST(Activation, EscapeDoesNotCloseTheWindowWhenTheOptionsDialogCloses) {
    GameWindow game;
    game.form.Form_KeyDown(vbKeyEscape, 0);
    game.form.mnuOption_Click();
    game.form.Form_Activate();
    EXPECT_TRUE(game.form.Loaded());
    EXPECT_EQ(game.board.StopFlag, kTrue);
}

TEST(Activation, CancelledStartClosesTheWindowAtItsFirstActivation) {
    testing::FakeToolkit toolkit;
    toolkit.answers.push_back(vbCancel);
    ModDravik options;
    frmDravik form(toolkit, options);
    form.Load();
    EXPECT_EQ(form.cmdMine.size(), 1u);
    EXPECT_TRUE(form.Loaded());
    form.Form_Activate();
    EXPECT_FALSE(form.Loaded());
    EXPECT_EQ(toolkit.BoxTexts(), std::vector<std::string>{"Large Screen?"});
}

}  // namespace
}  // namespace dravik
