#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <iostream>
#include <map>
#include <random>

#include "analysis/analysis.h"
#include "support/simulated_game.h"

namespace dravik::analysis {
namespace {

// Brute force: every layout of mines over the covered cells (up to 20 of them), kept when it
// fits the chosen numbers and, if asked, the mines left.
class Oracle {
  public:
    explicit Oracle(const Position& position)
        : position_(position), bitOf_(static_cast<std::size_t>(position.Size()), -1) {
        for (int index = 0; index < position.Size(); ++index) {
            if (position.IsCovered(index)) {
                bitOf_[static_cast<std::size_t>(index)] = static_cast<int>(covered_.size());
                covered_.push_back(index);
            }
        }
        for (int index = 0; index < position.Size(); ++index) {
            if (position.IsNumber(index)) {
                Number number{index, position.Number(index), 0};
                position.ForEachNeighbour(index, [&](int next) {
                    number.need -= position.IsMarked(next) ? 1 : 0;
                    number.mask |=
                        position.IsCovered(next) ? 1U << bitOf_[static_cast<std::size_t>(next)] : 0;
                });
                numbers_.push_back(number);
            }
        }
    }

    struct Tally {
        std::uint64_t layouts = 0;
        std::vector<std::uint64_t> minesAt;  // by position index
    };

    // `use` by cell index; empty uses every number. Without the mines left only the cells next
    // to a chosen number, and `alsoFree`, are laid out: the others cannot be forced.
    Tally Count(const std::vector<char>& use, bool withMinesLeft, int alsoFree = -1) const {
        Tally tally{0, std::vector<std::uint64_t>(static_cast<std::size_t>(position_.Size()))};
        const auto chosen = [&](const Number& k) {
            return use.empty() || use[static_cast<std::size_t>(k.index)] != 0;
        };
        const auto visit = [&](std::uint32_t layout) {
            for (const Number& k : numbers_) {
                if (chosen(k) && std::popcount(layout & k.mask) != k.need) {
                    return;
                }
            }
            ++tally.layouts;
            for (std::size_t bit = 0; bit < covered_.size(); ++bit) {
                tally.minesAt[static_cast<std::size_t>(covered_[bit])] += (layout >> bit) & 1U;
            }
        };
        const int n = static_cast<int>(covered_.size());
        const int m = position_.MinesLeft();
        if (!withMinesLeft) {
            std::uint32_t touched =
                alsoFree < 0 ? 0 : 1U << bitOf_[static_cast<std::size_t>(alsoFree)];
            for (const Number& k : numbers_) {
                touched |= chosen(k) ? k.mask : 0;
            }
            for (std::uint32_t layout = touched;; layout = (layout - 1) & touched) {
                visit(layout);
                if (layout == 0) {
                    break;
                }
            }
        } else if (m == 0) {
            visit(0);
        } else if (m > 0 && m <= n) {
            // Every set of exactly m cells, in increasing order of its bits.
            for (std::uint32_t layout = (1U << m) - 1; layout < (1U << n);) {
                visit(layout);
                const std::uint32_t low = layout & -layout;
                const std::uint32_t ripple = layout + low;
                layout = ripple | (((layout ^ ripple) >> 2) / low);
            }
        }
        return tally;
    }

    bool Forces(const std::vector<char>& use, bool withMinesLeft, const Move& move) const {
        const Tally tally = Count(use, withMinesLeft, move.index);
        return tally.minesAt[static_cast<std::size_t>(move.index)] ==
               (move.mine ? tally.layouts : 0);
    }

    const std::vector<int>& Covered() const { return covered_; }

