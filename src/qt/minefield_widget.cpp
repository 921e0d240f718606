#include "qt/minefield_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "board/board.h"
#include "forms/board_cursor.h"
#include "qt/key_codes.h"
#include "qt/look.h"
#include "qt/minefield_accessible.h"
#include "toolkit/input_codes.h"

namespace dravik::qt {

namespace {

int ButtonBit(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return vbLeftButton;
        case Qt::RightButton:
            return vbRightButton;
        case Qt::MiddleButton:
            return vbMiddleButton;
        default:
            return 0;
    }
}

// A frame one logical pixel wide on the inside of rect. Filled, not stroked: a pen is centred on
// the edge, so on a scaled screen half its width would fall outside the rectangle.
void FillFrame(QPainter& painter, const QRect& rect, const QColor& colour, int width = 1) {
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), width), colour);
    painter.fillRect(QRect(rect.left(), rect.bottom() - width + 1, rect.width(), width), colour);
    painter.fillRect(QRect(rect.left(), rect.top(), width, rect.height()), colour);
    painter.fillRect(QRect(rect.right() - width + 1, rect.top(), width, rect.height()), colour);
}

// A hint's outlines, in colours the board shows nowhere else (no cell, caption or mark is orange
// or pure blue), drawn over the cell's own border so they read on every kind of cell.
void PaintOutline(QPainter& painter, const QRect& rect, Int16 outline) {
    constexpr int kHintWidth = 3;
    constexpr int kProofWidth = 2;
    if (outline == kOutlineHint) {
        FillFrame(painter, rect, HintOutlineColour(), kHintWidth);
    } else if (outline == kOutlineProof) {
        FillFrame(painter, rect, ProofOutlineColour(), kProofWidth);
    }
}

// Drawn last and inside the hint's outline, so that on a hinted cell both show.
void PaintCursor(QPainter& painter, const QRect& rect) {
    constexpr int kCursorWidth = 2;
    FillFrame(painter, rect, CursorOutlineColour(), kCursorWidth);
}

}  // namespace

MinefieldWidget::MinefieldWidget(const Frame& panel, const std::vector<Label>& cells,
                                 const Board& board, const BoardCursor& cursor, QWidget* parent)
    : QWidget(parent), panel_(panel), cells_(cells), board_(board), cursor_(cursor) {
    // A click must leave the focus where it is.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Before anything asks for this widget's interface, or Qt caches a plain one for it.
    InstallMinefieldAccessibility();
    setAccessibleName(QStringLiteral("Minefield"));
}

// Until every cell of the layout exists the cells form no grid yet.
bool MinefieldWidget::GridBuilt() const {
    return board_.Rows > 0 && board_.Cols > 0 &&
           cells_.size() >= static_cast<std::size_t>(board_.Rows) * board_.Cols;
}

int MinefieldWidget::CursorIndex() const {
    return GridBuilt() && cursor_.Shown() ? cursor_.Index(board_.Cols) : -1;
}

int MinefieldWidget::Rows() const {
    return GridBuilt() ? board_.Rows : 0;
}

int MinefieldWidget::Columns() const {
    return GridBuilt() ? board_.Cols : 0;
}

MinefieldWidget::Look MinefieldWidget::LookOf(const Label& cell) const {
    return Look{cell.Caption, cell.BackColor,  cell.ForeColor,     cell.BorderStyle,
                cell.Visible, TwipsRect(cell), cell.FontInfo.Size, cell.Outline};
}

void MinefieldWidget::Sync() {
    // The view that holds the board places it; the board takes the panel's size.
    const QSize size = TwipsRect(panel_).size();
    if (this->size() != size) {
        resize(size);
    }
    const QSize grid(Columns(), Rows());
    const bool newGrid = shown_.size() != cells_.size() || grid != shownGrid_;
    if (newGrid) {
        shownGrid_ = grid;
        // Every cell of another grid is drawn afresh: one update, not one a cell.
        shown_.assign(cells_.size(), Look{});
        update();
        AnnounceGridChange(*this);
    }
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        Look look = LookOf(cells_[i]);
        if (look == shown_[i]) {
            continue;
        }
        if (!newGrid) {
            update(shown_[i].rect);
            update(look.rect);
        }
        const bool captionChanged = look.caption != shown_[i].caption;
        const bool outlineChanged = look.outline != shown_[i].outline;
        shown_[i] = std::move(look);
        if (captionChanged) {
            AnnounceCellChange(*this, static_cast<int>(i));
        }
        if (outlineChanged) {
            AnnounceCellOutline(*this, static_cast<int>(i));
        }
    }
    SyncCursor();
}

