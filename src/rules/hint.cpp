#include "rules/hint.h"

#include <cmath>
#include <optional>

#include "analysis/guess.h"
#include "toolkit/text.h"

namespace dravik {

namespace {

// "row R, column C", counted from 1 as the player counts them.
std::string CellName(const Position& position, int index) {
    return "row " + FormatPlain(position.RowOf(index) + 1) + ", column " +
           FormatPlain(position.ColOf(index) + 1);
}

std::string Capitalised(std::string text) {
    if (!text.empty() && text.front() >= 'a' && text.front() <= 'z') {
        text.front() = static_cast<char>(text.front() - 'a' + 'A');
    }
    return text;
}

std::string NumberAt(const Position& position, int index) {
    return "the " + FormatPlain(position.Number(index)) + " at " + CellName(position, index);
}

// "a", "a and b", "a, b and c".
std::string JoinedList(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (k > 0) {
            text += k + 1 == items.size() ? " and " : ", ";
        }
        text += items[k];
    }
    return text;
}

std::string ProofLine(const Position& position, const analysis::Proof& proof) {
    std::vector<std::string> items;
    for (const int number : proof.numbers) {
        items.push_back(NumberAt(position, number));
    }
    if (proof.usesMineCount) {
        items.emplace_back("the count of mines left");
    }
    return "Proof: " + JoinedList(items) + ".";
}

// A whole percent that never rounds a real chance away to 0, nor an uncertain cell up to 100.
int WholePercent(double chance) {
    int percent = static_cast<int>(std::lround(chance * 100.0));
    if (chance > 0.0 && percent < 1) {
        percent = 1;
    }
    if (chance < 1.0 && percent > 99) {
        percent = 99;
    }
    return percent;
}

}  // namespace

// Proofs are costly, so the search stops at the first one-number proof (the moves come in reading
// order) unless the mine count alone could force a cell, which would cite no number at all.
std::optional<ProvedMove> EasiestMove(const Position& position, const analysis::Analysis& found,
                                      const analysis::Limits& limits) {
    int covered = 0;
    for (int index = 0; index < position.Size(); ++index) {
        covered += position.IsCovered(index) ? 1 : 0;
    }
    const bool countAloneMayForce = position.MinesLeft() == 0 || position.MinesLeft() == covered;
    const std::size_t fewestPossible = countAloneMayForce ? 0 : 1;
    std::optional<ProvedMove> best;
    for (const analysis::Move& move : found.certain) {
        std::optional<analysis::Proof> proof = analysis::Prove(position, found, move, limits);
        if (!proof) {
            continue;
        }
        const bool fewer = best && proof->numbers.size() < best->proof.numbers.size();
        const bool tieEarlier = best && proof->numbers.size() == best->proof.numbers.size() &&
                                move.index < best->move.index;
        if (!best || fewer || tieEarlier) {
            best = ProvedMove{move, std::move(*proof)};
        }
        if (best->proof.numbers.size() <= fewestPossible) {
            break;
        }
    }
    return best;
}

namespace {

// The guess that gives the best chance to win, which need not be the safest cell: a cell that
// is a little riskier but whose number will settle more of the board is often worth more.
HintFinding Guess(const Position& position, const analysis::Analysis& found) {
    HintFinding finding;
    finding.text = "No cell is certain: a guess is needed.";
    const analysis::Guess guess = analysis::ChooseGuess(position, found);
    if (guess.cell < 0) {
        return finding;
    }
    finding.cell = guess.cell;
    finding.text += "\rThe best guess is " + CellName(position, guess.cell) +
                    ", a mine with chance " + FormatPlain(WholePercent(guess.mine)) + " %.";
    if (guess.safer >= 0) {
        finding.text += "\r" + Capitalised(CellName(position, guess.safer)) + " is safer (" +
                        FormatPlain(WholePercent(guess.saferMine)) +
                        " %), but gives less to go on.";
    }
    return finding;
}

}  // namespace

HintFinding Hint::Find(const Position& position, const analysis::Limits& limits) {
    const analysis::Analysis analysis = analysis::Analyse(position, limits);
    HintFinding finding;
    if (analysis.verdict == analysis::Verdict::Contradiction) {
        finding.text = "The marks contradict the numbers.";
        if (analysis.unsatisfiable >= 0) {
            finding.cell = analysis.unsatisfiable;
            finding.text += "\r" + Capitalised(NumberAt(position, analysis.unsatisfiable)) +
                            " cannot be satisfied.";
        }
        return finding;
    }
    if (analysis.verdict == analysis::Verdict::NothingLeft) {
        finding.text = "Nothing is left to find.";
        return finding;
    }
    if (const auto easiest = EasiestMove(position, analysis, limits)) {
        finding.cell = easiest->move.index;
        finding.proof = easiest->proof.numbers;
        finding.text = Capitalised(CellName(position, easiest->move.index)) +
                       (easiest->move.mine ? " is a mine." : " is safe.") + "\r" +
                       ProofLine(position, easiest->proof);
        return finding;
    }
    if (analysis.verdict == analysis::Verdict::GuessNeeded) {
        return Guess(position, analysis);
    }
    finding.text = "No certain move was found in time.";
    return finding;
}

void Hint::ShowHint() {
    if (board_.Laying == MineLaying::AwaitingFirstClick) {
        board_.SetOutlines(-1, {});
        context_.MsgBox("Any covered cell is safe: the first click opens a region.");
        return;
    }
    const HintFinding finding = Find(Position::FromBoard(board_));
    board_.SetOutlines(finding.cell, finding.proof);
    context_.MsgBox(finding.text);
}

}  // namespace dravik
