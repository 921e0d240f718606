#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <numeric>

#include "analysis/analysis.h"
#include "support/simulated_game.h"

namespace dravik::analysis {
namespace {

using testing::SimulatedGame;

constexpr int kRows = 16;
constexpr int kCols = 30;
constexpr int kMines = 99;

struct Played {
    std::vector<Position> positions;  // each position met, before the move made on it
    int certainChecked = 0;
    int wrong = 0;
};

// A seeded 30 x 16 game played by following the analysis to the end, each certain move (and
// each move of the pairs rule) checked against the mines.
Played Play(std::uint64_t seed) {
    Played played;
    SimulatedGame game(kRows, kCols, kMines, seed);
    game.Uncover(game.OpeningCell());
    for (int step = 0; step < kRows * kCols; ++step) {
        played.positions.push_back(game.Seen());
        for (const Move& move : PairsMoves(game.Seen())) {
            played.wrong += game.IsMine(move.index) != move.mine ? 1 : 0;
            ++played.certainChecked;
        }
        const Analysis analysis = Analyse(game.Seen());
        if (analysis.verdict == Verdict::NothingLeft) {
            break;
        }
        played.certainChecked += static_cast<int>(analysis.certain.size());
        played.wrong += game.Follow(analysis);
    }
    return played;
}

// Both in reading order.
bool Contains(const std::vector<Move>& all, const std::vector<Move>& part) {
    return std::includes(all.begin(), all.end(), part.begin(), part.end(),
                         [](const Move& a, const Move& b) {
                             return a.index < b.index || (a.index == b.index && a.mine < b.mine);
                         });
}

TEST(AnalysisInPlay, NoCertainMoveIsEverWrongAndEveryGameEnds) {
    constexpr std::uint64_t kGames = 30;
    int positions = 0;
    int moves = 0;
    for (std::uint64_t seed = 1; seed <= kGames; ++seed) {
        const Played played = Play(seed);
        EXPECT_EQ(played.wrong, 0) << "seed " << seed;
        const Analysis last = Analyse(played.positions.back());
        EXPECT_EQ(last.verdict, Verdict::NothingLeft) << played.positions.back().ToText();
        positions += static_cast<int>(played.positions.size());
        moves += played.certainChecked;
    }
    std::cout << kGames << " games, " << positions << " positions, " << moves
              << " certain moves checked against the mines\n";
    EXPECT_GT(moves, 0);
}

// Obvious within pairs within complete, and the odds of the covered cells add up to the
// mines left.
TEST(AnalysisInPlay, StrongerRulesFindEverythingWeakerOnesFind) {
    int checked = 0;
    for (std::uint64_t seed = 20; seed <= 23; ++seed) {
        for (const Position& position : Play(seed).positions) {
            const std::vector<Move> pairs = PairsMoves(position);
            EXPECT_TRUE(Contains(pairs, ObviousMoves(position))) << position.ToText();
            const Analysis analysis = Analyse(position);
            ASSERT_FALSE(analysis.exhausted) << position.ToText();
            EXPECT_TRUE(Contains(analysis.certain, pairs)) << position.ToText();
            const double sum = std::accumulate(analysis.odds.begin(), analysis.odds.end(), 0.0,
                                               [](double s, const Odds& o) { return s + o.mine; });
            if (!analysis.odds.empty()) {
                EXPECT_NEAR(sum, position.MinesLeft(), 1e-9) << position.ToText();
            }
            ++checked;
        }
    }
    std::cout << checked << " positions checked\n";
    EXPECT_GT(checked, 0);
}

// Symmetry k of eight: bit 0 flips rows, bit 1 flips columns, bit 2 transposes.
int Mapped(const Position& position, int index, int k) {
    int row = position.RowOf(index);
    int col = position.ColOf(index);
    row = (k & 1) != 0 ? position.Rows() - 1 - row : row;
    col = (k & 2) != 0 ? position.Cols() - 1 - col : col;
    return (k & 4) != 0 ? col * position.Rows() + row : row * position.Cols() + col;
}

Position Turned(const Position& position, int k) {
    const bool transposed = (k & 4) != 0;
    Position turned(transposed ? position.Cols() : position.Rows(),
                    transposed ? position.Rows() : position.Cols(), position.MinesLeft());
    for (int index = 0; index < position.Size(); ++index) {
        const int to = Mapped(position, index, k);
        if (position.IsNumber(index)) {
            turned.SetNumber(to, position.Number(index));
        } else if (position.IsMarked(index)) {
            turned.SetMark(to, position.At(index) == Seen::UserMark);
        }
    }
    return turned;
}

TEST(AnalysisInPlay, RotatingOrMirroringChangesNothing) {
    int checked = 0;
    const Played played = Play(31);
    for (std::size_t p = 0; p < played.positions.size(); p += 3) {
        const Position& position = played.positions[p];
        const Analysis plain = Analyse(position);
        for (int k = 1; k < 8; ++k) {
            const Analysis turned = Analyse(Turned(position, k));
            ASSERT_EQ(turned.verdict, plain.verdict);
            std::vector<Move> expected;
            for (const Move& move : plain.certain) {
                expected.push_back(Move{Mapped(position, move.index, k), move.mine});
            }
            std::sort(expected.begin(), expected.end(),
                      [](const Move& a, const Move& b) { return a.index < b.index; });
            EXPECT_EQ(turned.certain, expected) << k << "\n" << position.ToText();
            std::vector<double> odds(static_cast<std::size_t>(position.Size()), -1);
            for (const Odds& o : turned.odds) {
                odds[static_cast<std::size_t>(o.index)] = o.mine;
            }
            ASSERT_EQ(turned.odds.size(), plain.odds.size());
            for (const Odds& o : plain.odds) {
                EXPECT_NEAR(odds[static_cast<std::size_t>(Mapped(position, o.index, k))], o.mine,
                            1e-9);
            }
            ++checked;
        }
    }
    std::cout << checked << " turned positions checked\n";
    EXPECT_GT(checked, 0);
}

TEST(AnalysisBudget, TangledPositionStopsAtTheCapAndKeepsOnlyWhatIsProved) {
    const SimulatedGame field(kRows, kCols, 96, 5);
    const Position position = field.Sparse();
    for (const long budget : {1000L, kNodeBudget}) {
        const Analysis analysis = Analyse(position, Limits{budget, true});
        EXPECT_TRUE(analysis.exhausted);
        EXPECT_LE(analysis.nodes, budget);
        EXPECT_TRUE(analysis.odds.empty());
        EXPECT_TRUE(analysis.verdict == Verdict::Undetermined ||
                    analysis.verdict == Verdict::CertainMoves);
        EXPECT_EQ(analysis.verdict == Verdict::CertainMoves, !analysis.certain.empty());
        for (const Move& move : analysis.certain) {
            EXPECT_EQ(field.IsMine(move.index), move.mine) << move.index;
        }
    }
    const Limits small{1000, false};
    EXPECT_FALSE(
        Prove(position, Analyse(position, small), Move{position.Index(1, 1), false}, small));
}

}  // namespace
}  // namespace dravik::analysis
