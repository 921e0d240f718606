// The least a Qt Widgets program does to put a window on the screen: the floor the game's
// start-up time and memory are measured against.
//
//   bare_window                 one plain QWidget
//   bare_window --message-box   a lone Yes/No/Cancel message box like the game's first window:
//                               what showing any text costs (fonts) apart from the game's own work

#include <QApplication>
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
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.show();
    return QApplication::exec();
}
