#include "qt/minefield_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "board/board.h"
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

}  // namespace

MinefieldWidget::MinefieldWidget(const Frame& panel, const std::vector<Label>& cells,
                                 const Board& board, QWidget* parent)
    : QWidget(parent), panel_(panel), cells_(cells), board_(board) {
    setFocusPolicy(Qt::NoFocus);
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
    Place(*this, panel_);
    if (shown_.size() != cells_.size()) {
        shown_.resize(cells_.size());
    }
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        Look look = LookOf(cells_[i]);
        if (look == shown_[i]) {
            continue;
        }
        update(shown_[i].rect);
        update(look.rect);
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
    for (const Label& cell : cells_) {
        if (!cell.Visible) {
            continue;
        }
        const QRect rect = TwipsRect(cell);
        if (event->region().intersects(rect)) {
            PaintCell(painter, cell, rect);
        }
    }
}

void MinefieldWidget::PaintCell(QPainter& painter, const Label& cell, const QRect& rect) {
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

}  // namespace dravik::qt
