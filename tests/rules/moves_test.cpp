#include "rules/moves.h"

#include <gtest/gtest.h>

#include <ostream>

#include "rules/keep_up.h"
#include "rules/obvious_rule.h"
#include "support/game_fixture.h"

namespace dravik {
namespace {

enum class Hand { Click, ToggleMark };
// In keep-up mode without "Extra" a turn is answered by one pass of the obvious rule: a pass that
// finds nothing scores the move a point, one that finds something shows on the board instead.
enum class Turn { None, Scored, Answered };

void PrintTo(Turn turn, std::ostream* out) {
    constexpr const char* kNames[] = {"None", "Scored", "Answered"};
    *out << kNames[static_cast<int>(turn)];
}

// One move on the top-left corner of a board whose mines are `mines`, in keep-up mode: the corner
// before and after as the player sees it (the answer included), whether the move was a turn, and
// the keep-up points the move scored itself.
struct Case {
    const char* name;
    std::vector<std::string> mines;
    const char* before;
    Hand hand;
    int row, col;
    const char* after;
    Turn turn;
    int points;
};

// clang-format off
const Case kCases[] = {
    {"a covered cell without a mine is uncovered", {".*"},
     "mines 99\n . . .\n . . .\n . . .", Hand::Click, 2, 3,
     "mines 99\n . . .\n . . 1\n . . .", Turn::Scored, 0},
    {"a number whose marks equal its mines opens around it, flooding on", {"*"},
     "mines 98\n @ . .\n 1 . .\n . . .", Hand::Click, 2, 1,
     "mines 98\n @ 1 0\n 1 1 0\n 0 0 0", Turn::Scored, 0},
    {"a number that only mines can be around marks them; the answer opens beside them", {"**"},
     "mines 99\n . . .\n 2 2 .\n 0 0 .", Hand::Click, 2, 1,
     "mines 97\n ! ! 1\n 2 2 1\n 0 0 0", Turn::Answered, 0},
    {"a number that allows neither is still a turn: the answer marks for the other", {"**"},
     "mines 99\n . . .\n 2 2 .\n 0 0 .", Hand::Click, 2, 2,
     "mines 97\n ! ! 1\n 2 2 1\n 0 0 0", Turn::Answered, 0},
    {"a satisfied number without covered neighbours is idle", {"*"},
     "mines 98\n @ 1 0\n 1 1 0\n . . .", Hand::Click, 1, 2,
     "mines 98\n @ 1 0\n 1 1 0\n . . .", Turn::None, 0},
    {"a 0 is idle", {"**"},
     "mines 99\n . . .\n 2 2 .\n 0 0 .", Hand::Click, 3, 1,
     "mines 99\n . . .\n 2 2 .\n 0 0 .", Turn::None, 0},
    {"a covered mine is hit: the game marks it and scores without a turn", {"*"},
     "mines 99\n . . .\n . . .\n . . .", Hand::Click, 1, 1,
     "mines 98\n ! . .\n . . .\n . . .", Turn::None, 3},
    {"a marked mine is idle", {"*"},
     "mines 98\n @ . .\n . . .\n . . .", Hand::Click, 1, 1,
     "mines 98\n @ . .\n . . .\n . . .", Turn::None, 0},
    {"toggling marks a covered cell as the player's", {},
     "mines 99\n . . .\n . . .\n . . .", Hand::ToggleMark, 1, 3,
     "mines 98\n . . @\n . . .\n . . .", Turn::Scored, 0},
    {"toggling unmarks a mark, also one the game made", {},
     "mines 98\n . . !\n . . .\n . . .", Hand::ToggleMark, 1, 3,
     "mines 99\n . . .\n . . .\n . . .", Turn::Scored, 0},
    {"toggling a number changes nothing but is a turn", {},
     "mines 99\n . . .\n . 0 .\n . . .", Hand::ToggleMark, 2, 2,
     "mines 99\n . . .\n . 0 .\n . . .", Turn::Scored, 0},
};
// clang-format on

// The obvious rule as the opponent, watched: whether a move asked it to answer, and what its
// pass found.
class WatchedOpponent : public KeepUpOpponent {
  public:
    explicit WatchedOpponent(KeepUpOpponent& rule) : rule_(rule) {}

    std::int16_t Pass() override {
        ++passes;
        found = rule_.Pass();
        return found;
    }
    void RepeatedRun() override { ADD_FAILURE() << "a repeated run without Extra"; }

    Turn TurnSeen() const {
        if (passes == 0) {
            return Turn::None;
        }
        return found == 0 ? Turn::Scored : Turn::Answered;
    }

    int passes = 0;

  private:
    KeepUpOpponent& rule_;
    std::int16_t found = 0;
};

TEST(Moves, EachClickMakesTheMoveTheCellAndTheMinesCallFor) {
    for (const Case& move : kCases) {
        SCOPED_TRACE(move.name);
        testing::BareGame game;
        Play play(game.plain, game.context, game.options);
        PlayerChoices choices;
        choices.keepUp = true;
        KeepUp keepUp(game.plain, choices, game.lblKeepUp, game.chkExtra);
        ObviousRule rule(game.plain, play, keepUp, game.context, game.options);
        WatchedOpponent opponent(rule);
        Moves moves(game.plain, play, keepUp, opponent);
        game.LayMines(move.mines);
        game.Show(move.before);
        move.hand == Hand::Click ? moves.ClickCell(game.Index(move.row, move.col))
                                 : moves.ToggleMark(game.Index(move.row, move.col));

        EXPECT_EQ(game.Corner(3, 3), testing::GameWindow::Picture(move.after));
        EXPECT_EQ(opponent.TurnSeen(), move.turn);
        EXPECT_LE(opponent.passes, 1);
        EXPECT_EQ(game.board.KeepUpScore, move.points + (move.turn == Turn::Scored ? 1 : 0));
    }
}

}  // namespace
}  // namespace dravik
