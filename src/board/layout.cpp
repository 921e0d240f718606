#include <utility>

#include "board/board.h"

namespace dravik {

namespace {

// Board geometry of the two layouts, in twips (font sizes in points).
struct LayoutMetrics {
    bool movesWindow;
    int windowLeft;
    int windowTop;
    int windowWidth;
    int windowHeight;
    int panelWidth;
    int panelHeight;
    std::int16_t cellSize;
    float fontSize;
};

constexpr LayoutMetrics kNormal{false, 0, 0, 8085, 5715, 7905, 4365, 255, 8.25f};
constexpr LayoutMetrics kLarge{true, 90, 195, 11850, 7800, 11700, 6400, 383, 12.0f};

// Where the first cell sits inside the panel.
constexpr int kGridLeft = 60;
constexpr int kGridTop = 120;

}  // namespace

void Board::SetLayout(std::int16_t layout) {
    const LayoutMetrics& m = layout == 1 ? kLarge : kNormal;
    Cols = 30;
    Rows = 16;
    MineCount = 99;
    WindowFrame& window = controls_.window;
    if (m.movesWindow) {
        window.Left = m.windowLeft;
        window.Top = m.windowTop;
    }
    window.Height = m.windowHeight;
    window.Width = m.windowWidth;
    controls_.SSPanel1.Height = m.panelHeight;
    controls_.SSPanel1.Width = m.panelWidth;
    CellSize = m.cellSize;
    Label& cellTemplate = cmdMine.at(0);
    cellTemplate.Width = CellSize;
    cellTemplate.Height = CellSize;
    cellTemplate.FontInfo.Size = m.fontSize;
    MineGrid.Recreate(Rows, Cols);
}

void Board::BuildBoard() {
    ClearOutlines();
    std::vector<Label>& cells = cmdMine;
    cells.resize(1);  // the template; every other cell is created here, once per run
    cells.reserve(static_cast<std::size_t>(Rows) * static_cast<std::size_t>(Cols));
    for (int r0 = 0; r0 < Rows; ++r0) {
        for (int c0 = 0; c0 < Cols; ++c0) {
            if (r0 == 0 && c0 == 0) {
                continue;
            }
            Label cell = cells.front();
            cell.Visible = false;
            cell.Left = CellSize * c0 + kGridLeft;
            cell.Top = CellSize * r0 + kGridTop;
            cell.Visible = true;
            cells.push_back(std::move(cell));
        }
    }
    ResetCounters();
}

void Board::ResetBoard() {
    for (int r0 = 0; r0 < Rows; ++r0) {
        for (int c0 = 0; c0 < Cols; ++c0) {
            Label& cell = ChangeCell(static_cast<std::int16_t>(r0 * Cols + c0));
            cell.Visible = true;
            cell.Caption.clear();
            // The fourth display property every replay sets to 1: the opaque background, so a
            // cell always paints its colour over the panel.
            cell.BackStyle = kBackOpaque;
            cell.BorderStyle = kBorderFixedSingle;
            cell.BackColor = kButtonFace;
        }
    }
    ResetCounters();
}

}  // namespace dravik
