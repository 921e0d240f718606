#include "qt/minefield_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <vector>

#include "board/board.h"
#include "qt/minefield_widget.h"
#include "toolkit/input_codes.h"
#include "toolkit/text.h"

namespace dravik::qt {

namespace {

QString StateInWords(const std::string& caption) {
    if (caption.empty()) {
        return QStringLiteral("covered");
    }
    if (caption == kMarkCaption) {
        return QStringLiteral("marked");
    }
    const int mines = TextToInt16(caption);
    if (mines == 0) {
        return QStringLiteral("no mines around");
    }
    return mines == 1 ? QStringLiteral("1 mine around")
                      : QStringLiteral("%1 mines around").arg(mines);
}

class MinefieldAccessible;

QString UncoverAction() {
    return QStringLiteral("Uncover");
}

QString MarkAction() {
    return QStringLiteral("Mark");
}

// One cell. It has no QObject of its own, so the events that name it carry its unique id.
class CellAccessible : public QAccessibleInterface,
                       public QAccessibleTableCellInterface,
                       public QAccessibleActionInterface {
  public:
    CellAccessible(MinefieldAccessible& table, int index) : table_(table), index_(index) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ActionInterface) {
            return static_cast<QAccessibleActionInterface*>(this);
        }
        return t == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    QStringList actionNames() const override { return {UncoverAction(), MarkAction()}; }
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& /*actionName*/) const override { return {}; }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

    int Index() const { return index_; }

  private:
    MinefieldAccessible& table_;
    const int index_;
};

// The minefield as a table. Nothing can be selected; the cells are read from their models each
// time, so a replay or a move needs no bookkeeping here beyond the events of the changed cells.
class MinefieldAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
  public:
    explicit MinefieldAccessible(MinefieldWidget* minefield)
        : QAccessibleWidget(minefield, QAccessible::Table) {}

    // Qt's cache owns the cells; they go with the table, which goes with its widget.
    ~MinefieldAccessible() override {
        for (const QAccessible::Id id : cellIds_) {
            if (id != 0) {
                QAccessible::deleteAccessibleInterface(id);
            }
        }
    }

    const MinefieldWidget& Minefield() const {
        return *static_cast<const MinefieldWidget*>(widget());
    }

    int childCount() const override { return Minefield().Rows() * Minefield().Columns(); }

    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) {
            return nullptr;
        }
        if (cellIds_.size() <= static_cast<std::size_t>(index)) {
            cellIds_.resize(static_cast<std::size_t>(childCount()), 0);
        }
        QAccessible::Id& id = cellIds_[static_cast<std::size_t>(index)];
        if (id == 0) {
            auto* table = const_cast<MinefieldAccessible*>(this);
            // Qt's cache owns the cell from here; ~MinefieldAccessible hands it back.
            // NOLINTNEXTLINE(clang-analyzer-cplusplus.NewDeleteLeaks)
            id = QAccessible::registerAccessibleInterface(new CellAccessible(*table, index));
        }
        return QAccessible::accessibleInterface(id);
    }

    // Qt asks this when the minefield takes the focus: the cursor's cell has it.
    QAccessibleInterface* focusChild() const override {
        const int cursor = Minefield().CursorIndex();
        return cursor >= 0 ? child(cursor) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* cell = dynamic_cast<const CellAccessible*>(child);
        return cell != nullptr && cell->table() == this ? cell->Index() : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        const int index = Minefield().CellAt(Minefield().mapFromGlobal(QPoint(x, y)));
        return child(index);
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface) {
            return static_cast<QAccessibleTableInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(t);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
            return nullptr;
        }
        return child(row * columnCount() + column);
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int /*column*/) const override { return {}; }
    QString rowDescription(int /*row*/) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return Minefield().Columns(); }
    int rowCount() const override { return Minefield().Rows(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int /*column*/) const override { return false; }
    bool isRowSelected(int /*row*/) const override { return false; }
    bool selectRow(int /*row*/) override { return false; }
    bool selectColumn(int /*column*/) override { return false; }
    bool unselectRow(int /*row*/) override { return false; }
    bool unselectColumn(int /*column*/) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* /*event*/) override {}

  private:
    // Created on first use: a screen reader rarely visits every cell.
    mutable std::vector<QAccessible::Id> cellIds_;
};

