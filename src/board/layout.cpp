#include <algorithm>
#include <utility>

#include "board/board.h"

namespace dravik {

namespace {

// Geometry of the two layouts, in twips (font sizes in points). The panel and the window are
// sized for the board: the grid of cells plus the margins they have around the Expert board.
struct LayoutMetrics {
    bool movesWindow;
    int windowLeft;
    int windowTop;
    int panelMarginWidth;    // panel width less the width of the cells
    int panelMarginHeight;   // panel height less the height of the cells
    int windowMarginWidth;   // window width less the panel's
    int windowMarginHeight;  // window height less the panel's: the strip, the menu and the frame
    std::int16_t cellSize;
    float fontSize;
};

// At Expert these give the windows of 8085 x 5715 and 11850 x 7800 twips and the panels of
// 7905 x 4365 and 11700 x 6400.
constexpr LayoutMetrics kNormal{false, 0, 0, 255, 285, 180, 1350, 255, 8.25f};
constexpr LayoutMetrics kLarge{true, 90, 195, 210, 272, 150, 1400, 383, 12.0f};

// Where the first cell sits inside the panel of a board at least as wide as the strip.
constexpr int kGridLeft = 60;
constexpr int kGridTop = 120;
// The narrowest panel: the strip of counters, buttons and check boxes above it must fit.
constexpr int kStripWidth = 7905;

const LayoutMetrics& Metrics(std::int16_t layout) {
    return layout == 1 ? kLarge : kNormal;
}

}  // namespace

void Board::SetLayout(std::int16_t layout, const BoardSize& size) {
    const LayoutMetrics& m = Metrics(layout);
    Cols = size.Cols;
    Rows = size.Rows;
    MineCount = size.MineCount;
    const int cellsWidth = Cols * m.cellSize + m.panelMarginWidth;
    const int panelWidth = std::max(cellsWidth, kStripWidth);
    const int panelHeight = Rows * m.cellSize + m.panelMarginHeight;
    WindowFrame& window = controls_.window;
    if (m.movesWindow) {
        window.Left = m.windowLeft;
        window.Top = m.windowTop;
    }
    window.Height = panelHeight + m.windowMarginHeight;
    window.Width = panelWidth + m.windowMarginWidth;
    controls_.SSPanel1.Height = panelHeight;
    controls_.SSPanel1.Width = panelWidth;
    CellSize = m.cellSize;
    Label& cellTemplate = cmdMine.at(0);
    // A board narrower than the strip sits in the middle of the panel.
    cellTemplate.Left = kGridLeft + (panelWidth - cellsWidth) / 2;
    cellTemplate.Top = kGridTop;
    cellTemplate.Width = CellSize;
    cellTemplate.Height = CellSize;
    cellTemplate.FontInfo.Size = m.fontSize;
    MineGrid.Recreate(Rows, Cols);
}

bool Board::NeedsBuilding() const {
    const std::size_t count = static_cast<std::size_t>(Rows) * static_cast<std::size_t>(Cols);
    if (cmdMine.size() != count) {
        return true;
    }
    // The same number of cells may form another grid, or the same grid of other cells.
    const Label& first = cmdMine.front();
    const Label& last = cmdMine.back();
    return last.Left != first.Left + CellSize * (Cols - 1) ||
           last.Top != first.Top + CellSize * (Rows - 1) || last.Width != first.Width ||
           last.Height != first.Height || last.FontInfo != first.FontInfo;
}

namespace {

// The covered state every game starts from.
void Cover(Label& cell) {
    cell.Visible = true;
    cell.Caption.clear();
    // The fourth display property every replay sets to 1: the opaque background, so a cell
    // always paints its colour over the panel.
    cell.BackStyle = kBackOpaque;
    cell.BorderStyle = kBorderFixedSingle;
    cell.BackColor = kButtonFace;
}

}  // namespace

void Board::BuildBoard() {
    ClearOutlines();
    std::vector<Label>& cells = cmdMine;
    // The template: every other cell is made from it, once per run and again for each new size.
    cells.resize(1);
    Cover(cells.front());
    cells.reserve(static_cast<std::size_t>(Rows) * static_cast<std::size_t>(Cols));
    const int left = cells.front().Left;
    const int top = cells.front().Top;
    for (int r0 = 0; r0 < Rows; ++r0) {
        for (int c0 = 0; c0 < Cols; ++c0) {
            if (r0 == 0 && c0 == 0) {
                continue;
            }
            Label cell = cells.front();
            cell.Visible = false;
            cell.Left = CellSize * c0 + left;
            cell.Top = CellSize * r0 + top;
            cell.Visible = true;
            cells.push_back(std::move(cell));
        }
    }
    ResetCounters();
}

void Board::ResetBoard() {
    for (int r0 = 0; r0 < Rows; ++r0) {
        for (int c0 = 0; c0 < Cols; ++c0) {
            Cover(ChangeCell(static_cast<std::int16_t>(r0 * Cols + c0)));
        }
    }
    ResetCounters();
}

}  // namespace dravik
