// solver GAMES SEED [PARTS [RESULTS]]: how often complete logic and the guess chooser clear seeded
// 30 x 16 boards with 99 mines from a first click in the top-left corner, beside the safest-cell
// policy, and what each guess costs. Game k has the same layout whatever the number of threads.
// PARTS measures what each part of the chooser gains: "all" (the default), "look-ahead" (no exact
// ending) or "ending" (the exact ending, else the safest cell), each followed by the chooser's
// options switched on or off ("+dead", "-blend", "+ratio": see GuessOptions). RESULTS, when given,
// receives one line a game ("classic safest hits": won 1 or lost 0, and the mines hit under the
// game's rules): two runs on the same seed then compare game by game (bench/paired.py), whose
// standard error over 100,000 games is a few hundredths of a point where two seeds differ by about
// 0.2.

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "analysis/guess.h"
#include "cpu_stats.h"
#include "stall_play.h"

using dravik::Position;
using dravik::testing::SimulatedGame;
using namespace dravik::analysis;
using namespace dravik::bench;

namespace {

constexpr int kThreads = 2;
constexpr int kCorner = 0;
// By ratio every cell that qualifies is weighed.
constexpr int kUncapped = 1000;

enum class Policy { Chooser, Safest };
// Classic rules end the game at the first mine hit; this game's rules mark it and play on.
enum class Until { FirstHit, Cleared };

struct Outcome {
    bool won = false;
    int hits = 0;
};

int FirstCovered(const Position& position) {
    for (int index = 0; index < position.Size(); ++index) {
        if (position.IsCovered(index)) {
            return index;
        }
    }
    return -1;
}

// Complete logic while it finds moves, else a guess.
Outcome Play(SimulatedGame game, Policy policy, const GuessOptions& options, Until until,
             std::vector<double>& millis) {
    Outcome outcome;
    for (int cell = kCorner; cell >= 0;) {
        if (!game.Uncover(cell)) {
            ++outcome.hits;
            if (until == Until::FirstHit) {
                return outcome;
            }
        }
        cell = -1;
        while (!game.Finished() && cell < 0) {
            RunToStandstill(game, ObviousMoves);
            if (game.Finished()) {
                break;
            }
            const Analysis analysis = Analyse(game.Seen(), Limits{Limits{}.nodeBudget, false});
            if (!analysis.certain.empty()) {
                if (game.Follow(analysis) > 0) {
                    throw std::logic_error("a certain move was wrong");
                }
                continue;
            }
            if (policy == Policy::Safest) {
                cell =
                    analysis.odds.empty() ? FirstCovered(game.Seen()) : analysis.odds.front().index;
                continue;
            }
            const double start = ThreadMilliseconds();
            const Guess guess = ChooseGuess(game.Seen(), analysis, options);
            millis.push_back(ThreadMilliseconds() - start);
            cell = guess.cell >= 0 ? guess.cell : FirstCovered(game.Seen());
        }
    }
    outcome.won = outcome.hits == 0;
    return outcome;
}

struct Record {
    Outcome classic, safest, rules;
};

bool WriteResults(std::FILE* file, const std::vector<Record>& records) {
    bool written = true;
    for (const Record& record : records) {
        written = std::fprintf(file, "%d %d %d\n", record.classic.won ? 1 : 0,
                               record.safest.won ? 1 : 0, record.rules.hits) > 0 &&
                  written;
    }
    return std::fclose(file) == 0 && written;
}

// Which games a run plays: all three, or only the chooser's classic games (a quicker screen of a
// change) or only its games under this game's rules; the columns not played read 0.
enum class Games { All, Classic, Rules };

struct Run {
    GuessOptions options;
    Games games = Games::All;
};

// A name followed by a number: "+candidates20", "+margin15" (hundredths), "+bonus20"
// (hundredths), "+pocket6", "+budget600" (thousands of work units), "+layouts1200", "+dense500".
bool Tuned(const std::string& name, const std::string& base, double& value) {
    if (!name.starts_with(base) || name.size() == base.size()) {
        return false;
    }
    char* end = nullptr;
    value = std::strtod(name.c_str() + base.size(), &end);
    return *end == '\0';
}

// "all", "look-ahead" or "ending", then options switched on or off: "all-blend+dead", and
// "+classic" or "+rules" for those games alone.
bool ReadParts(const std::string& parts, Run& run) {
    GuessOptions& options = run.options;
    std::size_t end = 0;
    for (const std::string base : {"all", "look-ahead", "ending"}) {
        if (parts.starts_with(base)) {
            end = base.size();
        }
    }
    if (parts.starts_with("look-ahead")) {
        options.ending.layouts = 0;
    } else if (parts.starts_with("ending")) {
        options.candidates = 1;
    } else if (end == 0) {
        return false;
    }
    if (end < parts.size() && parts[end] != '+' && parts[end] != '-') {
        return false;
    }
    for (std::size_t at = end; at < parts.size();) {
        const bool on = parts[at] == '+';
        const std::size_t next = std::min(parts.find_first_of("+-", at + 1), parts.size());
        const std::string name = parts.substr(at + 1, next - at - 1);
        double value = 0;
        if (name == "dead") {
            options.deadCells = on;
        } else if (name == "blend") {
            options.score = on ? Score::Blend : Score::TwoSteps;
        } else if (name == "wide") {
            options.ending.dense = on ? 250 : 0;
            options.ending.deadLast = on;
        } else if (name == "deep") {
            const EndingLimits ending;
            options.ending.budget = on ? 4 * ending.budget : ending.budget;
            options.ending.layouts = on ? 4 * ending.layouts : ending.layouts;
        } else if (name == "pairs") {
            options.fiftyFiftyFirst = on;
        } else if (name == "blocks") {
            options.fiftyFiftyBlocks = on;
        } else if (name == "bonus") {
            options.breakBonus = on ? 0.9 : 0;
        } else if (Tuned(name, "bonus", value)) {
            options.breakBonus = value / 100;
        } else if (name == "deeper") {
            options.deeperCandidates = on ? 3 : 0;
        } else if (Tuned(name, "deeper", value)) {
            options.deeperCandidates = static_cast<int>(value);
        } else if (Tuned(name, "deepcells", value)) {
            options.deeperCells = static_cast<int>(value);
        } else if (Tuned(name, "candidates", value)) {
            options.candidates = static_cast<int>(value);
        } else if (Tuned(name, "margin", value)) {
            options.margin = value / 100;
        } else if (Tuned(name, "pocket", value)) {
            options.smallPocket = static_cast<int>(value);
        } else if (Tuned(name, "budget", value)) {
            options.ending.budget = static_cast<long>(value * 1000);
            options.lookAheadBudget = std::max(options.lookAheadBudget, options.ending.budget);
        } else if (Tuned(name, "layouts", value)) {
            options.ending.layouts = static_cast<int>(value);
        } else if (Tuned(name, "dense", value)) {
            options.ending.dense = value;
        } else if (name == "pockets") {
            options.smallPocket = on ? GuessOptions{}.smallPocket : 0;
        } else if (name == "order") {
            options.ending.ordered = on;
        } else if (name == "classic" || name == "rules") {
            run.games = !on ? Games::All : name == "classic" ? Games::Classic : Games::Rules;
        } else if (Tuned(name, "look", value)) {
            options.lookAheadBudget = static_cast<long>(value * 1000);
        } else if (Tuned(name, "awaymany", value)) {
            options.awayMany = static_cast<int>(value);
        } else if (Tuned(name, "second", value)) {
            options.secondShare = value / 100;
        } else if (name == "ratio") {
            options.candidacy = on ? Candidacy::Ratio : Candidacy::Margin;
            options.candidates = on ? kUncapped : GuessOptions{}.candidates;
        } else {
            return false;
        }
        at = next;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr, "usage: solver GAMES SEED [PARTS [RESULTS]]\n");
        return 2;
    }
    Run run;
    const GuessOptions& options = run.options;
    if (!ReadParts(argc >= 4 ? argv[3] : "all", run)) {
        std::fprintf(
            stderr,
            "solver: PARTS is all, look-ahead or ending, each followed by any of +dead +blend\n"
            "+ratio +wide +deep +pairs +blocks +bonus +pockets +order +deeper (or - for off),\n"
            "+candidatesN +marginN +bonusN +secondN +pocketN +awaymanyN +budgetN +lookN\n"
            "+layoutsN +denseN +deeperN +deepcellsN, +classic or +rules\n");
        return 2;
    }
    const int games = std::atoi(argv[1]);
    const auto seed = std::strtoull(argv[2], nullptr, 10);
    if (games <= 0) {
        std::fprintf(stderr, "solver: GAMES must be a positive number\n");
        return 2;
    }

