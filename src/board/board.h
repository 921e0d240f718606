#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "board/mine_grid.h"
#include "board/random_source.h"
#include "toolkit/controls.h"
#include "toolkit/text.h"

namespace dravik {

// Kinds of cell, as bits of the set CountInBlock takes.
constexpr std::int16_t kKindCovered = 1;
constexpr std::int16_t kKindUncovered = 2;
constexpr std::int16_t kKindMarked = 4;

inline constexpr const char* kMarkCaption = "@";
// Palette colours of a mark: the player's own, and the game's (a rule's or a hit mine's).
constexpr int kUserMarkColour = 13;       // light magenta
constexpr int kAutomaticMarkColour = 12;  // light red

// The frame and the window the board sizes for its layout; the window owns them.
struct BoardControls {
    Frame& SSPanel1;
    WindowFrame& window;
};

// The size of a board: the player's choice of level, or any custom one.
struct BoardSize {
    std::int16_t Cols = 30;
    std::int16_t Rows = 16;
    std::int16_t MineCount = 99;
    bool operator==(const BoardSize&) const = default;
};

// The levels a player can choose; Expert is the board every game starts on.
inline constexpr BoardSize kBeginner{9, 9, 10};
inline constexpr BoardSize kIntermediate{16, 16, 40};
inline constexpr BoardSize kExpert{30, 16, 99};

// A cell by index and by position; the three always agree.
struct CellRef {
    std::int16_t index;
    std::int16_t row;  // 1..Rows
    std::int16_t col;  // 1..Cols
};

// Where a game's mines come from: drawn at random when the game starts, or, on a no-guess board,
// laid at the first click that uncovers a cell (the grid holds none until then) so that the
// numbers alone win the game.
enum class MineLaying : std::int8_t { Random, AwaitingFirstClick, NoGuess };

// Everything a game changes, as one value: the board variables, the minefield, the cells and
// the counters that show them. Saving a game is a copy of it and putting it back one
// assignment, so a field added here can never be left out.
struct BoardState {
    // The board variables: 0 when the window is created.
    std::int16_t Rows = 0;
    std::int16_t Cols = 0;
    std::int16_t MineCount = 0;
    std::int16_t CellSize = 0;
    std::int16_t LargeScreen = 0;
    std::int16_t MarkCount = 0;
    std::int16_t PlotsLeft = 0;
    std::int16_t KeepUpScore = 0;
    std::int16_t KeyHeld = 0;
    std::int16_t MouseButton = 0;
    std::int16_t StopFlag = 0;
    MineGridArray MineGrid;
    MineLaying Laying = MineLaying::Random;

    // The controls of the main window that show the game; the window shows these very ones.
    std::vector<Label> cmdMine;  // element 0 is the template cell
    TextBox txtMines;
    TextBox txtPlots;
    Label lblKeepUp;
    // The cells a hint outlined (its cell and the numbers that prove it). They stand for a proof
    // about the board as it was, so every change of a cell takes them all off.
    std::vector<std::int16_t> Outlined;

    bool operator==(const BoardState&) const = default;
};

// The game state of the main window and the queries that read it. A cell's state is its
// caption: "" covered, "@" marked, anything else uncovered; every query reads it afresh.
class Board : public BoardState {
  public:
    explicit Board(const BoardControls& controls) : controls_(controls) {}

    const BoardState& State() const { return *this; }
    void SetState(const BoardState& state) { static_cast<BoardState&>(*this) = state; }

    // Queries. Rows and columns count from 1, indexes from 0; index must be CellIndex(row, col).
    std::int16_t CellIndex(std::int16_t row, std::int16_t col) const {
        return static_cast<std::int16_t>((row - 1) * Cols + (col - 1));
    }
    CellRef CellAt(std::int16_t index) const {
        return CellRef{index, static_cast<std::int16_t>(index / Cols + 1),
                       static_cast<std::int16_t>(index % Cols + 1)};
    }
    std::int16_t AdjacentMineCount(std::int16_t row, std::int16_t col) const;
    // Cells of the block whose kind is in the bit set kinds; the block must lie on the board.
    std::int16_t CountInBlock(std::int16_t kinds, std::int16_t colFrom, std::int16_t rowFrom,
                              std::int16_t colTo, std::int16_t rowTo) const;
    // Caption colour for a count of mines (0..8 in play).
    static Colour MinesColour(std::int16_t nofmines);

