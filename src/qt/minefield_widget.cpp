#include "qt/minefield_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "qt/look.h"

namespace dravik::qt {

namespace {

int ButtonBit(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

int ShiftBits(Qt::KeyboardModifiers modifiers) {
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

}  // namespace

MinefieldWidget::MinefieldWidget(const Frame& panel, const std::vector<Label>& cells,
                                 QWidget* parent)
    : QWidget(parent), panel_(panel), cells_(cells) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

MinefieldWidget::Look MinefieldWidget::LookOf(const Label& cell) const {
    return Look{cell.Caption, cell.BackColor,  cell.ForeColor,    cell.BorderStyle,
                cell.Visible, TwipsRect(cell), cell.FontInfo.Size};
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
        shown_[i] = std::move(look);
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
    // A raised panel edge.
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(all.topLeft(), all.topRight());
    painter.drawLine(all.topLeft(), all.bottomLeft());
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(all.bottomLeft(), all.bottomRight());
    painter.drawLine(all.topRight(), all.bottomRight());
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
        painter.setPen(Qt::black);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    if (!cell.Caption.empty()) {
        painter.setFont(FontFor(cell.FontInfo));
        painter.setPen(ToQColor(cell.ForeColor, *this));
        painter.drawText(rect, Qt::AlignCenter, QString::fromStdString(cell.Caption));
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
    if (onClick && CellAt(event->position().toPoint()) == index) {
        onClick(index);
    }
}

}  // namespace dravik::qt
