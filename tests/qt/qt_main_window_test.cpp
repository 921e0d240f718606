#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>
#include <algorithm>

#include "game_screen.h"
#include "qt/look.h"
#include "qt/main_window.h"
#include "qt/minefield_widget.h"
#include "support/game_fixture.h"

using dravik::qt::MainWindow;
using dravik::testing::GameWindow;
using dravik::testing::Texts;

namespace {

const QColor kUserMark(255, 0, 255);
const QColor kGameMark(255, 0, 0);
const QColor kEmptyCell(0, 255, 0);

struct Screen : dravik::testing::GameScreen {
    // The colour on screen just inside the cell's top-left corner, clear of border and caption,
    // as last painted: a cell the view forgot to repaint still shows its old colour.
    QColor Shown(int row, int col) {
        QCoreApplication::processEvents();
        const QRect cell = window.Minefield()->CellRect(game.Index(row, col));
        const QPoint at = window.Minefield()->mapTo(&window, cell.topLeft() + QPoint(2, 2));
        return window.screen()
            ->grabWindow(window.winId(), at.x(), at.y(), 1, 1)
            .toImage()
            .pixelColor(0, 0);
    }
    QColor Covered() const { return window.Minefield()->palette().color(QPalette::Button); }
    int CoveredCells() const {
        int covered = 0;
        for (const std::string& row : game.Captions()) {
            covered += static_cast<int>(std::count(row.begin(), row.end(), ' '));
        }
        return covered;
    }
    QString Counters() const {
        return window.MineCounter()->text() + "/" + window.PlotsCounter()->text();
    }
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void windowAndStripAsCreated() {
        Screen s;
        QVERIFY(s.Show());
        QCOMPARE(s.window.windowTitle(), QStringLiteral("Dravik 2000"));
        QVERIFY(s.window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!s.window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

        if (s.window.screen()->logicalDotsPerInchX() != 96.0) {
            QSKIP("pixel positions below are for 96 logical DPI");
        }
        // Twips / 15, each edge rounded on its own.
        QCOMPARE(s.window.Rule1Button()->geometry(), QRect(212, 8, 51, 25));
        QCOMPARE(s.window.MineCounter()->geometry(), QRect(112, 4, 41, 29));
        QCOMPARE(s.window.KeepUpLabel()->geometry(), QRect(356, 24, 109, 17));
        QCOMPARE(s.window.ExtraBox()->geometry(), QRect(468, 8, 57, 17));
        // The normal layout: the panel under the strip, cells of 255 twips from (60, 120) inside
        // it.
        QCOMPARE(s.window.Minefield()->geometry(), QRect(0, 36, 527, 291));
        QCOMPARE(s.window.Minefield()->CellRect(s.game.Index(1, 1)), QRect(4, 8, 17, 17));
        QCOMPARE(s.window.Minefield()->CellRect(s.game.Index(16, 30)), QRect(497, 263, 17, 17));
    }

    void countersShowCountsButNeverTakeInput() {
        Screen s;
        QVERIFY(s.Show());
        QCOMPARE(s.Counters(), QStringLiteral("099/480"));
        for (QLineEdit* counter : {s.window.MineCounter(), s.window.PlotsCounter()}) {
            const QFontInfo font(counter->font());
            QVERIFY2(font.family() == "Arial" || font.family() == "Liberation Sans",
                     qPrintable(font.family()));
            QVERIFY(font.bold());
            QCOMPARE(counter->font().pointSizeF(), 12.0);
            QCOMPARE(counter->focusPolicy(), Qt::NoFocus);
            QVERIFY(!counter->isEnabled());
            QTest::mouseClick(counter, Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), s.window.Rule1Button());
        }
    }

    void keepUpModeRevealsExtraAndScore() {
        Screen s;
        QVERIFY(s.Show());
        QVERIFY(!s.window.ExtraBox()->isVisible());
        QVERIFY(!s.window.KeepUpLabel()->isVisible());

        QCheckBox* keepUp = s.window.KeepUpBox();
        QTest::mouseClick(keepUp, Qt::LeftButton, {}, QPoint(6, keepUp->height() / 2));
        QVERIFY(s.window.ExtraBox()->isVisible());
        QVERIFY(s.window.KeepUpLabel()->isVisible());
        QCOMPARE(s.window.KeepUpLabel()->text(), QString());  // no score written yet

        // A move the rule cannot answer puts the player one behind.
        s.game.LayMines({"", "", ".*"});
        s.Click(2, 2);
        QCOMPARE(s.window.KeepUpLabel()->text(), QStringLiteral("1 Behind"));

        QTest::mouseClick(keepUp, Qt::LeftButton, {}, QPoint(6, keepUp->height() / 2));
        QVERIFY(!s.window.ExtraBox()->isVisible());
        QVERIFY(!s.window.KeepUpLabel()->isVisible());
    }

