#pragma once

#include <QtTest>

#include "qt/main_window.h"
#include "qt/minefield_widget.h"
#include "support/game_fixture.h"

namespace dravik::testing {

// A started game in its window, shown and active as the player first sees it.
struct GameScreen {
    Game game;
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

}  // namespace dravik::testing
