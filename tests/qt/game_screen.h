#pragma once

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "qt/main_window.h"
#include "qt/minefield_widget.h"
#include "support/game_fixture.h"

namespace dravik::testing {

// A started game in its window, shown and active as the player first sees it.
struct GameScreen {
    GameWindow game;
    qt::MainWindow window{game.form};

    bool Show() {
        window.Sync();
        window.show();
        return QTest::qWaitForWindowActive(&window);
    }
    QPoint Centre(int row, int col) const {
        return window.Minefield()->CellRect(game.Index(row, col)).center();
    }
    void Click(int row, int col, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(window.Minefield(), button, {}, Centre(row, col));
    }
};

// Menu items as their texts, "-" for a separator.
inline QStringList Texts(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* action : actions) {
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return texts;
}

// Runs on the next modal box from inside its own event loop; gives up after half a minute so that
// a box that never opens cannot leave a stray timer behind for later tests. A sanitized build on
// a busy machine has taken over two seconds to open the start box.
inline void WhenBoxOpens(std::function<void(QMessageBox&)> act, int triesLeft = 3000) {
    QTimer::singleShot(10, qApp, [act = std::move(act), triesLeft]() mutable {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            act(*box);
        } else if (triesLeft > 0) {
            WhenBoxOpens(std::move(act), triesLeft - 1);
        }
    });
}

}  // namespace dravik::testing