  private:
    struct Number {
        int index;
        int need;
        std::uint32_t mask;
    };
    const Position& position_;
    std::vector<int> covered_;
    std::vector<Number> numbers_;
    std::vector<int> bitOf_;
};

// A seeded small position drawn from a real layout: some cells uncovered, some mines marked,
// and now and then a fault (a wrong mark, a wrong number, a wrong counter) so contradictions
// are met too. At most 20 covered cells; the rest may lie away from every number.
struct Shape {
    const char* name;
    int rows, cols;
    double density, uncovered, marked, faults;
    bool played;  // positions met in seeded games of this size instead, when 20 cells or fewer
    std::vector<Verdict> met;  // verdicts the shape must meet
};

void PrintTo(const Shape& shape, std::ostream* out) {
    *out << shape.name;
}

Position RandomPosition(const Shape& shape, std::mt19937& random) {
    std::uniform_real_distribution<double> chance(0, 1);
    Position position(shape.rows, shape.cols, 0);
    std::vector<char> mine(static_cast<std::size_t>(position.Size()));
    int mines = 0;
    for (auto& m : mine) {
        m = chance(random) < shape.density ? 1 : 0;
        mines += m;
    }
    const auto minesAround = [&](int index) {
        int around = 0;
        position.ForEachNeighbour(
            index, [&](int next) { around += mine[static_cast<std::size_t>(next)]; });
        return around;
    };
    int marks = 0;
    int covered = position.Size();
    for (int index = 0; index < position.Size(); ++index) {
        const bool opened = chance(random) < shape.uncovered || covered > 20;
        const bool isMine = mine[static_cast<std::size_t>(index)] != 0;
        if ((opened && isMine && chance(random) < shape.marked) ||
            (!isMine && chance(random) < shape.faults)) {
            position.SetMark(index, chance(random) < 0.5);
            ++marks;
            --covered;
        } else if (opened && !isMine) {
            int around = minesAround(index);
            if (chance(random) < shape.faults) {
                around = std::clamp(around + (chance(random) < 0.5 ? -1 : 1), 0, 8);
            }
            position.SetNumber(index, around);
            --covered;
        }
    }
    const int fault = chance(random) < shape.faults ? (chance(random) < 0.5 ? -1 : 1) : 0;
    position.SetMinesLeft(mines - marks + fault);
    return position;
}

constexpr int kPositionsPerShape = 150;

// The positions met by a player who follows the analysis: real frontiers, guesses common.
void AddPlayedPositions(const Shape& shape, std::uint64_t seed, std::vector<Position>& positions) {
    testing::SimulatedGame game(shape.rows, shape.cols,
                                static_cast<int>(shape.density * shape.rows * shape.cols), seed);
    if (game.OpeningCell() < 0) {
        return;
    }
    game.Uncover(game.OpeningCell());
    while (positions.size() < kPositionsPerShape) {
        const Position& position = game.Seen();
        const Analysis analysis = Analyse(position);
        const std::string text = position.ToText();
        if (std::count(text.begin(), text.end(), '.') <= 20) {
            positions.push_back(position);
        }
        if (analysis.verdict == Verdict::NothingLeft) {
            return;
        }
        game.Follow(analysis);
    }
}

std::vector<Position> Positions(const Shape& shape) {
    std::mt19937 random(static_cast<unsigned>(shape.rows * 100 + shape.cols));
    std::vector<Position> positions;
    for (std::uint64_t seed = 1; positions.size() < kPositionsPerShape; ++seed) {
        if (shape.played) {
            AddPlayedPositions(shape, seed, positions);
        } else {
            positions.push_back(RandomPosition(shape, random));
        }
    }
    return positions;
}

void ExpectProofHolds(const Position& position, const Analysis& analysis, const Oracle& oracle,
                      const Move& move) {
    const std::optional<Proof> proof = Prove(position, analysis, move);
    ASSERT_TRUE(proof.has_value()) << move.index << "\n" << position.ToText();
    std::vector<char> use(static_cast<std::size_t>(position.Size()));
    for (const int number : proof->numbers) {
        ASSERT_TRUE(position.IsNumber(number));
        use[static_cast<std::size_t>(number)] = 1;
    }
    const auto why = [&] { return std::to_string(move.index) + "\n" + position.ToText(); };
    EXPECT_TRUE(oracle.Forces(use, proof->usesMineCount, move)) << why();
    if (proof->usesMineCount) {
        EXPECT_FALSE(oracle.Forces(use, false, move)) << "count not needed: " << why();
    }
    for (const int number : proof->numbers) {
        use[static_cast<std::size_t>(number)] = 0;
        EXPECT_FALSE(oracle.Forces(use, proof->usesMineCount, move)) << number << ": " << why();
        use[static_cast<std::size_t>(number)] = 1;
    }
}

class AnalysisOracle : public ::testing::TestWithParam<Shape> {};

// Verdict, forced cells, odds and proofs of every position against the brute force.
TEST_P(AnalysisOracle, AgreesWithEveryLayout) {
    const Shape shape = GetParam();
    int checked = 0;
    int proofs = 0;
    int refused = 0;
    std::map<Verdict, int> verdicts;
    for (const Position& position : Positions(shape)) {
        const Oracle oracle(position);
        const Oracle::Tally truth = oracle.Count({}, true);
        const Analysis analysis = Analyse(position);
        const std::string why = position.ToText();
        ++checked;
        ++verdicts[analysis.verdict];
        ASSERT_FALSE(analysis.exhausted) << why;
        if (truth.layouts == 0) {
            ASSERT_EQ(analysis.verdict, Verdict::Contradiction) << why;
            EXPECT_TRUE(analysis.unsatisfiable >= 0 && position.IsNumber(analysis.unsatisfiable))
                << why;
            EXPECT_FALSE(Prove(position, analysis,
                               Move{oracle.Covered().empty() ? 0 : oracle.Covered()[0], false})
                             .has_value());
            continue;
        }
        if (oracle.Covered().empty()) {
            EXPECT_EQ(analysis.verdict, Verdict::NothingLeft) << why;
            continue;
        }
        std::vector<Move> certain;
        for (const int cell : oracle.Covered()) {
            const std::uint64_t mines = truth.minesAt[static_cast<std::size_t>(cell)];
            if (mines == 0 || mines == truth.layouts) {
                certain.push_back(Move{cell, mines != 0});
            }
        }
        ASSERT_EQ(analysis.certain, certain) << why;
        EXPECT_EQ(analysis.verdict, certain.empty() ? Verdict::GuessNeeded : Verdict::CertainMoves);
        ASSERT_EQ(analysis.odds.size(), oracle.Covered().size()) << why;
        for (std::size_t k = 0; k < analysis.odds.size(); ++k) {
            const Odds& odds = analysis.odds[k];
            EXPECT_NEAR(odds.mine,
                        static_cast<double>(truth.minesAt[static_cast<std::size_t>(odds.index)]) /
                            static_cast<double>(truth.layouts),
                        1e-9)
                << odds.index << "\n"
                << why;
            if (k > 0) {
                const Odds& before = analysis.odds[k - 1];
                EXPECT_TRUE(before.mine < odds.mine ||
                            (before.mine == odds.mine && before.index < odds.index))
                    << why;
            }
        }
        for (const Move& move : certain) {
            if (move.index == certain.front().index || move.index == certain.back().index) {
                ExpectProofHolds(position, analysis, oracle, move);
                ++proofs;
            }
        }
        if (certain.empty()) {
            EXPECT_FALSE(
                Prove(position, analysis, Move{analysis.odds.front().index, false}).has_value());
        }
        // An analysis that is not this position's must not make an unforced move look proved.
        Analysis wrong;
        wrong.verdict = Verdict::CertainMoves;
        for (const int cell : oracle.Covered()) {
            const std::uint64_t mines = truth.minesAt[static_cast<std::size_t>(cell)];
            for (const bool mine : {false, true}) {
                if (mine ? mines == truth.layouts : mines == 0) {
                    continue;
                }
                wrong.certain = {Move{cell, mine}};
                EXPECT_FALSE(Prove(position, wrong, wrong.certain.front()).has_value())
                    << cell << (mine ? " mine\n" : " safe\n") << why;
                ++refused;
            }
        }
    }
    std::cout << shape.name << ": " << checked << " positions checked against every layout ("
              << verdicts[Verdict::CertainMoves] << " certain, " << verdicts[Verdict::GuessNeeded]
              << " guess, " << verdicts[Verdict::Contradiction] << " contradiction, "
              << verdicts[Verdict::NothingLeft] << " nothing left), " << proofs
              << " proofs checked, " << refused << " claims from a wrong analysis refused\n";
    EXPECT_GT(checked, 0);
    EXPECT_GT(refused, 0);
    for (const Verdict verdict : shape.met) {
        EXPECT_GT(verdicts[verdict], 0) << static_cast<int>(verdict);
    }
}

INSTANTIATE_TEST_SUITE_P(
    SmallPositions, AnalysisOracle,
    ::testing::Values(
        Shape{"strip", 2, 10, 0.25, 0.5, 0.5, 0, false, {Verdict::CertainMoves}},
        Shape{"dense", 4, 6, 0.4, 0.5, 0.8, 0, false, {Verdict::GuessNeeded}},
        Shape{"faulty", 4, 5, 0.25, 0.5, 0.8, 0.05, false, {Verdict::Contradiction}},
        Shape{"played 6x6", 6, 6, 0.2, 0, 0, 0, true, {Verdict::GuessNeeded, Verdict::NothingLeft}},
        Shape{"played 5x9", 5, 9, 0.17, 0, 0, 0, true, {Verdict::GuessNeeded}}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

}  // namespace
}  // namespace dravik::analysis
