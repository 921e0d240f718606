#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "support/game_fixture.h"
#include "support/logic_replay.h"

namespace dravik {
namespace {

using testing::BareGame;
using testing::GameWindow;

std::vector<std::uint8_t> MineVector(const Board& board) {
    std::vector<std::uint8_t> mines;
    for (std::int16_t index = 0; index < board.Rows * board.Cols; ++index) {
        const CellRef cell = board.CellAt(index);
        mines.push_back(static_cast<std::uint8_t>(board.MineGrid(cell.row, cell.col)));
    }
    return mines;
}

int MinesLaid(const Board& board) {
    const std::vector<std::uint8_t> mines = MineVector(board);
    return static_cast<int>(std::count(mines.begin(), mines.end(), 1));
}

// Ticking makes the board in play a no-guess board only while nothing on it is uncovered or
// marked; a ticked item makes every later game one, an unticked one none, and the board in play
// keeps what it is.
TEST(NoGuessBoards, TickingTakesEffectAtOnceOnlyOnAnUntouchedBoard) {
    struct Case {
        const char* played;
        std::function<void(GameWindow&)> play;
        bool noGuessAtOnce;
    };
    const std::vector<Case> cases = {
        {"nothing", [](GameWindow&) {}, true},
        {"a mark set and taken off",
         [](GameWindow& g) {
             g.RightClick(5, 5);
             g.RightClick(5, 5);
         },
         true},
        {"a mark", [](GameWindow& g) { g.RightClick(5, 5); }, false},
        {"an uncovered cell", [](GameWindow& g) { g.LeftClick(16, 30); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.played);
        GameWindow game;
        game.LayMines({"*", "", "", "*"});
        c.play(game);
        const BoardState before = game.board.State();
        game.form.mnuNoGuess_Click();
        EXPECT_TRUE(game.form.mnuNoGuess.Checked);
        if (c.noGuessAtOnce) {
            EXPECT_EQ(game.board.Laying, MineLaying::AwaitingFirstClick);
            EXPECT_EQ(MinesLaid(game.board), 0);
        } else {
            EXPECT_EQ(game.board.State(), before);
        }
        game.form.mnuReplay_Click();
        EXPECT_EQ(game.board.Laying, MineLaying::AwaitingFirstClick);
        EXPECT_EQ(MinesLaid(game.board), 0);

        game.LeftClick(8, 15);
        game.form.mnuNoGuess_Click();  // unticked: the board in play stays a no-guess board
        EXPECT_FALSE(game.form.mnuNoGuess.Checked);
        EXPECT_EQ(game.board.Laying, MineLaying::NoGuess);
        game.form.cmdReplay_Click();
        EXPECT_EQ(game.board.Laying, MineLaying::Random);
        EXPECT_EQ(MinesLaid(game.board), 99);
    }
}

// The first click opens a region around any cell, and logic alone (an independent replay, not
// the generator's verdict) wins the board from there.
TEST(NoGuessBoards, FirstClickOpensARegionThatLogicAloneWins) {
    const std::vector<std::pair<int, int>> firstCells = {{1, 1},  {16, 30}, {1, 30},  {16, 1},
                                                         {1, 12}, {9, 1},   {16, 20}, {8, 15}};
    std::uint32_t seed = 7;
    for (const auto& [row, col] : firstCells) {
        SCOPED_TRACE("row " + std::to_string(row) + ", column " + std::to_string(col));
        GameWindow game;
        game.toolkit.SeedRandom(++seed);
        game.form.mnuNoGuess_Click();
        game.LeftClick(row, col);
        const Board& board = game.board;
        EXPECT_EQ(board.Laying, MineLaying::NoGuess);
        EXPECT_EQ(MinesLaid(board), 99);
        EXPECT_EQ(game.Cell(row, col).Caption, "0");
        EXPECT_TRUE(game.toolkit.boxes.empty());  // no "Booom!"
        const std::int16_t first = game.Index(row, col);
        board.ForEachNeighbour(board.CellAt(first), [&](const CellRef& n) {
            EXPECT_FALSE(board.IsCovered(n.index));
            EXPECT_EQ(board.MineGrid(n.row, n.col), 0);
        });
        const testing::Replay replay =
            testing::ReplayByLogic(board.Rows, board.Cols, MineVector(board), first);
        EXPECT_TRUE(replay.won);
        EXPECT_FALSE(replay.mineHit);
    }
}

// Before the first click the grid holds no mine. With 99 marks the count of mines left alone
// would call every other cell safe: no rule, run or keep-up opponent may act on that.
TEST(NoGuessBoards, NothingActsBeforeTheFirstClick) {
    const std::vector<std::pair<const char*, std::function<void(frmDravik&)>>> rules = {
        {"Rule1", [](frmDravik& f) { f.mnuRule1_Once_Click(); }},
        {"Multi", [](frmDravik& f) { f.cmdMultiple_Click(); }},
        {"2-Adjacent", [](frmDravik& f) { f.mnuRule2_Click(); }},
        {"Pairs", [](frmDravik& f) { f.mnuPairsRule_Click(); }},
        {"Complete", [](frmDravik& f) { f.mnuCompleteLogic_Click(); }},
    };
    for (std::int16_t opponent = 0; opponent < 3; ++opponent) {
        SCOPED_TRACE("opponent " + std::to_string(opponent));
        GameWindow game;
        game.form.mnuNoGuess_Click();
        game.form.mnuOpponent_Click(opponent);
        game.SetKeepUp(true, opponent == 2);
        game.MarkMinesAtTop(99);
        EXPECT_EQ(game.form.txtMines.Text, "000");
        // Every mark was a move that the opponent answered with nothing: each scored.
        EXPECT_EQ(game.board.KeepUpScore, 99);
        const std::vector<std::string> marked = game.Captions();
        for (const auto& [name, run] : rules) {
            SCOPED_TRACE(name);
            run(game.form);
            EXPECT_EQ(game.Captions(), marked);
        }
        game.form.mnuHint_Click();
        ASSERT_EQ(game.toolkit.boxes.size(), 1u);
        EXPECT_EQ(game.toolkit.boxes.back().text,
                  "Any covered cell is safe: the first click opens a region.");
        EXPECT_TRUE(game.board.Outlined.empty());
        EXPECT_EQ(game.board.Laying, MineLaying::AwaitingFirstClick);
        game.RightClick(1, 1);  // marks come off as they went on
        EXPECT_EQ(game.form.txtMines.Text, "001");
    }
}

// When the generator finds nothing within its limits, or the mines leave no room for an opening,
// the first click says so once and lays an ordinary board on which it still opens a region where
// the mines leave room for one, and never lands on a mine.
TEST(NoGuessBoards, FirstClickSaysSoWhenNoBoardIsFound) {
    const std::string noBoard =
        "No board that logic alone can win was found for this size and number of mines; this one "
        "may need a guess.";
    struct Case {
        const char* what;
        int mines;
        int row;
        int col;
        bool openingFree;  // the mines fit outside the clicked cell's neighbourhood
    };
    // The limits allow no layout at all to be tried.
    const analysis::NoGuessLimits nothing{.tries = 0, .repairCells = 0, .compactStarts = 0};
    for (const Case& c : {Case{"inside", 99, 8, 15, true}, Case{"corner", 99, 1, 1, true},
                          Case{"every cell outside the opening", 471, 8, 15, true},
                          Case{"more than fit outside", 475, 8, 15, false},
                          Case{"all but one cell", 479, 16, 30, false}}) {
        SCOPED_TRACE(c.what);
        BareGame game(5);
        game.plain.MineCount = static_cast<std::int16_t>(c.mines);
        game.model.SetNoGuessLimits(nothing);
        game.model.ChooseNoGuess(true);
        const std::int16_t first = game.Index(c.row, c.col);
        game.model.ClickCell(first);
        const Board& board = game.plain;
        EXPECT_EQ(std::count_if(game.toolkit.boxes.begin(), game.toolkit.boxes.end(),
                                [&](const auto& box) { return box.text == noBoard; }),
                  1);
        EXPECT_EQ(board.Laying, MineLaying::Random);
        EXPECT_EQ(MinesLaid(board), c.mines);
        EXPECT_FALSE(board.IsCovered(first));
        EXPECT_EQ(board.MineGrid(c.row, c.col), 0);
        if (c.openingFree) {
            board.ForEachNeighbour(board.CellAt(first), [&](const CellRef& n) {
                EXPECT_EQ(board.MineGrid(n.row, n.col), 0);
                EXPECT_FALSE(board.IsCovered(n.index));
            });
        }
        // The next click plays on the board laid: no second box.
        game.model.ClickCell(game.Index(c.row == 1 ? 16 : 1, 1));
        EXPECT_EQ(std::count_if(game.toolkit.boxes.begin(), game.toolkit.boxes.end(),
                                [&](const auto& box) { return box.text == noBoard; }),
                  1);
    }
}

}  // namespace
}  // namespace dravik
