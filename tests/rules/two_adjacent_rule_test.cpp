#include "rules/two_adjacent_rule.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "support/game_fixture.h"
#include "toolkit/text.h"

namespace dravik {
namespace {

using testing::GameWindow;

const std::string kFullRow(30, '*');

// A pair A above B in column 5, drawn in columns 4-6 from A's outer row (`top`) down to B's
// outer row: ' ' covered, '@' marked, digits uncovered. Full rows of mines just outside the
// block keep every uncovered cell numbered, so nothing floods.
struct Case {
    const char* name;
    int top;
    std::vector<std::string> mines, before, after;
};

// clang-format off
const Case kCases[] = {
    {"equal numbers, B's outer row empty: A's outer row opens, its mark stays", 4,
     {"...", "*..", "...", "..."}, {"@  ", " 1 ", " 1 ", "333"}, {"@43", " 1 ", " 1 ", "333"}},
    {"equal numbers, A's outer row empty: B's outer row opens", 4,
     {"...", "...", "..*", "..."}, {"333", " 1 ", " 1 ", "   "}, {"333", " 1 ", " 1 ", "344"}},
    {"A's extra equals its marks: the covered rest opens", 4,
     {"*..", "*..", "...", "..."}, {"@  ", " 2 ", " 1 ", "333"}, {"@53", " 2 ", " 1 ", "333"}},
    {"B's extra equals its marks: the covered rest opens", 4,
     {"...", "...", "*..", "*.."}, {"333", " 1 ", " 2 ", "@  "}, {"333", " 1 ", " 2 ", "@53"}},
    {"A's extra equals marks plus covered: the covered get marks", 4,
     {"*.*", "*..", "...", "..."}, {" 6 ", " 3 ", " 1 ", "333"}, {"@6@", " 3 ", " 1 ", "333"}},
    {"B's extra equals marks plus covered: the covered get marks", 4,
     {"...", "...", "*..", "*.*"}, {"333", " 1 ", " 3 ", " 6 "}, {"333", " 1 ", " 3 ", "@6@"}},
    {"B on the last row: nothing below it counts", 14,
     {"...", "*..", "..."}, {"   ", " 1 ", " 1 "}, {"443", " 1 ", " 1 "}},
    {"B covered", 4, {"***"}, {"   ", " 3 ", "   ", "333"}, {"   ", " 3 ", "   ", "333"}},
    {"B marked", 4, {"***"}, {"   ", " 3 ", " @ ", "333"}, {"   ", " 3 ", " @ ", "333"}},
    {"B showing 0", 4, {"***"}, {"   ", " 3 ", " 0 ", "333"}, {"   ", " 3 ", " 0 ", "333"}},
};
// clang-format on

TEST(TwoAdjacentRule, ActsOnAPairAsItsNumbersAndOuterRowsAllow) {
    for (const Case& pair : kCases) {
        SCOPED_TRACE(pair.name);
        GameWindow game;
        std::vector<std::string> mines(16);
        mines[pair.top - 2] = kFullRow;
        for (std::size_t i = 0; i < pair.mines.size(); ++i) {
            mines[pair.top - 1 + i] = "..." + pair.mines[i];
        }
        if (pair.top + 4 <= 16) {
            mines[pair.top + 3] = kFullRow;
        }
        game.LayMines(mines);
        game.Draw(pair.top, 4, pair.before);
        game.form.mnuRule2_Click();
        for (std::size_t i = 0; i < pair.after.size(); ++i) {
            const int row = pair.top + static_cast<int>(i);
            EXPECT_EQ(game.Captions()[row - 1].substr(3, 3), pair.after[i]) << "row " << row;
            for (int col = 4; col <= 6; ++col) {
                if (game.Cell(row, col).Caption == "@") {
                    EXPECT_EQ(game.Cell(row, col).BackColor, PaletteColour(12));
                }
            }
        }
        int marks = 0;
        for (const auto& row : pair.after) {
            marks += static_cast<int>(std::count(row.begin(), row.end(), '@'));
        }
        EXPECT_EQ(game.form.txtMines.Text, Format000(99 - marks));
        EXPECT_TRUE(game.toolkit.boxes.empty());
    }
}

// A pair in an edge column would reach round to the other side of the board; it is left alone
// even where its numbers would allow a deduction.
TEST(TwoAdjacentRule, NeverExaminesPairsInTheFirstOrLastColumn) {
    GameWindow game;
    game.Draw(5, 1, {"1", "1", "11"});
    game.Draw(5, 29, {" 1", " 1", "11"});
    game.Draw(8, 1, {"1"});
    const auto before = game.Captions();
    game.form.mnuRule2_Click();
    EXPECT_EQ(game.Captions(), before);
    EXPECT_TRUE(game.toolkit.boxes.empty());
}

// A wrong mark leaves a mine where the rule uncovers: the alarm sounds and both the pair's row
// and the sweep go on.
TEST(TwoAdjacentRule, GoesOnPastAMineItUncovers) {
    GameWindow game;
    std::vector<std::string> mines(10);
    mines[2] = mines[9] = kFullRow;
    mines[3] = "....*";
    game.LayMines(mines);
    game.Draw(4, 4, {"@  ", " 2 ", " 1 ", "333"});   // the mark is wrong: the mine is at (4,5)
    game.Draw(11, 4, {"@  ", " 1 ", " 1 ", "333"});  // opens row 11
    game.form.mnuRule2_Click();
    EXPECT_EQ(game.Captions()[3].substr(3, 3), "@@4");
    EXPECT_EQ(game.Cell(4, 5).BackColor, PaletteColour(12));
    EXPECT_EQ(game.Captions()[10].substr(3, 3), "@33");
    EXPECT_EQ(game.toolkit.BoxTexts(), std::vector<std::string>{"Booom!"});
}

TEST(TwoAdjacentRule, ReportsARunTimeErrorAndEndsTheSweepThere) {
    GameWindow game;
    game.LayMines({"", "", kFullRow, "", "...*"});
    game.Draw(4, 4, {"@  ", " 1 ", " 1 ", "333"});   // opens row 4
    game.Draw(11, 4, {"@  ", " 1 ", " 1 ", "333"});  // would open row 11
    game.board.ChangeCell(game.Index(8, 10)).Caption = "99999";
    game.form.mnuRule2_Click();
    EXPECT_EQ(game.Captions()[3].substr(3, 3), "@43");
    EXPECT_EQ(game.Captions()[10].substr(3, 3), "@  ");
    EXPECT_EQ(game.toolkit.BoxTexts(),
              std::vector<std::string>{"Gosh, look. one of those error things: 6: Overflow"});
}

}  // namespace
}  // namespace dravik