    // Opened before the games are played, so a path that cannot be written fails at once rather
    // than after an hour's run.
    std::FILE* results = argc == 5 ? std::fopen(argv[4], "w") : nullptr;
    if (argc == 5 && results == nullptr) {
        std::fprintf(stderr, "solver: cannot write %s\n", argv[4]);
        return 1;
    }

    std::vector<Record> records(static_cast<std::size_t>(games));
    std::vector<std::vector<double>> millis(kThreads);
    std::atomic<int> next{0};
    const auto work = [&](std::vector<double>& mine) {
        std::vector<double> unused;
        for (int game = next++; game < games; game = next++) {
            const std::uint64_t layout = LayoutSeed(seed, game);
            Record& record = records[static_cast<std::size_t>(game)];
            const SimulatedGame classic(kRows, kCols, kMines, layout, kCorner);
            if (run.games != Games::Rules) {
                record.classic = Play(classic, Policy::Chooser, options, Until::FirstHit, mine);
            }
            if (run.games == Games::All) {
                record.safest = Play(classic, Policy::Safest, options, Until::FirstHit, unused);
            }
            if (run.games != Games::Classic) {
                record.rules = Play(SimulatedGame(kRows, kCols, kMines, layout), Policy::Chooser,
                                    options, Until::Cleared, mine);
            }
        }
    };
    const double start = static_cast<double>(std::clock());
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back(work, std::ref(millis[static_cast<std::size_t>(t)]));
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    const double cpu = (static_cast<double>(std::clock()) - start) / CLOCKS_PER_SEC;

