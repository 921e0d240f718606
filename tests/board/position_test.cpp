#include "board/position.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <stdexcept>

#include "support/game_fixture.h"

namespace dravik::testing {
namespace {

// Random positions of every small size, each cell any state: text and back must give the same
// position, and the text must read the same again. Every kind of cell and count must have come
// up, or the round trip proved less than it claims.
TEST(PositionText, RoundTripsAtAnySize) {
    std::mt19937 random(7);
    std::set<Seen> kinds;
    bool negativeCount = false;
    for (int rows = 1; rows <= 7; ++rows) {
        for (int cols = 1; cols <= 7; ++cols) {
            Position position(rows, cols, static_cast<int>(random() % 40) - 5);
            negativeCount = negativeCount || position.MinesLeft() < 0;
            for (int index = 0; index < position.Size(); ++index) {
                const auto pick = random() % 12;
                if (pick < 9) {
                    position.SetNumber(index, static_cast<int>(pick));
                } else if (pick < 11) {
                    position.SetMark(index, pick == 9);
                }
                kinds.insert(position.At(index));
            }
            const std::string text = position.ToText();
            const Position back = Position::FromText(text);
            ASSERT_EQ(back, position) << text;
            ASSERT_EQ(back.ToText(), text);
        }
    }
    EXPECT_EQ(kinds,
              (std::set<Seen>{Seen::Covered, Seen::Number, Seen::UserMark, Seen::AutomaticMark}));
    EXPECT_TRUE(negativeCount);
}

TEST(PositionText, ReadsPicturesWithOrWithoutSpacesAndRejectsMalformedOnes) {
    const Position position = Position::FromText(R"(
        mines 3
        . . 1 @
        ..2!
    )");
    EXPECT_EQ(position.Rows(), 2);
    EXPECT_EQ(position.Cols(), 4);
    EXPECT_EQ(position.MinesLeft(), 3);
    EXPECT_EQ(position.At(position.Index(0, 3)), Seen::UserMark);
    EXPECT_EQ(position.At(position.Index(1, 3)), Seen::AutomaticMark);
    EXPECT_EQ(position.Number(position.Index(1, 2)), 2);
    EXPECT_TRUE(position.IsCovered(position.Index(1, 0)));

    for (const char* bad : {"", ". 1\n", "mines x\n.", "mines 2\n..\n...", "mines 1\n.9"}) {
        EXPECT_THROW(Position::FromText(bad), std::invalid_argument) << bad;
    }
}

TEST(PositionFromBoard, ShowsWhatThePlayerSeesAndTheMineCounter) {
    GameWindow game;
    game.LayMines({"*..*"});
    game.RightClick(1, 1);  // the player's mark
    game.LeftClick(1, 4);   // a mine hit: the game marks it
    game.LeftClick(1, 2);
    const Position position = Position::FromBoard(game.board);
    ASSERT_EQ(position.Rows(), 16);
    ASSERT_EQ(position.Cols(), 30);
    EXPECT_EQ(position.MinesLeft(), 97);  // the counter: 99 less two marks
    EXPECT_EQ(position.At(0), Seen::UserMark);
    EXPECT_EQ(position.At(3), Seen::AutomaticMark);
    EXPECT_EQ(position.Number(1), 1);
    EXPECT_TRUE(position.IsCovered(2));
}

}  // namespace
}  // namespace dravik::testing
