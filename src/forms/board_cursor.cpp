#include "forms/board_cursor.h"

#include <algorithm>

#include "toolkit/input_codes.h"

namespace dravik {

std::int16_t BoardCursor::Index(std::int16_t cols) const {
    return static_cast<std::int16_t>((row_ - 1) * cols + (col_ - 1));
}

bool BoardCursor::MoveByKey(std::int16_t keyCode, std::int16_t rows, std::int16_t cols) {
    int row = row_;
    int col = col_;
    switch (keyCode) {
        case vbKeyLeft:
            --col;
            break;
        case vbKeyRight:
            ++col;
            break;
        case vbKeyUp:
            --row;
            break;
        case vbKeyDown:
            ++row;
            break;
        case vbKeyHome:
            col = 1;
            break;
        case vbKeyEnd:
            col = cols;
            break;
        case vbKeyPageUp:
            row = 1;
            break;
        case vbKeyPageDown:
            row = rows;
            break;
        default:
            return false;
    }
    row_ = static_cast<std::int16_t>(std::clamp(row, 1, std::max<int>(rows, 1)));
    col_ = static_cast<std::int16_t>(std::clamp(col, 1, std::max<int>(cols, 1)));
    return true;
}

void BoardCursor::Fit(std::int16_t rows, std::int16_t cols) {
    row_ = std::min(row_, std::max<std::int16_t>(rows, 1));
    col_ = std::min(col_, std::max<std::int16_t>(cols, 1));
}

void BoardCursor::MoveTo(std::int16_t index, std::int16_t cols) {
    if (cols <= 0 || index < 0) {
        return;
    }
    row_ = static_cast<std::int16_t>(index / cols + 1);
    col_ = static_cast<std::int16_t>(index % cols + 1);
}

}  // namespace dravik
