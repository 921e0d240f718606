#include <gtest/gtest.h>

#include "play/play.h"
#include "support/game_fixture.h"
#include "toolkit/palette.h"

namespace dravik::testing {
namespace {

const char* const kWinText = "You've cleared all of the mines. Well Done! A medal is on its way.";
const std::string kFullRow(30, '*');

// The moves themselves, made directly on a board built without a window.
class PlayOnBoard : public ::testing::Test, public BareGame {
  protected:
    std::int16_t UncoverAt(int row, int col) {
        return play.UncoverCell(Index(row, col), static_cast<std::int16_t>(row),
                                static_cast<std::int16_t>(col));
    }
    // The top-left corner of Captions(): `rows` rows of `width` columns.
    std::vector<std::string> Corner(std::size_t rows, std::size_t width) const {
        std::vector<std::string> all = Captions();
        all.resize(rows);
        for (auto& row : all) {
            row.resize(width);
        }
        return all;
    }

    Play play{board, context, options};
};
using Marks = PlayOnBoard;
using Uncover = PlayOnBoard;
using Outcome = PlayOnBoard;

TEST_F(Marks, MarkNeighboursMarksOnlyTheCoveredCellsBesideACorner) {
    // Top-right corner (1,30):   3 x     Its would-be wrapped neighbours (2,1) and (3,1) must
    //                            @ .     stay covered, the "3" and the user's mark unchanged.
    board.ChangeCell(Index(1, 29)).Caption = "3";
    play.MarkCell(Index(2, 29), true);
    play.MarkNeighbours(Index(1, 30), 1, 30);
    EXPECT_EQ(Corner(3, 1), (std::vector<std::string>{" ", " ", " "}));
    EXPECT_EQ(Captions()[0].substr(28), "3 ");
    EXPECT_EQ(Captions()[1].substr(28), "@@");
    EXPECT_EQ(Cell(2, 29).BackColor, PaletteColour(13));
    EXPECT_EQ(Cell(2, 30).BackColor, PaletteColour(12));
    EXPECT_EQ(board.txtMines.Text, "097");
    EXPECT_EQ(board.txtPlots.Text, "478");

    play.MarkNeighbours(Index(1, 30), 1, 30);  // nothing covered is left around it
    EXPECT_EQ(board.MarkCount, 2);
}

TEST_F(Uncover, MarkedAndUncoveredCellsAreLeftAlone) {
    LayMines({"*"});
    play.MarkCell(Index(1, 1), true);
    board.ChangeCell(Index(1, 2)).Caption = "1";
    EXPECT_EQ(UncoverAt(1, 1), kFalse);
    EXPECT_EQ(UncoverAt(1, 2), kFalse);
    EXPECT_EQ(Corner(1, 3), std::vector<std::string>{"@1 "});
    EXPECT_EQ(Cell(1, 1).BackColor, PaletteColour(13));
    EXPECT_EQ(Cell(1, 2).BorderStyle, kBorderFixedSingle);
    EXPECT_EQ(board.PlotsLeft, 479);
    EXPECT_TRUE(toolkit.boxes.empty());
}

TEST_F(Uncover, ACoveredMineIsMarkedBeforeTheAlarm) {
    LayMines({"", " *"});
    std::string captionDuringAlarm;
    toolkit.onMsgBox = [&](const FakeToolkit::Box&) { captionDuringAlarm = Cell(2, 2).Caption; };
    EXPECT_EQ(UncoverAt(2, 2), kTrue);
    EXPECT_EQ(captionDuringAlarm, "@");
    EXPECT_EQ(toolkit.BoxTexts(), std::vector<std::string>{"Booom!"});
    EXPECT_EQ(Cell(2, 2).BackColor, PaletteColour(12));
    EXPECT_EQ(board.MarkCount, 1);
    EXPECT_EQ(board.txtPlots.Text, "479");
}

TEST_F(Uncover, FloodFromCornerOpensRegionAndBorder) {
    LayMines({"    *",  //
              "    *",  //
              "    *",  //
              "*****"});
    EXPECT_EQ(UncoverAt(1, 1), kFalse);
    EXPECT_EQ(Corner(5, 6), (std::vector<std::string>{"0002  ",  //
                                                      "0003  ",  //
                                                      "2335  ",  //
                                                      "      ",  //
                                                      "      "}));
    EXPECT_EQ(board.txtPlots.Text, "468");
    EXPECT_EQ(Cell(2, 2).BackColor, PaletteColour(10));
    EXPECT_EQ(Cell(2, 2).BorderStyle, kBorderNone);
    EXPECT_EQ(Cell(3, 4).BackColor, PaletteColour(11));
    EXPECT_EQ(Cell(3, 4).BorderStyle, kBorderNone);

    EXPECT_EQ(UncoverAt(3, 6), kFalse);  // a number opens only itself
    EXPECT_EQ(Captions()[2].substr(4, 3), " 3 ");
    EXPECT_EQ(board.PlotsLeft, 467);
}

TEST_F(Uncover, MarksInsideAnEmptyRegionStayAndStopTheFill) {
    // No mines at all; a wrong ring of marks fences off the top-left 3 x 3.
    LayMines({});
    for (int k = 1; k <= 4; ++k) {
        play.MarkCell(Index(4, k), true);
        if (k < 4) {
            play.MarkCell(Index(k, 4), true);
        }
    }
    UncoverAt(10, 20);
    EXPECT_EQ(Corner(5, 5), (std::vector<std::string>{"   @0",  //
                                                      "   @0",  //
                                                      "   @0",  //
                                                      "@@@@0",  //
                                                      "00000"}));
    EXPECT_EQ(board.PlotsLeft, 9);
}

TEST_F(Uncover, ABoardWithoutMinesOpensCompletelyInOneClick) {
    LayMines({});
    EXPECT_EQ(UncoverAt(8, 15), kFalse);
    EXPECT_EQ(board.txtPlots.Text, "000");
    EXPECT_EQ(Captions(), std::vector<std::string>(16, std::string(30, '0')));
}

TEST_F(Uncover, NeighboursOfAWronglyMarkedNumberMeetEveryMine) {
    // Around (5,5), which shows 2:   * * .
    //                                . 2 .
    //                                @ . @    (both marks wrong)
    // The mine above comes first in the neighbour order, the one above-left fifth; "below"
    // floods the rest of the board in between, depth-first, before "left" is tried.
    LayMines({"", "", "", "   **"});
    UncoverAt(5, 5);
    play.MarkCell(Index(6, 4), true);
    play.MarkCell(Index(6, 6), true);
    // At each box: the two mines as shown, then the plots counter.
    std::vector<std::string> atBoxes;
    toolkit.onMsgBox = [&](const FakeToolkit::Box& box) {
        atBoxes.push_back(box.text + " " + Captions()[3].substr(3, 2) + " " + board.txtPlots.Text);
    };
    EXPECT_EQ(play.UncoverNeighbours(Index(5, 5), 5, 5), -2);
    EXPECT_EQ(atBoxes, (std::vector<std::string>{"Booom!  @ 476", "Booom! @@ 000"}));
    EXPECT_EQ(Cell(4, 4).BackColor, PaletteColour(12));
    EXPECT_EQ(Cell(4, 5).BackColor, PaletteColour(12));
    std::vector<std::string> around;
    for (std::size_t row = 2; row < 7; ++row) {
        around.push_back(Captions()[row].substr(2, 5));
    }
    EXPECT_EQ(around, (std::vector<std::string>{"12210",  //
                                                "1@@10",  //
                                                "12210",  //
                                                "0@0@0",  //
                                                "00000"}));
    EXPECT_EQ(board.PlotsLeft, 0);
}

TEST_F(Outcome, OnlyTheWarningBoxOptionShowsABox) {
    play.MineAlarm();
    ASSERT_EQ(toolkit.boxes.size(), 1u);
    EXPECT_EQ(toolkit.boxes[0].text, "Booom!");
    EXPECT_EQ(toolkit.boxes[0].style, vbOKOnly);
    EXPECT_EQ(toolkit.boxes[0].title, "DRAVIK");
    EXPECT_EQ(toolkit.beeps, 0);
    for (const std::int16_t option : {0, 2, 3, -1}) {
        options.HitMineOption = option;
        play.MineAlarm();
    }
    EXPECT_EQ(toolkit.beeps, 4);
    EXPECT_EQ(toolkit.boxes.size(), 1u);
}

TEST_F(Outcome, WinNeedsEveryMineMarkedAndEverySafeCellUncovered) {
    // The 99 mines fill rows 1-3 and the first nine cells of row 4.
    LayMines({kFullRow, kFullRow, kFullRow, "*********"});
    play.MarkCell(Index(16, 30), true);  // a wrong mark, before a flood can open the cell
    for (std::int16_t index = 0; index < 480; ++index) {
        const CellRef cell = board.CellAt(index);
        if (index == Index(4, 9) || !board.IsCovered(index)) {
            continue;
        }
        if (board.MineGrid(cell.row, cell.col) != 0) {
            play.MarkCell(index, true);
        } else {
            play.UncoverCell(index, cell.row, cell.col);
        }
    }
    EXPECT_EQ(board.PlotsLeft, 1);
    play.CheckForWin();  // one mine still covered
    play.MarkCell(Index(4, 9), true);
    EXPECT_EQ(board.PlotsLeft, 0);
    EXPECT_EQ(board.txtMines.Text, "-001");
    play.CheckForWin();  // one mark too many
    EXPECT_TRUE(toolkit.boxes.empty());

    play.UnmarkCell(Index(16, 30));
    UncoverAt(16, 30);
    play.CheckForWin();
    ASSERT_EQ(toolkit.boxes.size(), 1u);
    EXPECT_EQ(toolkit.boxes[0].text, kWinText);
    EXPECT_EQ(toolkit.boxes[0].title, "Dravik 2000 - General's report.");
    EXPECT_EQ(toolkit.boxes[0].style, vbOKOnly);
}

TEST_F(Outcome, MinesHitOnTheWayCountAsFound) {
    LayMines({kFullRow, kFullRow, kFullRow, "*********"});
    options.HitMineOption = 0;
    for (std::int16_t index = 0; index < 480; ++index) {
        const CellRef cell = board.CellAt(index);
        play.UncoverCell(index, cell.row, cell.col);
    }
    EXPECT_EQ(toolkit.beeps, 99);
    play.CheckForWin();
    EXPECT_EQ(toolkit.BoxTexts(), std::vector<std::string>{kWinText});
}

}  // namespace
}  // namespace dravik::testing