void MinefieldWidget::SyncCursor() {
    const int cursor = CursorIndex();
    if (cursor == shownCursor_) {
        return;
    }
    const bool appearing = shownCursor_ < 0;
    if (!appearing && static_cast<std::size_t>(shownCursor_) < cells_.size()) {
        update(CellRect(shownCursor_));
    }
    shownCursor_ = cursor;
    if (cursor < 0) {
        return;
    }
    update(CellRect(cursor));
    if (appearing) {
        // Qt tells of the minefield taking the focus only after this; the cell's focus must come
        // after that, or a screen reader would take the whole table for the focused object.
        QMetaObject::invokeMethod(this, "AnnounceCursor", Qt::QueuedConnection);
    } else {
        AnnounceCellFocus(*this, cursor);
    }
}

void MinefieldWidget::AnnounceCursor() {
    if (shownCursor_ >= 0 && shownCursor_ == CursorIndex()) {
        AnnounceCellFocus(*this, shownCursor_);
    }
}

QVariant MinefieldWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query != Qt::ImCursorRectangle) {
        return QWidget::inputMethodQuery(query);
    }
    const int cursor = CursorIndex();
    return cursor >= 0 ? CellRect(cursor) : visibleRegion().boundingRect();
}

QRect MinefieldWidget::CellRect(int index) const {
    return TwipsRect(cells_.at(static_cast<std::size_t>(index)));
}

int MinefieldWidget::CellAt(const QPoint& point) const {
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        if (cells_[i].Visible && TwipsRect(cells_[i]).contains(point)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const QFont& MinefieldWidget::FontFor(const Font& font) {
    if (font.Name != fontKey_.Name || font.Size != fontKey_.Size || font.Bold != fontKey_.Bold) {
        font_ = ToQFont(font);
        fontKey_ = font;
    }
    return font_;
}

void MinefieldWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect all = rect();
    painter.fillRect(event->rect(), palette().color(QPalette::Button));
    // A raised panel edge, filled like a cell's frame.
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    painter.fillRect(QRect(all.left(), all.top(), all.width(), 1), light);
    painter.fillRect(QRect(all.left(), all.top(), 1, all.height()), light);
    painter.fillRect(QRect(all.left(), all.bottom(), all.width(), 1), dark);
    painter.fillRect(QRect(all.right(), all.top(), 1, all.height()), dark);
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        const Label& cell = cells_[i];
        if (!cell.Visible) {
            continue;
        }
        const QRect rect = TwipsRect(cell);
        if (event->region().intersects(rect)) {
            PaintCell(painter, cell, rect, static_cast<int>(i) == shownCursor_);
        }
    }
}

void MinefieldWidget::PaintCell(QPainter& painter, const Label& cell, const QRect& rect,
                                bool cursor) {
    if (cell.BackStyle == kBackOpaque) {
        painter.fillRect(rect, ToQColor(cell.BackColor, *this));
    }
    if (cell.BorderStyle == kBorderFixedSingle) {
        FillFrame(painter, rect, Qt::black);
    }
    if (!cell.Caption.empty()) {
        painter.setFont(FontFor(cell.FontInfo));
        painter.setPen(ToQColor(cell.ForeColor, *this));
        painter.drawText(rect, Qt::AlignCenter, QString::fromStdString(cell.Caption));
    }
    PaintOutline(painter, rect, cell.Outline);
    if (cursor) {
        PaintCursor(painter, rect);
    }
}

void MinefieldWidget::mousePressEvent(QMouseEvent* event) {
    if (pressedCell_ < 0) {
        pressedCell_ = CellAt(event->position().toPoint());
    }
}

void MinefieldWidget::mouseReleaseEvent(QMouseEvent* event) {
    const int index = pressedCell_;
    if (event->buttons() == Qt::NoButton) {
        pressedCell_ = -1;
    }
    const int button = ButtonBit(event->button());
    if (index < 0 || button == 0) {
        return;
    }
    const QPointF inCell = event->position() - CellRect(index).topLeft();
    if (onMouseUp) {
        onMouseUp(index, button, ShiftBits(event->modifiers()),
                  static_cast<float>(PixelsToTwips(qRound(inCell.x()))),
                  static_cast<float>(PixelsToTwips(qRound(inCell.y()))));
    }
    // Only a left release makes a click: a click after a right release would read the button
    // of whatever release ran last, perhaps one nested in this release's own handler.
    if (onClick && event->button() == Qt::LeftButton &&
        CellAt(event->position().toPoint()) == index) {
        onClick(index);
    }
}

void MinefieldWidget::keyPressEvent(QKeyEvent* event) {
    const KeyInput input = ToKeyInput(*event, true);
    // A held arrow moves the cursor on, but a held key clicks once, as a held button does: a
    // repeated M would take its own mark off again.
    const bool clicks =
        input.keyCode == vbKeySpace || input.keyCode == vbKeyReturn || input.keyCode == vbKeyM;
    if (event->isAutoRepeat() && clicks) {
        return;
    }
    if (onKey) {
        onKey(input.keyCode, input.shift);
    }
}

void MinefieldWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (onFocus) {
        onFocus(true);
    }
}

void MinefieldWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    if (onFocus) {
        onFocus(false);
    }
}

}  // namespace dravik::qt
