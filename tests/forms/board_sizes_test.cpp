#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "support/game_fixture.h"

namespace dravik::testing {
namespace {

struct Level {
    const char* name;
    void (frmDravik::*choose)();
    BoardSize size;
};

const Level kLevels[] = {
    {"Beginner", &frmDravik::mnuBeginner_Click, kBeginner},
    {"Intermediate", &frmDravik::mnuIntermediate_Click, kIntermediate},
    {"Expert", &frmDravik::mnuExpert_Click, kExpert},
};

// The ticks of the size items, Beginner to Custom.
std::vector<bool> SizeTicks(const frmDravik& f) {
    return {f.mnuBeginner.Checked, f.mnuIntermediate.Checked, f.mnuExpert.Checked,
            f.mnuCustom.Checked};
}

int MinesLaid(const Board& board) {
    int mines = 0;
    for (int row = 1; row <= board.Rows; ++row) {
        for (int col = 1; col <= board.Cols; ++col) {
            mines += board.MineGrid(row, col);
        }
    }
    return mines;
}

// Whatever the size, at both cell sizes: the grid's margins are those of the Expert board, the
// panel never narrower than the strip of controls (a narrower grid centred in it), every cell
// where its row and column put it, the counters full, and exactly the mines asked for.
TEST(BoardSizes, EveryLevelAndCustomBoardIsLaidOutAsTheExpertBoardIs) {
    const BoardSize custom{60, 40, 480};
    for (const bool large : {false, true}) {
        for (const BoardSize& size : {kBeginner, kIntermediate, kExpert, custom}) {
            SCOPED_TRACE(std::to_string(size.Cols) + "x" + std::to_string(size.Rows) +
                         (large ? " large" : " normal"));
            BareGame game;
            game.plain.SetLayout(large ? 1 : 0, size);
            game.plain.BuildBoard();
            const Board& b = game.plain;
            const int cell = large ? 383 : 255;
            const int gridWidth = 60 + size.Cols * cell;
            const int margin = large ? 150 : 195;
            const Frame& panel = game.panel;
            EXPECT_EQ(b.CellSize, cell);
            EXPECT_EQ(panel.Height, 120 + size.Rows * cell + (large ? 152 : 165));
            EXPECT_EQ(panel.Width, std::max(gridWidth + margin, 7905));
            EXPECT_EQ(game.window.Width - panel.Width, large ? 150 : 180);
            EXPECT_EQ(game.window.Height - panel.Height, large ? 1400 : 1350);
            const int left = b.cmdMine.front().Left;
            EXPECT_EQ(left, 60 + (panel.Width - gridWidth - margin) / 2);
            ASSERT_EQ(b.cmdMine.size(), static_cast<std::size_t>(size.Cols * size.Rows));
            const Label& last = b.cmdMine.back();
            EXPECT_EQ(last.Left, left + (size.Cols - 1) * cell);
            EXPECT_EQ(last.Top, 120 + (size.Rows - 1) * cell);
            EXPECT_FALSE(b.NeedsBuilding());
            const std::string plots = std::to_string(size.Cols * size.Rows);
            EXPECT_EQ(b.txtPlots.Text, plots.size() < 3 ? "0" + plots : plots);
            EXPECT_EQ(b.txtMines.Text, (size.Cols * size.Rows >= 1000 ? "0" : "") +
                                           std::string(size.MineCount < 100 ? "0" : "") +
                                           std::to_string(size.MineCount));
        }
    }
}

// A level starts a new game of its size at once; Replay keeps it; the ticks follow the board
// played, and every other choice stands.
TEST(BoardSizes, ALevelStartsItsGameAtOnceAndReplayKeepsIt) {
    GameWindow game;
    EXPECT_EQ(SizeTicks(game.form), (std::vector<bool>{false, false, true, false}));
    game.SetKeepUp(true, true);
    game.form.mnuOpponent_Click(1);
    for (std::size_t k = 0; k < std::size(kLevels); ++k) {
        const Level& level = kLevels[k];
        SCOPED_TRACE(level.name);
        game.LeftClick(1, 1);
        game.board.KeepUpScore = 5;
        std::invoke(level.choose, game.form);
        const Board& b = game.board;
        EXPECT_EQ((BoardSize{b.Cols, b.Rows, b.MineCount}), level.size);
        EXPECT_EQ(MinesLaid(b), level.size.MineCount);
        EXPECT_EQ(b.PlotsLeft, level.size.Cols * level.size.Rows);
        EXPECT_EQ(b.KeepUpScore, 0);
        std::vector<bool> ticks(4, false);
        ticks[k] = true;
        EXPECT_EQ(SizeTicks(game.form), ticks);
        game.form.mnuReplay_Click();
        EXPECT_EQ(b.cmdMine.size(), static_cast<std::size_t>(level.size.Cols * level.size.Rows));
        EXPECT_EQ(SizeTicks(game.form), ticks);
        EXPECT_EQ(game.form.chkKeepUp.Value, kChecked);
        EXPECT_EQ(game.form.chkExtra.Value, kChecked);
        EXPECT_TRUE(game.form.mnuOpponent[1].Checked);
    }
}

// OK takes a board only when every field holds a whole number in its range; the first that does
// not is named with its range, the mines' range following the columns and rows typed.
TEST(CustomBoard, RefusesEachFieldOutsideItsRangeNamingIt) {
    struct Case {
        const char* cols;
        const char* rows;
        const char* mines;
        const char* refusal;  // nullptr: taken
        CustomField field;
    };
    const Case cases[] = {
        {"8", "8", "1", nullptr, CustomField::Columns},
        {" 60 ", "40", "2391", nullptr, CustomField::Columns},
        {"7", "8", "1", "Columns must be a whole number from 8 to 60.", CustomField::Columns},
        {"61", "8", "1", "Columns must be a whole number from 8 to 60.", CustomField::Columns},
        {"", "8", "1", "Columns must be a whole number from 8 to 60.", CustomField::Columns},
        {"9.5", "8", "1", "Columns must be a whole number from 8 to 60.", CustomField::Columns},
        {"-9", "8", "1", "Columns must be a whole number from 8 to 60.", CustomField::Columns},
        {"10", "41", "1", "Rows must be a whole number from 8 to 40.", CustomField::Rows},
        {"10", "1O", "1", "Rows must be a whole number from 8 to 40.", CustomField::Rows},
        {"10", "0008", "1", nullptr, CustomField::Columns},
        {"30", "16", "0", "Mines must be a whole number from 1 to 471.", CustomField::Mines},
        {"30", "16", "472", "Mines must be a whole number from 1 to 471.", CustomField::Mines},
        {"60", "40", "99999999999", "Mines must be a whole number from 1 to 2391.",
         CustomField::Mines},
        {"x", "y", "z", "Columns must be a whole number from 8 to 60.", CustomField::Columns},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cols) + " / " + c.rows + " / " + c.mines);
        GameWindow game;
        game.toolkit.onShowModal = [&](Form& form) {
            auto& custom = static_cast<frmCustom&>(form);
            EXPECT_EQ(custom.txtColumns.Text + custom.txtRows.Text + custom.txtMines.Text,
                      "301699");
            custom.txtColumns.Text = c.cols;
            custom.txtRows.Text = c.rows;
            custom.txtMines.Text = c.mines;
            custom.cmdOK_Click();
            EXPECT_EQ(custom.Loaded(), c.refusal != nullptr);
            if (c.refusal != nullptr) {
                EXPECT_EQ(custom.Refused(), c.field);
                EXPECT_EQ(custom.txtMines.Text, c.mines);  // what was typed stays
            }
        };
        game.form.mnuCustom_Click();
        if (c.refusal != nullptr) {
            EXPECT_EQ(game.toolkit.BoxTexts(), std::vector<std::string>{c.refusal});
            // Left without OK: nothing changes.
            EXPECT_EQ(game.board.Cols * game.board.Rows, 480);
            EXPECT_TRUE(game.form.mnuExpert.Checked);
        } else {
            EXPECT_TRUE(game.toolkit.boxes.empty());
            EXPECT_EQ(game.board.Cols, std::stoi(c.cols));
            EXPECT_EQ(game.board.MineCount, std::stoi(c.mines));
            EXPECT_TRUE(game.form.mnuCustom.Checked);
            EXPECT_FALSE(game.form.mnuExpert.Checked);
        }
    }
}