bool CellAccessible::isValid() const {
    return table_.isValid() && index_ < table_.childCount();
}

QWindow* CellAccessible::window() const {
    return table_.window();
}

QAccessibleInterface* CellAccessible::parent() const {
    return &table_;
}

QAccessibleInterface* CellAccessible::table() const {
    return &table_;
}

int CellAccessible::columnIndex() const {
    return index_ % table_.columnCount();
}

int CellAccessible::rowIndex() const {
    return index_ / table_.columnCount();
}

QString OutlineInWords(Int16 outline) {
    if (outline == kOutlineHint) {
        return QStringLiteral("hint");
    }
    return outline == kOutlineProof ? QStringLiteral("proof") : QString();
}

QString CellAccessible::text(QAccessible::Text t) const {
    if (!isValid()) {
        return {};
    }
    if (t == QAccessible::Description) {
        return OutlineInWords(table_.Minefield().Cell(index_).Outline);
    }
    if (t != QAccessible::Name) {
        return {};
    }
    return QStringLiteral("row %1, column %2, %3")
        .arg(rowIndex() + 1)
        .arg(columnIndex() + 1)
        .arg(StateInWords(table_.Minefield().Cell(index_).Caption));
}

QRect CellAccessible::rect() const {
    if (!isValid()) {
        return {};
    }
    const MinefieldWidget& minefield = table_.Minefield();
    const QRect cell = minefield.CellRect(index_);
    return QRect(minefield.mapToGlobal(cell.topLeft()), cell.size());
}

QAccessible::State CellAccessible::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    const MinefieldWidget& minefield = table_.Minefield();
    state.invisible = !minefield.Cell(index_).Visible || table_.state().invisible;
    state.focusable = true;
    state.focused = minefield.CursorIndex() == index_;
    return state;
}

void CellAccessible::doAction(const QString& actionName) {
    if (!isValid()) {
        return;
    }
    // The widget is the minefield's own: asking it to act changes no const state of ours.
    auto& minefield = const_cast<MinefieldWidget&>(table_.Minefield());
    const int button = actionName == UncoverAction() ? vbLeftButton
                       : actionName == MarkAction()  ? vbRightButton
                                                     : 0;
    if (button != 0 && minefield.onCellAction) {
        minefield.onCellAction(index_, button);
    }
}

QAccessibleInterface* CreateInterface(const QString& key, QObject* object) {
    if (key != QLatin1String(MinefieldWidget::staticMetaObject.className())) {
        return nullptr;
    }
    auto* minefield = qobject_cast<MinefieldWidget*>(object);
    return minefield != nullptr ? new MinefieldAccessible(minefield) : nullptr;
}

}  // namespace

void InstallMinefieldAccessibility() {
    QAccessible::installFactory(CreateInterface);
}

namespace {

// The cell's interface, or nullptr while no assistive tool listens.
QAccessibleInterface* ListenedCell(MinefieldWidget& minefield, int index) {
    if (!QAccessible::isActive()) {
        return nullptr;
    }
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&minefield);
    return table != nullptr ? table->child(index) : nullptr;
}

void Announce(MinefieldWidget& minefield, int index, QAccessible::Event what) {
    if (QAccessibleInterface* cell = ListenedCell(minefield, index)) {
        QAccessibleEvent event(cell, what);
        QAccessible::updateAccessibility(&event);
    }
}

}  // namespace

void AnnounceCellChange(MinefieldWidget& minefield, int index) {
    Announce(minefield, index, QAccessible::NameChanged);
}

void AnnounceCellOutline(MinefieldWidget& minefield, int index) {
    Announce(minefield, index, QAccessible::DescriptionChanged);
}

void AnnounceCellFocus(MinefieldWidget& minefield, int index) {
    Announce(minefield, index, QAccessible::Focus);
}

void AnnounceGridChange(MinefieldWidget& minefield) {
    if (!QAccessible::isActive()) {
        return;
    }
    QAccessibleTableModelChangeEvent event(&minefield,
                                           QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&event);
}

}  // namespace dravik::qt