    void menusCarryItemsAndShortcuts() {
        Screen s;
        const QList<QAction*> menus = s.window.menuBar()->actions();
        QCOMPARE(Texts(menus), QStringList({"&Game", "&Rules", "&Help"}));
        const QList<QAction*> game = menus[0]->menu()->actions();
        const QList<QAction*> rules = menus[1]->menu()->actions();
        const QList<QAction*> help = menus[2]->menu()->actions();
        QCOMPARE(Texts(game),
                 QStringList({"&Replay", "-", "&Beginner - 9 x 9, 10 Mines",
                              "&Intermediate - 16 x 16, 40 Mines", "&Expert - 30 x 16, 99 Mines",
                              "&Custom...", "-", "&No-Guess Boards", "-", "E&xit"}));
        QCOMPARE(Texts(rules).mid(0, 4), QStringList({"&Obvious Riles - Once", "&2-Adjacent Rule",
                                                      "-", "Obvious Riles - &Multiple"}));
        QCOMPARE(Texts(help), QStringList({"Large Screen", "&Options", "&About"}));

        QCOMPARE(game[0]->shortcut(), QKeySequence(Qt::Key_F2));
        QCOMPARE(rules[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
        QCOMPARE(rules[3]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
        QVERIFY(!help[0]->isEnabled());
        QVERIFY(!rules[3]->isChecked());
        // A choice that lasts: its box shows, empty at start, ticked once chosen.
        QAction* noGuess = game[7];
        QVERIFY(noGuess->isCheckable());
        QVERIFY(!noGuess->isChecked());
        noGuess->trigger();
        QVERIFY(noGuess->isChecked());
        QVERIFY(s.game.form.mnuNoGuess.Checked);
        // The sizes: one group, Expert ticked at start, the board's own afterwards.
        for (int k = 2; k <= 5; ++k) {
            QVERIFY(game[k]->isCheckable());
            QCOMPARE(game[k]->isChecked(), k == 4);
        }
        game[2]->trigger();
        QCOMPARE(s.game.board.Cols * s.game.board.Rows, 81);
        QVERIFY(game[2]->isChecked() && !game[4]->isChecked());
    }

    // A board larger than the screen scrolls in the largest window the screen takes, and the
    // keyboard cursor's cell is kept in view; the Expert board fits whole.
    void aBoardLargerThanTheScreenScrollsToTheCursor() {
        Screen s;
        QVERIFY(s.Show());
        QScrollArea* view = s.window.BoardView();
        QCOMPARE(s.window.Minefield()->parentWidget(), s.window.centralWidget());
        s.game.toolkit.onShowModal = [](dravik::Form& form) {
            auto& custom = static_cast<dravik::frmCustom&>(form);
            custom.txtColumns.Text = "60";
            custom.txtRows.Text = "40";
            custom.txtMines.Text = "480";
            custom.cmdOK_Click();
        };
        s.game.form.mnuCustom_Click();
        s.window.Sync();
        const QRect screen = s.window.screen()->availableGeometry();
        QVERIFY(s.window.Minefield()->width() > screen.width() ||
                s.window.Minefield()->height() > screen.height());
        QVERIFY(s.window.width() <= screen.width() && s.window.height() <= screen.height());
        QVERIFY(view->width() < s.window.Minefield()->width() ||
                view->height() < s.window.Minefield()->height());

        s.window.Minefield()->setFocus(Qt::TabFocusReason);
        for (const int key : {Qt::Key_End, Qt::Key_PageDown, Qt::Key_Left, Qt::Key_Home}) {
            QTest::keyClick(s.window.Minefield(), static_cast<Qt::Key>(key));
            const QRect cell = s.window.Minefield()->CellRect(s.window.Minefield()->CursorIndex());
            const QRect shown(view->widget()->mapFrom(view->viewport(), QPoint(0, 0)),
                              view->viewport()->size());
            QVERIFY2(shown.contains(cell), qPrintable(QString::number(key)));
            // The scroll bars tell where the board stands.
            QCOMPARE(view->horizontalScrollBar()->value(), -view->widget()->x());
            QCOMPARE(view->verticalScrollBar()->value(), -view->widget()->y());
        }
        QCOMPARE(s.window.Minefield()->CursorIndex(), 39 * 60);
        QVERIFY(s.window.Minefield()->hasFocus());
        // The focus leaving the board leaves the view where it is, not on the board's middle.
        QTest::keyClick(s.window.Minefield(), Qt::Key_End);
        const QPoint scrolled(view->horizontalScrollBar()->value(),
                              view->verticalScrollBar()->value());
        QVERIFY(scrolled.x() > 0 && scrolled.y() > 0);
        QTest::keyClick(s.window.Minefield(), Qt::Key_Backtab);
        QVERIFY(!s.window.Minefield()->hasFocus());
        QCOMPARE(QPoint(view->horizontalScrollBar()->value(), view->verticalScrollBar()->value()),
                 scrolled);
        s.window.Minefield()->setFocus(Qt::TabFocusReason);

        // Back to a board that fits: in the window again, as it was.
        s.game.form.mnuExpert_Click();
        s.window.Sync();
        QCOMPARE(s.window.Minefield()->parentWidget(), s.window.centralWidget());
        QCOMPARE(s.window.Minefield()->geometry(), QRect(0, 36, 527, 291));
        QVERIFY(s.window.Minefield()->hasFocus());
    }

    void menusTakeTheDesktopFontAndTheStripTheWindows() {
        Screen s;
        QMenuBar* bar = s.window.menuBar();
        QCOMPARE(bar->font(), QApplication::font(bar));
        for (const QAction* menu : bar->actions()) {
            QCOMPARE(menu->menu()->font(), QApplication::font(menu->menu()));
        }
        const QFont serif = dravik::qt::ToQFont(s.game.form.WindowFont);
        QVERIFY(serif.bold());
        for (const QWidget* control :
             std::initializer_list<const QWidget*>{s.window.Rule1Button(), s.window.KeepUpBox(),
                                                   s.window.KeepUpLabel(), s.window.Minefield()}) {
            QCOMPARE(control->font(), serif);
        }
    }

    // Unchecked, the item must look like every other: no empty box beside it.
    void multipleShowsACheckOnlyWhileItsRunLasts() {
        Screen s;
        QVERIFY(s.Show());
        QAction* multiple = s.window.menuBar()->actions()[1]->menu()->actions()[3];
        QVERIFY(!multiple->isCheckable());
        int checkedPasses = 0;
        s.game.toolkit.Post([&] {
            s.window.Sync();
            checkedPasses += multiple->isCheckable() && multiple->isChecked() ? 1 : 0;
        });
        multiple->trigger();
        QCOMPARE(s.game.toolkit.yields, 1);
        QCOMPARE(checkedPasses, 1);
        QVERIFY(!multiple->isCheckable() && !multiple->isChecked());
    }

    void focusStartsOnRule1AndTabsOverButtonsThenTheBoard() {
        Screen s;
        QVERIFY(s.Show());
        QCOMPARE(QApplication::focusWidget(), s.window.Rule1Button());
        // A click on a cell leaves the focus where it is.
        s.Click(3, 3, Qt::RightButton);
        QCOMPARE(QApplication::focusWidget(), s.window.Rule1Button());
        QStringList visited;
        for (int step = 0; step < 5; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            const QWidget* focused = QApplication::focusWidget();
            const auto* button = qobject_cast<const QAbstractButton*>(focused);
            visited << (button != nullptr ? button->text() : focused->accessibleName());
        }
        // "Extra" is hidden; the counters and the label take no focus.
        QCOMPARE(visited, QStringList({"Multi", "Replay", "Keep Up Mode", "Minefield", "Rule1"}));
    }

    void rightClickTogglesMarkOnScreen() {
        Screen s;
        QVERIFY(s.Show());
        s.game.LayMines({"", "", ".*"});
        QCOMPARE(s.Shown(2, 2), s.Covered());

        s.Click(2, 2, Qt::RightButton);
        QCOMPARE(s.game.Cell(2, 2).Caption, std::string("@"));
        QCOMPARE(s.Shown(2, 2), kUserMark);
        QCOMPARE(s.Counters(), QStringLiteral("098/479"));

        s.Click(2, 2, Qt::RightButton);
        QCOMPARE(s.game.Cell(2, 2).Caption, std::string(""));
        QCOMPARE(s.Shown(2, 2), s.Covered());
        QCOMPARE(s.Counters(), QStringLiteral("099/480"));
    }

    void leftClickUncoversOrHitsMine() {
        Screen s;
        QVERIFY(s.Show());
        s.game.LayMines({"", "", ".*"});

        // The click only acts after its left-button release has been recorded.
        s.Click(2, 2);
        QCOMPARE(s.game.board.MouseButton, dravik::vbLeftButton);
        QCOMPARE(s.game.Cell(2, 2).Caption, std::string("1"));
        QCOMPARE(s.Counters(), QStringLiteral("099/479"));

        s.Click(5, 5, Qt::MiddleButton);
        QCOMPARE(s.game.Cell(5, 5).Caption, std::string(""));
        QVERIFY(s.game.toolkit.boxes.empty());

        s.Click(3, 2);
        QCOMPARE(s.game.toolkit.BoxTexts(), std::vector<std::string>{"Booom!"});
        QCOMPARE(s.game.Cell(3, 2).Caption, std::string("@"));
        QCOMPARE(s.Shown(3, 2), kGameMark);
        QCOMPARE(s.Counters(), QStringLiteral("098/478"));
    }

    void releaseOverAnotherCellIsNoClick() {
        Screen s;
        QVERIFY(s.Show());
        s.game.LayMines({"*"});
        QTest::mousePress(s.window.Minefield(), Qt::LeftButton, {}, s.Centre(8, 8));
        QTest::mouseRelease(s.window.Minefield(), Qt::LeftButton, {}, s.Centre(8, 9));
        QCOMPARE(s.CoveredCells(), 480);

        // The next click is taken for its own cell, not the abandoned one.
        s.Click(2, 1, Qt::RightButton);
        QCOMPARE(s.game.Cell(2, 1).Caption, std::string("@"));
        QCOMPARE(s.CoveredCells(), 479);
    }

    // The form would take a click after a right release for a left one if a left release ran
    // nested in the right one's follow-up.
    void onlyALeftReleaseIsFollowedByAClick() {
        Screen s;
        QVERIFY(s.Show());
        dravik::qt::MinefieldWidget* field = s.window.Minefield();
        int clicks = 0;
        field->onClick = [&clicks, click = field->onClick](int index) {
            ++clicks;
            click(index);
        };
        for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton, Qt::LeftButton}) {
            s.Click(8, 8, button);
        }
        QCOMPARE(clicks, 1);
    }

    void keysReachTheFormBeforeTheFocusedButton() {
        Screen s;
        QVERIFY(s.Show());
        s.game.LayMines({"*"});
        QPushButton* rule1 = s.window.Rule1Button();
        QCOMPARE(QApplication::focusWidget(), rule1);

        QTest::keyPress(rule1, Qt::Key_Shift);
        QCOMPARE(s.game.board.KeyHeld, dravik::kTrue);
        s.Click(4, 4);  // marks instead of uncovering
        QCOMPARE(s.game.Cell(4, 4).Caption, std::string("@"));
        QCOMPARE(s.Shown(4, 4), kUserMark);
        QTest::keyRelease(rule1, Qt::Key_Shift);
        QCOMPARE(s.game.board.KeyHeld, dravik::kFalse);
        s.Click(4, 4);  // a plain left click leaves a mark alone
        QCOMPARE(s.game.Cell(4, 4).Caption, std::string("@"));

        QCOMPARE(s.game.board.StopFlag, dravik::kFalse);
        QTest::keyClick(rule1, Qt::Key_Escape);
        QCOMPARE(s.game.board.StopFlag, dravik::kTrue);
    }

    void spaceOnRule1RunsTheRuleAndF2StartsAgain() {
        Screen s;
        QVERIFY(s.Show());
        s.game.LayMines({"*"});
        s.Click(16, 30);  // opens everything but the mine
        QCOMPARE(s.CoveredCells(), 1);
        QCOMPARE(s.Shown(16, 30), kEmptyCell);

        QTest::keyClick(s.window.Rule1Button(), Qt::Key_Space);
        QCOMPARE(s.game.Cell(1, 1).Caption, std::string("@"));
        QCOMPARE(s.Counters(), QStringLiteral("098/000"));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
        QCOMPARE(s.CoveredCells(), 480);
        QCOMPARE(s.Counters(), QStringLiteral("099/480"));
        QCOMPARE(s.Shown(16, 30), s.Covered());
    }
};

QTEST_MAIN(MainWindowTest)
#include "qt_main_window_test.moc"
