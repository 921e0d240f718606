#pragma once

#include <QFont>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/controls.h"

namespace dravik {
class Board;
class BoardCursor;
}  // namespace dravik

namespace dravik::qt {

// The panel that holds the cells, drawn as one widget: every visible cell is painted from its
// model, and only cells whose look changed since the last sync are repainted. Takes the focus by
// Tab and Shift+Tab only; while it has it, the cursor's cell is outlined and takes the keys.
class MinefieldWidget : public QWidget {
    Q_OBJECT
  public:
    // The board tells how the cells form a grid.
    MinefieldWidget(const Frame& panel, const std::vector<Label>& cells, const Board& board,
                    const BoardCursor& cursor, QWidget* parent);

    // Releasing a button over a cell: index, button bit (1, 2, 4), shift bits, position in
    // twips; then, for the left button, the click on the same cell when the pointer is still
    // over it.
    std::function<void(int index, int button, int shift, float x, float y)> onMouseUp;
    std::function<void(int index)> onClick;
    // A key pressed while the board has the focus (code and shift bits as the forms take them),
    // and the focus coming or going.
    std::function<void(int keyCode, int shift)> onKey;
    std::function<void(bool hasFocus)> onFocus;
    // An assistive tool asked for a click (button 1 or 2) on a cell.
    std::function<void(int index, int button)> onCellAction;

    // Brings the widget in line with the models.
    void Sync();
    // The cell under a point of the widget, or -1.
    int CellAt(const QPoint& point) const;
    // Where a cell is drawn, in widget pixels.
    QRect CellRect(int index) const;
    // The grid of cells, in row-major order; 0 x 0 until the board is built.
    int Rows() const;
    int Columns() const;
    const Label& Cell(int index) const { return cells_.at(static_cast<std::size_t>(index)); }
    // The cell the cursor is drawn on, or -1 while none is.
    int CursorIndex() const;
    // The cursor's cell, else the part of the board in view: a scrolling view brings this into
    // view when the focus moves, where it would bring the middle of the board.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private slots:
    void AnnounceCursor();

  private:
    struct Look {
        std::string caption;
        Colour back = 0;
        Colour fore = 0;
        Int16 border = 0;
        bool visible = false;
        QRect rect;
        float fontSize = 0;
        Int16 outline = kOutlineNone;
        bool operator==(const Look&) const = default;
    };
    Look LookOf(const Label& cell) const;
    bool GridBuilt() const;
    void PaintCell(QPainter& painter, const Label& cell, const QRect& rect, bool cursor);
    void SyncCursor();
    const QFont& FontFor(const Font& font);

    const Frame& panel_;
    const std::vector<Label>& cells_;
    const Board& board_;
    const BoardCursor& cursor_;
    std::vector<Look> shown_;
    QSize shownGrid_;
    int shownCursor_ = -1;
    QFont font_;
    Font fontKey_;
    int pressedCell_ = -1;
};

}  // namespace dravik::qt