    int classicWon = 0;
    int safestWon = 0;
    int rulesClean = 0;
    long hits = 0;
    for (const Record& record : records) {
        classicWon += record.classic.won ? 1 : 0;
        safestWon += record.safest.won ? 1 : 0;
        rulesClean += record.rules.won ? 1 : 0;
        hits += record.rules.hits;
    }
    std::vector<double> all;
    for (const std::vector<double>& part : millis) {
        all.insert(all.end(), part.begin(), part.end());
    }
    std::sort(all.begin(), all.end());

    if (results != nullptr && !WriteResults(results, records)) {
        std::fprintf(stderr, "solver: cannot write %s\n", argv[4]);
        return 1;
    }
    const double n = games;
    std::printf("cpu: %.1f s in all threads\n", cpu);
    std::printf("classic: %.2f %% won, safest cell %.2f %% won, over %d games\n",
                100.0 * classicWon / n, 100.0 * safestWon / n, games);
    std::printf("game rules: %.2f %% without a mine hit, %.3f mines hit a game, over %d games\n",
                100.0 * rulesClean / n, static_cast<double>(hits) / n, games);
    if (all.empty()) {
        std::printf("guess: median 0 ms, p99 0 ms, max 0 ms over 0 guesses\n");
    } else {
        std::printf("guess: median %.2f ms, p99 %.2f ms, max %.2f ms over %zu guesses\n",
                    Percentile(all, 0.5), Percentile(all, 0.99), all.back(), all.size());
    }
    return 0;
}
