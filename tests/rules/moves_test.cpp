#include "rules/moves.h"

#include <gtest/gtest.h>

#include "support/game_fixture.h"

namespace dravik {
namespace {

// An opponent that only counts the turns it is asked to answer; its passes always fire, so it
// never scores the move.
struct CountingOpponent : KeepUpOpponent {
    int turns = 0;
    std::int16_t Pass() override {
        ++turns;
        return 1;
    }
    void RepeatedRun() override { ++turns; }
};

enum class Hand { Click, ToggleMark };

// One move on the top-left corner of a board whose mines are `mines`: the corner before and
// after as the player sees it, whether the move was a turn (the opponent answered it), and the
// keep-up points it scored.
struct Case {
    const char* name;
    std::vector<std::string> mines;
    const char* before;
    Hand hand;
    int row, col;
    const char* after;
    bool turn;
    int points;
};

// clang-format off
const Case kCases[] = {
    {"a covered cell without a mine is uncovered", {".*"},
     "mines 99\n . . .\n . . .\n . . .", Hand::Click, 2, 3,
     "mines 99\n . . .\n . . 1\n . . .", true, 0},
    {"a number whose marks equal its mines opens around it, flooding on", {"*"},
     "mines 98\n @ . .\n 1 . .\n . . .", Hand::Click, 2, 1,
     "mines 98\n @ 1 0\n 1 1 0\n 0 0 0", true, 0},
    {"a number that only mines can be around marks them", {"**"},
     "mines 99\n . . .\n 2 2 .\n 0 0 .", Hand::Click, 2, 1,
     "mines 97\n ! ! .\n 2 2 .\n 0 0 .", true, 0},
    {"a number that allows neither is still a turn", {"**"},
     "mines 99\n . . .\n 2 2 .\n 0 0 .", Hand::Click, 2, 2,
     "mines 99\n . . .\n 2 2 .\n 0 0 .", true, 0},
    {"a satisfied number without covered neighbours is idle", {"*"},
     "mines 98\n @ 1 0\n 1 1 0\n . . .", Hand::Click, 1, 2,
     "mines 98\n @ 1 0\n 1 1 0\n . . .", false, 0},
    {"a 0 is idle", {"**"},
     "mines 99\n . . .\n 2 2 .\n 0 0 .", Hand::Click, 3, 1,
     "mines 99\n . . .\n 2 2 .\n 0 0 .", false, 0},
    {"a covered mine is hit: the game marks it and scores without a turn", {"*"},
     "mines 99\n . . .\n . . .\n . . .", Hand::Click, 1, 1,
     "mines 98\n ! . .\n . . .\n . . .", false, 3},
    {"a marked mine is idle", {"*"},
     "mines 98\n @ . .\n . . .\n . . .", Hand::Click, 1, 1,
     "mines 98\n @ . .\n . . .\n . . .", false, 0},
    {"toggling marks a covered cell as the player's", {},
     "mines 99\n . . .\n . . .\n . . .", Hand::ToggleMark, 1, 3,
     "mines 98\n . . @\n . . .\n . . .", true, 0},
    {"toggling unmarks a mark, also one the game made", {},
     "mines 98\n . . !\n . . .\n . . .", Hand::ToggleMark, 1, 3,
     "mines 99\n . . .\n . . .\n . . .", true, 0},
    {"toggling a number changes nothing but is a turn", {},
     "mines 99\n . . .\n . 0 .\n . . .", Hand::ToggleMark, 2, 2,
     "mines 99\n . . .\n . 0 .\n . . .", true, 0},
};
// clang-format on

TEST(Moves, EachClickMakesTheMoveTheCellAndTheMinesCallFor) {
    for (const Case& move : kCases) {
        SCOPED_TRACE(move.name);
        testing::Game game;
        game.LayMines(move.mines);
        game.Show(move.before);
        game.form.chkKeepUp.Value = kChecked;
        CountingOpponent opponent;
        FormContext context{game.form};
        Play play{game.board, context, game.options};
        KeepUp keepUp{game.board, game.form.lblKeepUp, game.form.chkKeepUp, game.form.chkExtra};
        Moves moves{game.board, play, keepUp, opponent};

        const std::int16_t index = game.Index(move.row, move.col);
        move.hand == Hand::Click ? moves.ClickCell(index) : moves.ToggleMark(index);

        EXPECT_EQ(game.Corner(3, 3), testing::Game::Picture(move.after));
        EXPECT_EQ(opponent.turns, move.turn ? 1 : 0);
        EXPECT_EQ(game.board.KeepUpScore, move.points);
    }
}

}  // namespace
}  // namespace dravik
