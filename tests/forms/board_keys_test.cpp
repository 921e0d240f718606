#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/game_fixture.h"

namespace dravik::testing {
namespace {

// Two games on the same mines, one played with the mouse and one with the keys alone: every
// key move must leave the board, the counters and the boxes exactly as the mouse move does.
class BoardKeys : public ::testing::Test {
  protected:
    GameWindow mouse;
    GameWindow keys;

    void Press(std::int16_t key, std::int16_t shift) {
        keys.form.Form_KeyDown(key, shift);  // the window previews every key
        keys.form.cmdMine_KeyDown(key, shift);
        keys.form.Form_KeyUp(key, shift);
    }
    // Walks the cursor to a cell by the shortest keys: Home or End and Page Up or Page Down
    // when they get nearer, arrows for the rest.
    void WalkTo(int row, int col) {
        const BoardCursor& c = keys.form.Cursor;
        if (col == 1 || col == 30) {
            Press(col == 1 ? vbKeyHome : vbKeyEnd, 0);
        }
        if (row == 1 || row == 16) {
            Press(row == 1 ? vbKeyPageUp : vbKeyPageDown, 0);
        }
        while (c.Row() != row || c.Col() != col) {
            Press(c.Row() < row   ? vbKeyDown
                  : c.Row() > row ? vbKeyUp
                  : c.Col() < col ? vbKeyRight
                                  : vbKeyLeft,
                  0);
        }
    }
    void Hold(GameWindow& game, std::int16_t modifier, bool down) {
        const std::int16_t key = modifier == vbShiftMask ? vbKeyShift : vbKeyControl;
        down ? game.form.Form_KeyDown(key, modifier) : game.form.Form_KeyUp(key, 0);
    }
};

TEST_F(BoardKeys, EveryKeyMoveIsTheMouseMoveOnTheCursorCell) {
    std::mt19937 random(2026);
    std::vector<std::string> mines(16, std::string(30, ' '));
    for (int placed = 0; placed < 70;) {
        char& cell = mines[random() % 16][random() % 30];
        placed += cell == ' ' ? 1 : 0;
        cell = '*';
    }
    mouse.LayMines(mines);
    keys.LayMines(mines);
    keys.form.cmdMine_GotFocus();
    int moves = 0;
    for (; moves < 400 && mouse.toolkit.boxes.size() < 40; ++moves) {
        const int row = 1 + static_cast<int>(random() % 16);
        const int col = 1 + static_cast<int>(random() % 30);
        WalkTo(row, col);
        ASSERT_EQ(keys.form.Cursor.Index(30), keys.Index(row, col));
        switch (random() % 5) {
            case 0:
                mouse.RightClick(row, col);
                Press(vbKeyM, 0);
                break;
            case 1:
            case 2: {
                const std::int16_t modifier = random() % 2 == 0 ? vbShiftMask : vbCtrlMask;
                Hold(mouse, modifier, true);
                Hold(keys, modifier, true);
                mouse.LeftClick(row, col);
                Press(vbKeySpace, modifier);
                Hold(mouse, modifier, false);
                Hold(keys, modifier, false);
                break;
            }
            default:
                mouse.LeftClick(row, col);
                Press(random() % 2 == 0 ? vbKeySpace : vbKeyReturn, 0);
                break;
        }
        ASSERT_EQ(keys.Captions(), mouse.Captions()) << "after move " << moves;
        ASSERT_EQ(keys.form.txtMines.Text, mouse.form.txtMines.Text);
        ASSERT_EQ(keys.form.txtPlots.Text, mouse.form.txtPlots.Text);
        ASSERT_EQ(keys.toolkit.BoxTexts(), mouse.toolkit.BoxTexts());
    }
    EXPECT_GT(moves, 20);
    EXPECT_FALSE(mouse.toolkit.boxes.empty());  // some mine was hit along the way
}

TEST_F(BoardKeys, KeysActOnlyWhileTheBoardHasTheFocusAndTheCursorKeepsItsCell) {
    Press(vbKeyRight, 0);
    Press(vbKeySpace, 0);
    EXPECT_EQ(keys.form.Cursor.Index(30), 0);
    EXPECT_EQ(keys.Captions(), mouse.Captions());

    keys.form.cmdMine_GotFocus();
    WalkTo(2, 2);
    keys.form.cmdMine_LostFocus();
    keys.form.cmdReplay_Click();
    keys.form.cmdMine_GotFocus();
    Press(vbKeyM, vbCtrlMask);  // the repeated rule's shortcut, not a mark
    EXPECT_EQ(keys.Cell(2, 2).Caption, "");
    Press(vbKeyM, vbShiftMask);
    EXPECT_EQ(keys.Cell(2, 2).Caption, "@");

    // A click moves the cursor only while the board has the focus.
    keys.RightClick(5, 7);
    keys.form.cmdMine_LostFocus();
    keys.LeftClick(9, 9);
    EXPECT_EQ(keys.form.Cursor.Index(30), keys.Index(5, 7));
}

}  // namespace
}  // namespace dravik::testing
