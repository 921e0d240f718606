#include <QApplication>
#include <iostream>
#include <span>

#include "board/mod_dravik.h"
#include "forms/frm_dravik.h"
#include "qt/command_line.h"
#include "qt/game_style.h"
#include "qt/icon.h"
#include "qt/main_window.h"
#include "qt/qt_toolkit.h"

int main(int argc, char* argv[]) {
    // Before the application exists, which would need a display and take Qt's own options.
    if (const auto exit_code = dravik::qt::HandleCommandLine(
            std::span<const char* const>(argv, static_cast<std::size_t>(argc)), std::cout,
            std::cerr)) {
        return *exit_code;
    }
    QApplication app(argc, argv);
    // The application takes the style and deletes it on exit; the analyser, losing track of it,
    // reports the leak at whichever statement follows.
    // NOLINTBEGIN(clang-analyzer-cplusplus.NewDeleteLeaks)
    QApplication::setStyle(new dravik::qt::GameStyle);
    QApplication::setApplicationName(QStringLiteral("Dravik 2000"));
    // NOLINTEND(clang-analyzer-cplusplus.NewDeleteLeaks)

    dravik::qt::QtToolkit toolkit;
    dravik::ModDravik options;
    dravik::frmDravik form(toolkit, options);
    toolkit.SetMainForm(&form);

    // The start question is the first thing on screen: the main window, its fonts and the icon
    // are built only once it is answered.
    form.Load();
    // A cancelled start question closes the window at its first activation, before it paints.
    form.Form_Activate();
    if (!form.Loaded()) {
        return 0;
    }
    QApplication::setWindowIcon(dravik::qt::GameIcon());
    dravik::qt::MainWindow window(form);
    toolkit.SetMainWidget(&window);
    toolkit.SetSync([&window] { window.Sync(); });
    window.show();
    // Nobody may be there to hand the new window the keyboard: take it.
    window.activateWindow();
    return QApplication::exec();
}
