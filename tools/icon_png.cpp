// Writes the game's icon as a PNG of the given size, for the icon theme.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "qt/icon.h"

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SIZE OUTPUT.png\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int size = std::atoi(argv[1]);
    return dravik::qt::GameIconImage(size).save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
