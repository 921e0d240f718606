#include <gtest/gtest.h>

#include "play/play.h"
#include "support/game_fixture.h"
#include "toolkit/palette.h"

namespace dravik::testing {
namespace {

class Marks : public ::testing::Test, public Game {
protected:
    FormContext context{form};
    Play play{board, context, options};
};

TEST_F(Marks, UserAndAutomaticMarksDifferOnlyInColourAndUnmarkRestoresBoth) {
    play.MarkCell(Index(2, 2), true);
    EXPECT_EQ(Cell(2, 2).Caption, "@");
    EXPECT_EQ(Cell(2, 2).BackColor, PaletteColour(13));
    EXPECT_EQ(Cell(2, 2).BorderStyle, kBorderFixedSingle);
    EXPECT_EQ(form.txtMines.Text, "098");
    EXPECT_EQ(form.txtPlots.Text, "479");

    play.MarkCell(Index(3, 3), false);
    EXPECT_EQ(Cell(3, 3).BackColor, PaletteColour(12));
    EXPECT_EQ(board.MarkCount, 2);
    EXPECT_EQ(board.PlotsLeft, 478);
    EXPECT_EQ(form.txtMines.Text, "097");
    EXPECT_EQ(form.txtPlots.Text, "478");

    play.UnmarkCell(Index(2, 2));
    play.UnmarkCell(Index(3, 3));
    for (const Label* cell : {&Cell(2, 2), &Cell(3, 3)}) {
        EXPECT_EQ(cell->Caption, "");
        EXPECT_EQ(cell->BackColor, kButtonFace);
    }
    EXPECT_EQ(board.MarkCount, 0);
    EXPECT_EQ(form.txtMines.Text, "099");
    EXPECT_EQ(form.txtPlots.Text, "480");
}

TEST_F(Marks, OneMarkMoreThanMinesShowsANegativeMineCounter) {
    for (std::int16_t index = 0; index < 100; ++index) {
        play.MarkCell(index, index % 2 == 0);
    }
    EXPECT_EQ(board.MarkCount, 100);
    EXPECT_EQ(form.txtMines.Text, "-001");
    EXPECT_EQ(form.txtPlots.Text, "380");
}

TEST_F(Marks, MarkNeighboursMarksOnlyCoveredCellsBesideTheCorner) {
    // Top-right corner (1,30):   3 x     and its would-be wrapped neighbours (2,1), (3,1)
    //                            @ .     must stay covered.
    board.Cell(Index(1, 29)).Caption = "3";
    play.MarkCell(Index(2, 29), true);
    play.MarkNeighbours(Index(1, 30), 1, 30);
    EXPECT_EQ(Cell(2, 30).Caption, "@");
    EXPECT_EQ(Cell(2, 30).BackColor, PaletteColour(12));
    EXPECT_EQ(Cell(1, 29).Caption, "3");
    EXPECT_EQ(Cell(2, 29).BackColor, PaletteColour(13));  // the user's mark is not redone
    EXPECT_EQ(Cell(1, 30).Caption, "");
    EXPECT_EQ(Cell(2, 1).Caption, "");
    EXPECT_EQ(Cell(3, 1).Caption, "");
    EXPECT_EQ(board.MarkCount, 2);
    EXPECT_EQ(form.txtPlots.Text, "478");

    play.MarkNeighbours(Index(1, 30), 1, 30);  // nothing covered is left around it
    EXPECT_EQ(board.MarkCount, 2);
    EXPECT_EQ(board.PlotsLeft, 478);
}

}  // namespace
}  // namespace dravik::testing
