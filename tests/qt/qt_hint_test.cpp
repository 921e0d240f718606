#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "game_screen.h"
#include "qt/look.h"
#include "qt/main_window.h"
#include "qt/minefield_widget.h"
#include "qt/qt_toolkit.h"

namespace {

using dravik::qt::QtToolkit;
using dravik::testing::Texts;
using dravik::testing::WhenBoxOpens;

// The real message boxes need the real toolkit, which syncs the window before each box.
struct Board {
    explicit Board(dravik::frmDravik& f) : form(f), window(f) {}
    dravik::frmDravik& form;
    dravik::qt::MainWindow window;

    // A mine at (1,1) and the corner around it uncovered; the rest of the board stays covered,
    // so the counter's 99 mines still fit.
    void Lay() {
        dravik::Board& board = form.GetBoard();
        board.ClearMineGrid();
        board.MineGrid(1, 1) = 1;
        const char* const rows[] = {" 10", "110", "000"};
        for (int row = 1; row <= 3; ++row) {
            for (int col = 1; col <= 3; ++col) {
                const char digit = rows[row - 1][col - 1];
                if (digit != ' ') {
                    dravik::Label& cell =
                        board.ChangeCell(static_cast<std::int16_t>(Index(row, col)));
                    cell.Caption = std::string(1, digit);
                    cell.BackColor = dravik::PaletteColour(digit == '0' ? 10 : 11);
                    cell.BorderStyle = dravik::kBorderNone;
                    --board.PlotsLeft;
                }
            }
        }
        board.ShowPlotsCounter();
        window.Sync();
    }
    int Index(int row, int col) const {
        return form.GetBoard().CellIndex(static_cast<std::int16_t>(row),
                                         static_cast<std::int16_t>(col));
    }
    void Click(int index, Qt::MouseButton button) {
        QTest::mouseClick(window.Minefield(), button, {},
                          window.Minefield()->CellRect(index).center());
    }
    // The colour just inside the cell's top-left corner, where an outline lies over the border.
    QColor Corner(int index) {
        QCoreApplication::processEvents();
        const QRect cell = window.Minefield()->CellRect(index);
        const QPoint at = window.Minefield()->mapTo(&window, cell.topLeft() + QPoint(1, 1));
        return window.screen()
            ->grabWindow(window.winId(), at.x(), at.y(), 1, 1)
            .toImage()
            .pixelColor(0, 0);
    }
    QString Description(int index) const {
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(window.Minefield());
        return table->child(index)->text(QAccessible::Description);
    }
};

struct Screen : dravik::testing::GameScreen {
    QList<QAction*> Rules() const { return window.menuBar()->actions().at(1)->menu()->actions(); }
};

}  // namespace

class HintTest : public QObject {
    Q_OBJECT
  private slots:
    void rulesMenuEndsWithHintRunsAndOpponents() {
        Screen s;
        QVERIFY(s.Show());
        const QList<QAction*> rules = s.Rules();
        QCOMPARE(Texts(rules).mid(4), QStringList({"-", "&Hint", "&Pairs Rule", "&Complete Logic",
                                                   "-", "&Keep Up Opponent"}));
        QCOMPARE(rules[5]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
        QVERIFY(!rules[6]->isChecked() && !rules[7]->isChecked());  // checked only while running
        const QList<QAction*> opponents = rules[9]->menu()->actions();
        QCOMPARE(Texts(opponents),
                 QStringList({"&Obvious Rule", "&Pairs Rule", "&Complete Logic"}));
        const auto ticks = [&] {
            return QList<bool>{opponents[0]->isChecked(), opponents[1]->isChecked(),
                               opponents[2]->isChecked()};
        };
        QCOMPARE(ticks(), QList<bool>({true, false, false}));
        opponents[2]->trigger();
        QCOMPARE(ticks(), QList<bool>({false, false, true}));
        QVERIFY(s.game.form.mnuOpponent[2].Checked && !s.game.form.mnuOpponent[0].Checked);
        opponents[2]->trigger();  // choosing the ticked one again keeps it
        QCOMPARE(ticks(), QList<bool>({false, false, true}));
    }

    // Ctrl+H: the box tells the move and its proof, the board outlines both while the box is up
    // and after it, a screen reader hears "hint" and "proof", and the next move clears them.
    void ctrlHShowsTheHintInABoxAndOnTheBoard() {
        QtToolkit toolkit;
        dravik::ModDravik options;
        dravik::frmDravik form(toolkit, options);
        toolkit.SetMainForm(&form);
        WhenBoxOpens([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_N, Qt::AltModifier); });
        form.Load();
        Board board(form);
        toolkit.SetMainWidget(&board.window);
        toolkit.SetSync([&board] { board.window.Sync(); });
        board.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&board.window));
        board.Lay();
        const int mine = board.Index(1, 1);
        const int proofs[] = {board.Index(1, 2), board.Index(2, 1), board.Index(2, 2)};

        QString title;
        QStringList lines;
        QColor hintWhileUp;
        QMessageBox::Icon icon = QMessageBox::Information;
        WhenBoxOpens([&](QMessageBox& box) {
            title = box.windowTitle();
            lines = box.text().split('\n');
            icon = box.icon();
            hintWhileUp = board.Corner(mine);
            QTest::keyClick(&box, Qt::Key_Return);
        });
        QTest::keyClick(&board.window, Qt::Key_H, Qt::ControlModifier);

        QCOMPARE(title, QStringLiteral("DRAVIK"));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(lines.size(), qsizetype{2});
        QCOMPARE(lines[0], QStringLiteral("Row 1, column 1 is a mine."));
        QVERIFY2(lines[1].startsWith("Proof: the 1 at row "), qPrintable(lines[1]));
        QCOMPARE(hintWhileUp, dravik::qt::HintOutlineColour());
        QCOMPARE(board.Corner(mine), dravik::qt::HintOutlineColour());
        QCOMPARE(board.Description(mine), QStringLiteral("hint"));
        int cited = 0;
        for (const int number : proofs) {
            const bool proof = board.Description(number) == QStringLiteral("proof");
            cited += proof ? 1 : 0;
            QCOMPARE(board.Corner(number) == dravik::qt::ProofOutlineColour(), proof);
        }
        QCOMPARE(cited, 1);

        board.Click(mine, Qt::RightButton);
        QCOMPARE(board.Description(mine), QString());
        QCOMPARE(board.Corner(mine), QColor(255, 0, 255));  // the player's mark, no outline
        for (const int number : proofs) {
            QVERIFY(board.Corner(number) != dravik::qt::ProofOutlineColour());
            QCOMPARE(board.Description(number), QString());
        }
    }
};

QTEST_MAIN(HintTest)
#include "qt_hint_test.moc"
