#include "rules/hint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "board/position.h"
#include "support/game_fixture.h"

namespace dravik {
namespace {

struct HintCase {
    const char* position;
    const char* text;
};

// One picture in, the box's text out: every verdict, the choice among certain moves (fewest
// numbers in the proof, then reading order), proofs with and without the mine count, a best
// guess that is not the safest cell, the smallest chance still shown as 1 %.
TEST(HintFind, TellsEachVerdictInTheBoxText) {
    const HintCase cases[] = {
        {"mines 1\n1 . .", "Row 1, column 2 is a mine.\rProof: the 1 at row 1, column 1."},
        {"mines 0\n. .", "Row 1, column 1 is safe.\rProof: the count of mines left."},
        {"mines 4\n. . .\n. . .\n. . .\n1 2 1",
         "Row 3, column 1 is a mine.\rProof: the 2 at row 4, column 2 and the 1 at row 4, "
         "column 3."},
        {"mines 1\n1 .\n. .",
         "No cell is certain: a guess is needed.\rThe best guess is row 1, column 2, a mine with "
         "chance 33 %."},
        {"mines 4\n1 . . .\n. . . .\n. . . .",
         "No cell is certain: a guess is needed.\rThe best guess is row 3, column 3, a mine with "
         "chance 38 %.\rRow 1, column 2 is safer (33 %), but gives less to go on."},
        {"mines 1\n. . . . . . . . . . . . . . . . . . . .\n"
         ". . . . . . . . . . . . . . . . . . . .\n. . . . . . . . . . . . . . . . . . . .\n"
         ". . . . . . . . . . . . . . . . . . . .\n. . . . . . . . . . . . . . . . . . . .\n"
         ". . . . . . . . . . . . . . . . . . . .\n. . . . . . . . . . . . . . . . . . . .\n"
         ". . . . . . . . . . . . . . . . . . . .\n. . . . . . . . . . . . . . . . . . . .\n"
         ". . . . . . . . . . . . . . . . . . . .\n. . . . . . . . . . . . . . . . . . . .\n"
         ". . . . . . . . . . . . . . . . . . . .\n. . . . . . . . . . . . . . . . . . . .\n"
         ". . . . . . . . . . . . . . . . . . . .\n. . . . . . . . . . . . . . . . . . . .",
         "No cell is certain: a guess is needed.\rThe best guess is row 1, column 2, a mine with "
         "chance 1 %."},
        {"mines 3\n@ 1 @ .",
         "The marks contradict the numbers.\rThe 1 at row 1, column 2 cannot be satisfied."},
        {"mines 0\n1 @", "Nothing is left to find."},
    };
    for (const HintCase& c : cases) {
        EXPECT_EQ(Hint::Find(Position::FromText(c.position)).text, c.text) << c.position;
    }
}

TEST(HintFind, OutlinesTheCellAndItsProofNumbers) {
    const HintFinding finding =
        Hint::Find(Position::FromText("mines 4\n. . .\n. . .\n. . .\n1 2 1"));
    EXPECT_EQ(finding.cell, 6);
    EXPECT_EQ(finding.proof, (std::vector<int>{10, 11}));
}

TEST(HintFind, SaysSoWhenTheBudgetRunsOutBeforeAnyMoveIsCertain) {
    // Two unlinked frontiers that only the mine count ties together.
    const Position position = Position::FromText(
        "mines 6\n. . . . . . .\n1 2 2 1 . . .\n. . . . . . .\n. . . . . . .\n"
        ". . . . . . .\n. . . 1 2 2 1\n. . . . . . .");
    EXPECT_EQ(Hint::Find(position, {.nodeBudget = 1, .withOdds = true}).text,
              "No certain move was found in time.");
}

// A hint on the board: the box shows it, the board outlines it, and nothing else changes until
// the next move takes the outlines away.
// (The 0s leave safe cells to find too; (1,1) comes first in reading order.)
TEST(HintOnTheBoard, OutlinesWithoutMovingAnythingUntilTheNextMove) {
    testing::GameWindow game;
    game.LayMines({"*"});
    game.Draw(1, 1, {" 10", "110", "000"});  // (1,1) is a mine by any of the three 1s
    game.SetKeepUp(true);
    const auto captions = game.Captions();
    const auto score = game.board.KeepUpScore;
    const std::string counters = game.form.txtMines.Text + game.form.txtPlots.Text;
    std::vector<Int16> outlinesWhileUp;
    game.toolkit.onMsgBox = [&](const testing::FakeToolkit::Box&) {
        for (const Label& cell : game.form.cmdMine) {
            outlinesWhileUp.push_back(cell.Outline);
        }
    };

    game.form.Form_KeyDown(vbKeyControl, vbCtrlMask);  // Ctrl+H; the box takes the release
    game.form.mnuHint_Click();

    ASSERT_EQ(game.toolkit.boxes.size(), 1u);
    EXPECT_EQ(game.toolkit.boxes[0].title, "DRAVIK");
    EXPECT_EQ(game.toolkit.boxes[0].text.substr(0, 26), "Row 1, column 1 is a mine.");
    EXPECT_EQ(outlinesWhileUp.at(static_cast<std::size_t>(game.Index(1, 1))), kOutlineHint);
    EXPECT_EQ(game.Cell(1, 1).Outline, kOutlineHint);
    EXPECT_EQ(game.Cell(1, 2).Outline + game.Cell(2, 1).Outline + game.Cell(2, 2).Outline,
              kOutlineProof);  // exactly one of the three 1s is cited
    EXPECT_EQ(game.Captions(), captions);
    EXPECT_EQ(game.board.KeepUpScore, score);
    EXPECT_EQ(game.form.txtMines.Text + game.form.txtPlots.Text, counters);

    game.LeftClick(1, 4);  // uncovers: Ctrl no longer counts as held
    EXPECT_EQ(game.Cell(1, 4).Caption, "0");
    for (const Label& cell : game.form.cmdMine) {
        ASSERT_EQ(cell.Outline, kOutlineNone);
    }
}

// Outlined cells and the captions they showed when the hint outlined them.
std::vector<std::pair<int, std::string>> Outlined(const testing::GameWindow& game) {
    std::vector<std::pair<int, std::string>> outlined;
    for (std::int16_t index = 0; index < game.board.Rows * game.board.Cols; ++index) {
        if (game.board.Cell(index).Outline != kOutlineNone) {
            outlined.emplace_back(index, game.board.Caption(index));
        }
    }
    return outlined;
}

// Ctrl+H while "Obvious Riles - Multiple" waits between passes: the passes after it open and mark
// the very cells the hint outlined, so the outlines, a proof about the board as it was, must go
// with the first change. Every cell still outlined at the end shows what it showed at the hint.
TEST(HintOnTheBoard, AHintInTheMiddleOfARunLosesItsOutlinesWhenTheRunChangesThem) {
    testing::GameWindow game;
    game.LayMines({"*", "", "", "*"});  // a ladder the rule climbs one step a pass
    game.board.MineCount = 2;           // the counter agrees with the grid, as the hint needs
    game.board.ShowMineCounter();
    game.LeftClick(16, 30);
    std::vector<std::pair<int, std::string>> atHint;
    game.toolkit.onMsgBox = [&](const testing::FakeToolkit::Box&) { atHint = Outlined(game); };
    game.toolkit.Post([&] { game.form.mnuHint_Click(); });
    game.form.mnuRule1_Click();

    ASSERT_FALSE(atHint.empty()) << "the hint outlined nothing";
    int changed = 0;
    for (const auto& [index, caption] : atHint) {
        changed += game.board.Caption(static_cast<std::int16_t>(index)) != caption ? 1 : 0;
    }
    ASSERT_GT(changed, 0) << "the run left the outlined cells alone";
    for (const auto& [index, caption] : Outlined(game)) {
        const auto before = std::find_if(atHint.begin(), atHint.end(),
                                         [&](const auto& cell) { return cell.first == index; });
        ASSERT_NE(before, atHint.end()) << "cell " << index << " outlined by no hint";
        EXPECT_EQ(caption, before->second) << "cell " << index << " changed under its outline";
    }
}

// A rule pass that changes nothing leaves the outlines; the first changed cell, wherever it is,
// takes them all away.
TEST(HintOnTheBoard, OutlinesLastUntilTheBoardChanges) {
    testing::GameWindow game;
    game.form.mnuHint_Click();  // a covered board: the safest guess is outlined
    const auto outlined = Outlined(game);
    ASSERT_EQ(outlined.size(), 1u);
    game.form.mnuRule1Once_Click();
    game.form.mnuRule2_Click();
    game.form.mnuCompleteLogic_Click();
    EXPECT_EQ(Outlined(game), outlined);

    game.RightClick(16, 30);
    EXPECT_TRUE(Outlined(game).empty());
    game.form.mnuHint_Click();
    ASSERT_FALSE(Outlined(game).empty());
    game.form.mnuReplay_Click();
    EXPECT_TRUE(Outlined(game).empty());
}

}  // namespace
}  // namespace dravik
