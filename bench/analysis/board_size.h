#pragma once

#include <cstdio>
#include <optional>

namespace dravik::bench {

// A field's size as the benchmarks take it on their command lines; the default is the Expert
// board every figure was first measured on.
struct BoardSize {
    int cols = 30;
    int rows = 16;
    int mines = 99;
};

// "COLSxROWS/MINES", e.g. "60x40/480"; nothing when the text is not one, the field is smaller
// than 3 x 3 or the mines leave no cell free.
inline std::optional<BoardSize> ParseBoardSize(const char* text) {
    BoardSize size;
    char tail = 0;
    if (std::sscanf(text, "%dx%d/%d%c", &size.cols, &size.rows, &size.mines, &tail) != 3 ||
        size.cols < 3 || size.rows < 3 || size.mines < 0 || size.mines >= size.cols * size.rows) {
        return std::nullopt;
    }
    return size;
}

}  // namespace dravik::bench
