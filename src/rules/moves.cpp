#include "rules/moves.h"

namespace dravik {

// Opening around a number compares its marks with the mines the grid holds around it; marking
// around it compares with the number shown, and only when the marks fall short of the mines.
void Moves::ClickCell(std::int16_t index) {
    const CellRef cell = board_.CellAt(index);
    if (board_.MineGrid(cell.row, cell.col) != 0) {
        if (board_.IsMarked(index)) {
            IdleClick();
        } else {
            MineHit(cell);
        }
        return;
    }
    if (board_.IsCovered(index)) {
        UncoverCell(cell);
        return;
    }
    const std::int16_t number = board_.CellNumber(index);
    if (number <= 0) {
        IdleClick();
        return;
    }
    const Board::NeighbourCounts around = board_.CountCoveredAndMarks(cell);
    if (around.marks == board_.AdjacentMineCount(cell.row, cell.col)) {
        if (around.covered > 0) {
            OpenAroundNumber(cell);
        } else {
            IdleClick();
        }
    } else if (number == around.covered + around.marks) {
        MarkAroundNumber(cell);
    } else {
        FollowUp();  // a number that allows neither is still a turn
    }
}

void Moves::ToggleMark(std::int16_t index) {
    if (board_.IsCovered(index)) {
        play_.MarkCell(index, true);
    } else if (board_.IsMarked(index)) {
        play_.UnmarkCell(index);
    }
    FollowUp();
}

void Moves::UncoverCell(const CellRef& cell) {
    play_.UncoverCell(cell.index, cell.row, cell.col);
    FollowUp();
}

void Moves::OpenAroundNumber(const CellRef& cell) {
    play_.UncoverNeighbours(cell.index, cell.row, cell.col);
    FollowUp();
}

void Moves::MarkAroundNumber(const CellRef& cell) {
    play_.MarkNeighbours(cell.index, cell.row, cell.col);
    FollowUp();
}

// In keep-up mode the hit is the whole turn: it scores, and neither the opponent nor the win
// test follows.
void Moves::MineHit(const CellRef& cell) {
    play_.MineAlarm();
    play_.MarkCell(cell.index, false);
    if (keepUp_.On()) {
        keepUp_.ScoreMineHit();
        return;
    }
    FollowUp();
}

void Moves::FollowUp() {
    keepUp_.AfterMove(opponent_);
    play_.CheckForWin();
}

void Moves::IdleClick() {
    if (keepUp_.On()) {
        return;
    }
    play_.CheckForWin();
}

}  // namespace dravik