    // The one way to change a cell: whatever changes, the outlines of the last hint no longer
    // hold and go.
    Label& ChangeCell(std::int16_t index) {
        if (!Outlined.empty()) {
            ClearOutlines();
        }
        return cmdMine.at(static_cast<std::size_t>(index));
    }
    const Label& Cell(std::int16_t index) const {
        return cmdMine.at(static_cast<std::size_t>(index));
    }
    const std::string& Caption(std::int16_t index) const { return Cell(index).Caption; }
    bool IsCovered(std::int16_t index) const { return Caption(index).empty(); }
    bool IsMarked(std::int16_t index) const { return Caption(index) == kMarkCaption; }
    // The number a cell's caption reads as: 1..8 for numbered cells, 0 for "", "@" and "0".
    std::int16_t CellNumber(std::int16_t index) const { return TextToInt16(Caption(index)); }

    // The neighbours of a cell in the fixed order above, below, left, right, above-left,
    // above-right, below-left, below-right; those off the board are skipped.
    template <typename Visit>
    void ForEachNeighbour(const CellRef& cell, Visit&& visit) const {
        // Every query walks neighbours, and most cells lie inside the rim, where all eight exist:
        // one test for the cell instead of one for each neighbour.
        if (cell.row > 1 && cell.row < Rows && cell.col > 1 && cell.col < Cols) {
            for (const Step& step : kNeighbourOrder) {
                visit(CellRef{static_cast<std::int16_t>(cell.index + step.dRow * Cols + step.dCol),
                              static_cast<std::int16_t>(cell.row + step.dRow),
                              static_cast<std::int16_t>(cell.col + step.dCol)});
            }
            return;
        }
        for (std::size_t k = 0; k < kNeighbourOrder.size(); ++k) {
            CellRef next{};
            if (Neighbour(cell, k, next)) {
                visit(next);
            }
        }
    }
    static constexpr std::size_t kNeighbourCount = 8;
    // The k-th neighbour in that order, if it lies on the board.
    bool Neighbour(const CellRef& cell, std::size_t k, CellRef& out) const {
        const Step step = kNeighbourOrder[k];
        const int row = cell.row + step.dRow;
        const int col = cell.col + step.dCol;
        if (row < 1 || row > Rows || col < 1 || col > Cols) {
            return false;
        }
        out = CellRef{static_cast<std::int16_t>(cell.index + step.dRow * Cols + step.dCol),
                      static_cast<std::int16_t>(row), static_cast<std::int16_t>(col)};
        return true;
    }

    // The covered and the marked neighbours of one cell, counted in a single walk: the rules ask
    // for both at every number on every scan.
    struct NeighbourCounts {
        std::int16_t covered = 0;
        std::int16_t marks = 0;
    };
    NeighbourCounts CountCoveredAndMarks(const CellRef& cell) const;

    // Outlines a hint's cell (none when cell < 0) and the numbers of its proof, in place of any
    // earlier ones. They stay until a cell changes.
    void SetOutlines(int cell, const std::vector<int>& proof);

    // Counter texts: "000", and one digit more on a board of 1,000 cells or more, where the
    // count of cells needs it.
    void ShowMineCounter();
    void ShowPlotsCounter();

    // Start of a game. The layout (0 normal, 1 large cells) gives the cell size; the window and
    // its panel follow the board's size, never narrower than the strip of controls above it.
    void SetLayout(std::int16_t layout, const BoardSize& size = kExpert);
    // True when the cells built are not those of the board SetLayout last sized: BuildBoard
    // must make them again.
    bool NeedsBuilding() const;
    void BuildBoard();
    void ResetBoard();
    void LayMineField(const RandomSource& random);
    void ClearMineGrid();

  private:
    struct Step {
        int dRow;
        int dCol;
    };
    static constexpr std::array<Step, kNeighbourCount> kNeighbourOrder = {
        {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, -1}, {-1, 1}, {1, -1}, {1, 1}}};

    void ResetCounters();
    void ClearOutlines();
    [[gnu::noinline]] NeighbourCounts CountCoveredAndMarksOnRim(const CellRef& cell) const;

    BoardControls controls_;
};

}  // namespace dravik
