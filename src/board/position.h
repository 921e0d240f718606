#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

class Board;

// Two different cells that touch, side by side or corner to corner.
inline bool Adjacent(int row, int col, int otherRow, int otherCol) {
    return std::abs(row - otherRow) <= 1 && std::abs(col - otherCol) <= 1 &&
           (row != otherRow || col != otherCol);
}

// What the player sees of one cell.
enum class Seen : std::uint8_t { Covered, UserMark, AutomaticMark, Number };

// A read-only picture of a board as the player sees it: each cell covered, marked (by the player
// or by the game) or an uncovered number, and the mines left as the counter shows them. Any size
// is valid, so reasoning about a board can be tried on small pictures. Rows, columns and indexes
// count from 0 here; index = row * Cols() + col.
//
// The text form is one line "mines N" followed by one line per row, a character per cell
// (spaces between cells are allowed and ignored):
//   . covered   @ player's mark   ! automatic mark   0-8 uncovered number
class Position {
  public:
    Position() = default;
    // All cells covered.
    Position(int rows, int cols, int minesLeft);

    static Position FromBoard(const Board& board);
    // Throws std::invalid_argument on a malformed picture.
    static Position FromText(std::string_view text);
    std::string ToText() const;

    int Rows() const { return rows_; }
    int Cols() const { return cols_; }
    int Size() const { return rows_ * cols_; }
    int MinesLeft() const { return minesLeft_; }
    void SetMinesLeft(int minesLeft) { minesLeft_ = minesLeft; }

    int Index(int row, int col) const { return row * cols_ + col; }
    int RowOf(int index) const { return index / cols_; }
    int ColOf(int index) const { return index % cols_; }

    Seen At(int index) const;
    // The number of an uncovered cell; 0 for any other.
    int Number(int index) const { return IsNumber(index) ? Code(index) : 0; }
    bool IsCovered(int index) const { return Code(index) == kCovered; }
    bool IsMarked(int index) const {
        return Code(index) == kUserMark || Code(index) == kAutomaticMark;
    }
    bool IsNumber(int index) const { return Code(index) <= kHighestNumber; }

    void SetCovered(int index) { cells_.at(Slot(index)) = kCovered; }
    void SetMark(int index, bool userMark) {
        cells_.at(Slot(index)) = userMark ? kUserMark : kAutomaticMark;
    }
    // number in 0..8
    void SetNumber(int index, int number);

    // The up to eight neighbours of a cell, in reading order.
    template <typename Visit>
    void ForEachNeighbour(int index, Visit&& visit) const {
        const int row = RowOf(index);
        const int col = ColOf(index);
        for (int r = row - 1; r <= row + 1; ++r) {
            for (int c = col - 1; c <= col + 1; ++c) {
                if ((r != row || c != col) && r >= 0 && r < rows_ && c >= 0 && c < cols_) {
                    visit(Index(r, c));
                }
            }
        }
    }

    bool operator==(const Position&) const = default;

  private:
    // A cell's code: its number when uncovered, else one of these.
    static constexpr std::uint8_t kHighestNumber = 8;
    static constexpr std::uint8_t kCovered = 9;
    static constexpr std::uint8_t kUserMark = 10;
    static constexpr std::uint8_t kAutomaticMark = 11;

    std::size_t Slot(int index) const { return static_cast<std::size_t>(index); }
    std::uint8_t Code(int index) const { return cells_.at(Slot(index)); }

    int rows_ = 0;
    int cols_ = 0;
    int minesLeft_ = 0;
    std::vector<std::uint8_t> cells_;
};

}  // namespace dravik