TEST(CustomBoard, CancelChangesNothingAndTheDialogOpensOnTheBoardPlayed) {
    GameWindow game;
    game.form.mnuBeginner_Click();
    game.LeftClick(5, 5);
    const BoardState before = game.board.State();
    std::string shown;
    game.toolkit.onShowModal = [&](Form& form) {
        auto& custom = static_cast<frmCustom&>(form);
        shown = custom.Window.Caption + ": " + custom.txtColumns.Text + " " + custom.txtRows.Text +
                " " + custom.txtMines.Text;
        custom.txtColumns.Text = "20";
        custom.cmdCancel_Click();
    };
    game.form.mnuCustom_Click();
    EXPECT_EQ(shown, "Custom Board: 9 9 10");
    EXPECT_TRUE(game.board.State() == before);
    EXPECT_TRUE(game.form.mnuBeginner.Checked);
    EXPECT_FALSE(game.form.mnuCustom.Checked);
}

// The cursor stays on the board when a smaller one replaces it, and reaches its edges.
TEST(BoardSizes, TheCursorStaysOnASmallerBoard) {
    GameWindow game;
    game.form.cmdMine_GotFocus();
    game.form.cmdMine_KeyDown(vbKeyEnd, 0);
    game.form.cmdMine_KeyDown(vbKeyPageDown, 0);
    EXPECT_EQ(game.form.Cursor.Index(game.board.Cols), 479);
    game.form.mnuBeginner_Click();
    EXPECT_EQ(game.form.Cursor.Index(game.board.Cols), 80);
    game.form.cmdMine_KeyDown(vbKeyHome, 0);
    game.form.cmdMine_KeyDown(vbKeyPageUp, 0);
    EXPECT_EQ(game.form.Cursor.Index(game.board.Cols), 0);
}

}  // namespace
}  // namespace dravik::testing
