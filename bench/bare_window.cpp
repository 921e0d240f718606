// The least a Qt Widgets program does to put a window on the screen: the floor the game's
// start-up time and memory are measured against.
//
//   bare_window                 one plain QWidget
//   bare_window --label         one line of text in a plain label: the least any window with
//                               text costs (the font stack: configuration, fonts, shaping)
//   bare_window --message-box   a stock Yes/No/Cancel message box with the game's first question

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QWidget>
#include <cstring>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--message-box") == 0) {
        QMessageBox box;
        box.setIcon(QMessageBox::NoIcon);
        box.setWindowTitle(QStringLiteral("DRAVIK"));
        box.setText(QStringLiteral("Large Screen?"));
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        return box.exec() == QMessageBox::Yes ? 0 : 1;
    }
    if (argc > 1 && std::strcmp(argv[1], "--label") == 0) {
        QLabel label(QStringLiteral("Large Screen?"));
        label.show();
        return QApplication::exec();
    }
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.show();
    return QApplication::exec();
}
