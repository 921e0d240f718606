#pragma once

#include <cstdint>
#include <vector>

namespace dravik {

// Mines by (row, col), bounds 0..rows and 0..cols; row 0 and column 0 exist but stay unused.
// 1 = mine. Does not exist until first created.
class MineGridArray {
  public:
    void Recreate(std::int16_t rows, std::int16_t cols) {
        rows_ = rows;
        cols_ = cols;
        cells_.assign(static_cast<std::size_t>(rows + 1) * static_cast<std::size_t>(cols + 1), 0);
    }
    bool Exists() const { return !cells_.empty(); }
    std::int16_t Rows() const { return rows_; }
    std::int16_t Cols() const { return cols_; }

    // row in 0..Rows(), col in 0..Cols(); anything else is a subscript error.
    std::int16_t& operator()(int row, int col) { return cells_.at(Offset(row, col)); }
    const std::int16_t& operator()(int row, int col) const { return cells_.at(Offset(row, col)); }

    bool operator==(const MineGridArray&) const = default;

  private:
    std::size_t Offset(int row, int col) const {
        if (row < 0 || row > rows_ || col < 0 || col > cols_) {
            return cells_.size();  // out of range: at() raises the subscript error
        }
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_ + 1) +
               static_cast<std::size_t>(col);
    }

    std::int16_t rows_ = 0;
    std::int16_t cols_ = 0;
    std::vector<std::int16_t> cells_;
};

}  // namespace dravik
