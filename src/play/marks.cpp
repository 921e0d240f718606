#include "play/play.h"

#include "toolkit/palette.h"

namespace dravik {

void Play::MarkCell(std::int16_t index, bool userMark) {
    Label& cell = board_.ChangeCell(index);
    cell.Caption = kMarkCaption;
    cell.BackColor = PaletteColour(userMark ? kUserMarkColour : kAutomaticMarkColour);
    ++board_.MarkCount;
    board_.ShowMineCounter();
    --board_.PlotsLeft;
    board_.ShowPlotsCounter();
}

void Play::UnmarkCell(std::int16_t index) {
    Label& cell = board_.ChangeCell(index);
    cell.BackColor = kButtonFace;
    cell.Caption.clear();
    --board_.MarkCount;
    board_.ShowMineCounter();
    ++board_.PlotsLeft;
    board_.ShowPlotsCounter();
}

void Play::MarkNeighbours(std::int16_t index, std::int16_t row, std::int16_t col) {
    board_.ForEachNeighbour(CellRef{index, row, col}, [&](const CellRef& n) {
        if (board_.IsCovered(n.index)) {
            MarkCell(n.index, false);
        }
    });
}

}  // namespace dravik
