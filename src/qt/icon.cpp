#include "qt/icon.h"

#include <QPainter>

#include "toolkit/palette.h"

namespace dravik::qt {

namespace {

QColor Palette16(int n) {
    const Colour c = PaletteColour(n);
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

}  // namespace

QImage GameIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Palette16(7));
    QPainter p(&image);
    const double u = size / 16.0;  // drawn on a 16-unit grid
    auto box = [u](double x, double y, double w, double h) {
        return QRectF(x * u, y * u, w * u, h * u);
    };
    // A raised cell edge.
    p.fillRect(box(0, 0, 16, 1), Palette16(15));
    p.fillRect(box(0, 0, 1, 16), Palette16(15));
    p.fillRect(box(0, 15, 16, 1), Palette16(8));
    p.fillRect(box(15, 0, 1, 16), Palette16(8));
    // The mine: a body with four spikes and a highlight.
    p.fillRect(box(7.5, 2, 1, 12), Palette16(0));
    p.fillRect(box(2, 7.5, 12, 1), Palette16(0));
    p.setPen(Qt::NoPen);
    p.setBrush(Palette16(0));
    p.drawEllipse(box(4, 4, 8, 8));
    p.fillRect(box(5.5, 5.5, 2, 2), Palette16(15));
    // The mark colour of the game in one corner.
    p.fillRect(box(11, 11, 3, 3), Palette16(13));
    return image;
}

QIcon GameIcon() {
    QIcon icon;
    // 16 and 32 for the window at normal scale; the larger ones keep it sharp on dense screens.
    for (const int size : {16, 32, 48, 64}) {
        icon.addPixmap(QPixmap::fromImage(GameIconImage(size)));
    }
    return icon;
}

}  // namespace dravik::qt
