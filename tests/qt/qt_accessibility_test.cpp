#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "game_screen.h"
#include "qt/main_window.h"
#include "qt/minefield_widget.h"
#include "support/game_fixture.h"

using dravik::qt::MainWindow;
using dravik::testing::GameWindow;

namespace {

// An event as a screen reader takes it in: what changed, and what it is called and holds now.
struct Event {
    QAccessible::Event type;
    QObject* object;
    QString name;
    QString value;
};

QList<Event>& Log() {
    static QList<Event> log;
    return log;
}

void Listen(QAccessibleEvent* event) {
    QAccessibleInterface* iface = event->accessibleInterface();
    Log().append({event->type(), event->object(),
                  iface != nullptr ? iface->text(QAccessible::Name) : QString(),
                  iface != nullptr ? iface->text(QAccessible::Value) : QString()});
}

// What was heard of one object (nullptr: of a cell) in events of one kind: names or values.
QStringList Heard(QAccessible::Event type, QObject* object, bool values = false) {
    QStringList heard;
    for (const Event& event : Log()) {
        if (event.type == type && event.object == object) {
            heard << (values ? event.value : event.name);
        }
    }
    return heard;
}

QString NameOf(QObject* object) {
    return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
}

struct Screen : dravik::testing::GameScreen {
    QAccessibleInterface* Table() const {
        return QAccessible::queryAccessibleInterface(window.Minefield());
    }
    QString CellName(int row, int col) const {
        return Table()->tableInterface()->cellAt(row - 1, col - 1)->text(QAccessible::Name);
    }
};

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        // Qt sends accessibility events only while an assistive tool listens; stand in for one.
        QPlatformAccessibility* platform =
            QGuiApplicationPrivate::platformIntegration()->accessibility();
        QVERIFY(platform != nullptr);
        platform->setActive(true);
        QVERIFY(QAccessible::isActive());
        QAccessible::installUpdateHandler(Listen);
    }
    void cleanupTestCase() { QAccessible::installUpdateHandler(nullptr); }
    void init() { Log().clear(); }

    void minefieldIsATableOfCellsInRowMajorOrder() {
        Screen s;
        QVERIFY(s.Show());
        QAccessibleInterface* table = s.Table();
        QVERIFY(table != nullptr);
        QCOMPARE(table->role(), QAccessible::Table);
        QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Minefield"));
        QCOMPARE(table->childCount(), 480);
        QAccessibleTableInterface* grid = table->tableInterface();
        QVERIFY(grid != nullptr);
        QCOMPARE(grid->rowCount(), 16);
        QCOMPARE(grid->columnCount(), 30);

        for (const auto& [row, col] : {std::pair(0, 0), std::pair(2, 4), std::pair(15, 29)}) {
            QAccessibleInterface* cell = grid->cellAt(row, col);
            QVERIFY(cell != nullptr);
            QCOMPARE(cell->role(), QAccessible::Cell);
            QCOMPARE(cell->parent(), table);
            QCOMPARE(table->indexOfChild(cell), row * 30 + col);
            QCOMPARE(table->child(row * 30 + col), cell);  // one interface per cell, kept
            QCOMPARE(cell->tableCellInterface()->rowIndex(), row);
            QCOMPARE(cell->tableCellInterface()->columnIndex(), col);
            // A screen reader's pointer finds the cell where it is drawn.
            QCOMPARE(table->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);
        }
        QVERIFY(grid->cellAt(16, 0) == nullptr);
        QVERIFY(grid->cellAt(0, 30) == nullptr);
        QVERIFY(table->child(480) == nullptr);
    }

    void cellNamesSayWhereAndWhat() {
        Screen s;
        s.game.Draw(3, 5, {"3@01"});
        s.game.RightClick(16, 30);
        QCOMPARE(s.CellName(1, 1), QStringLiteral("row 1, column 1, covered"));
        QCOMPARE(s.CellName(3, 5), QStringLiteral("row 3, column 5, 3 mines around"));
        QCOMPARE(s.CellName(3, 6), QStringLiteral("row 3, column 6, marked"));
        QCOMPARE(s.CellName(3, 7), QStringLiteral("row 3, column 7, no mines around"));
        QCOMPARE(s.CellName(3, 8), QStringLiteral("row 3, column 8, 1 mine around"));
        QCOMPARE(s.CellName(16, 30), QStringLiteral("row 16, column 30, marked"));
    }

    void stripControlsAreNamed() {
        Screen s;
        QCOMPARE(NameOf(s.window.MineCounter()), QStringLiteral("Mines left"));
        QCOMPARE(NameOf(s.window.PlotsCounter()), QStringLiteral("Cells left"));
        QCOMPARE(
            QAccessible::queryAccessibleInterface(s.window.MineCounter())->text(QAccessible::Value),
            QStringLiteral("099"));
        QCOMPARE(NameOf(s.window.KeepUpLabel()), QStringLiteral("Keep-up score"));
        QStringList buttons;
        for (QAbstractButton* button : s.window.centralWidget()->findChildren<QAbstractButton*>()) {
            buttons << NameOf(button);
        }
        buttons.sort();
        QCOMPARE(buttons, QStringList({"Extra", "Keep Up Mode", "Multi", "Replay", "Rule1"}));
    }

    void aMoveIsAnnouncedForEachChangedCellAndCounter() {
        Screen s;
        QVERIFY(s.Show());
        s.game.LayMines({"", "", ".*"});
        Log().clear();
        s.Click(2, 2, Qt::RightButton);
        s.Click(2, 1);
        // Only the two cells that changed; a cell event names the cell as it is now.
        QCOMPARE(Heard(QAccessible::NameChanged, nullptr),
                 QStringList({"row 2, column 2, marked", "row 2, column 1, 1 mine around"}));
        QVERIFY(Heard(QAccessible::TextUpdated, s.window.MineCounter(), true).contains("098"));
        QVERIFY(Heard(QAccessible::TextUpdated, s.window.PlotsCounter(), true).contains("478"));

        // A replay covers both again.
        Log().clear();
        QTest::keyClick(&s.window, Qt::Key_F2);
        QCOMPARE(Heard(QAccessible::NameChanged, nullptr),
                 QStringList({"row 2, column 1, covered", "row 2, column 2, covered"}));
    }

    void keepUpScoreIsReadWithItsName() {
        Screen s;
        QVERIFY(s.Show());
        QCheckBox* keepUp = s.window.KeepUpBox();
        QTest::mouseClick(keepUp, Qt::LeftButton, {}, QPoint(6, keepUp->height() / 2));
        s.game.LayMines({"", "", ".*"});
        Log().clear();
        s.Click(2, 2);
        QCOMPARE(s.window.KeepUpLabel()->text(), QStringLiteral("1 Behind"));
        QCOMPARE(Heard(QAccessible::NameChanged, s.window.KeepUpLabel()),
                 QStringList({"Keep-up score: 1 Behind"}));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "qt_accessibility_test.moc"
