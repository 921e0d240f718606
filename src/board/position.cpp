#include "board/position.h"

#include <stdexcept>

#include "board/board.h"
#include "toolkit/palette.h"

namespace dravik {

namespace {

constexpr char kCoveredChar = '.';
constexpr char kUserMarkChar = '@';
constexpr char kAutomaticMarkChar = '!';
constexpr std::string_view kMinesWord = "mines";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        if (!line.empty()) {
            lines.push_back(line);
        }
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return lines;
}

int ParseMines(std::string_view line) {
    if (line.substr(0, kMinesWord.size()) != kMinesWord) {
        throw std::invalid_argument("a position starts with \"mines N\"");
    }
    const std::string_view digits = Trim(line.substr(kMinesWord.size()));
    std::size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(std::string(digits), &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (digits.empty() || used != digits.size()) {
        throw std::invalid_argument("bad count of mines: " + std::string(line));
    }
    return value;
}

std::string RowCells(std::string_view line) {
    std::string cells;
    for (const char c : line) {
        if (c != ' ' && c != '\t') {
            cells.push_back(c);
        }
    }
    return cells;
}

}  // namespace

Position::Position(int rows, int cols, int minesLeft)
    : rows_(rows), cols_(cols), minesLeft_(minesLeft) {
    if (rows < 0 || cols < 0) {
        throw std::invalid_argument("a position's size cannot be negative");
    }
    cells_.assign(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols), kCovered);
}

Seen Position::At(int index) const {
    switch (Code(index)) {
        case kCovered:
            return Seen::Covered;
        case kUserMark:
            return Seen::UserMark;
        case kAutomaticMark:
            return Seen::AutomaticMark;
        default:
            return Seen::Number;
    }
}

void Position::SetNumber(int index, int number) {
    if (number < 0 || number > kHighestNumber) {
        throw std::invalid_argument("a cell's number is 0..8");
    }
    cells_.at(Slot(index)) = static_cast<std::uint8_t>(number);
}

Position Position::FromBoard(const Board& board) {
    Position position(board.Rows, board.Cols, board.MineCount - board.MarkCount);
    for (int index = 0; index < position.Size(); ++index) {
        const auto cell = static_cast<std::int16_t>(index);
        if (board.IsCovered(cell)) {
            continue;
        }
        if (board.IsMarked(cell)) {
            position.SetMark(index, board.Cell(cell).BackColor == PaletteColour(kUserMarkColour));
        } else {
            position.SetNumber(index, board.CellNumber(cell));
        }
    }
    return position;
}

Position Position::FromText(std::string_view text) {
    const std::vector<std::string_view> lines = Lines(text);
    if (lines.empty()) {
        throw std::invalid_argument("a position starts with \"mines N\"");
    }
    const int mines = ParseMines(lines.front());
    std::vector<std::string> rows;
    for (std::size_t k = 1; k < lines.size(); ++k) {
        rows.push_back(RowCells(lines[k]));
        if (rows.back().size() != rows.front().size()) {
            throw std::invalid_argument("rows of a position differ in length");
        }
    }
    const int cols = rows.empty() ? 0 : static_cast<int>(rows.front().size());
    Position position(static_cast<int>(rows.size()), cols, mines);
    for (int row = 0; row < position.Rows(); ++row) {
        for (int col = 0; col < cols; ++col) {
            const char c = rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
            const int index = position.Index(row, col);
            if (c == kUserMarkChar || c == kAutomaticMarkChar) {
                position.SetMark(index, c == kUserMarkChar);
            } else if (c >= '0' && c <= '8') {
                position.SetNumber(index, c - '0');
            } else if (c != kCoveredChar) {
                throw std::invalid_argument(std::string("unknown cell '") + c + "'");
            }
        }
    }
    return position;
}

std::string Position::ToText() const {
    std::string text = std::string(kMinesWord) + " " + std::to_string(minesLeft_) + "\n";
    for (int row = 0; row < rows_; ++row) {
        for (int col = 0; col < cols_; ++col) {
            const int index = Index(row, col);
            if (col > 0) {
                text += ' ';
            }
            switch (At(index)) {
                case Seen::Covered:
                    text += kCoveredChar;
                    break;
                case Seen::UserMark:
                    text += kUserMarkChar;
                    break;
                case Seen::AutomaticMark:
                    text += kAutomaticMarkChar;
                    break;
                case Seen::Number:
                    text += static_cast<char>('0' + Number(index));
                    break;
            }
        }
        text += '\n';
    }
    return text;
}

}  // namespace dravik
