#include "qt/icon.h"

#include <QIconEngine>
#include <QPainter>
#include <algorithm>

#include "toolkit/palette.h"

namespace dravik::qt {

namespace {

QColor Palette16(int n) {
    const Colour c = PaletteColour(n);
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

// The icon is drawn afresh at the size in device pixels a screen asks for, so a scaled screen
// gets twice the pixels rather than a stored picture enlarged and blurred.
class GameIconEngine : public QIconEngine {
  public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode /*mode*/,
               QIcon::State /*state*/) override {
        const qreal ratio =
            painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1;
        QImage image = GameIconImage(qRound(std::min(rect.width(), rect.height()) * ratio));
        image.setDevicePixelRatio(ratio);
        painter->drawImage(rect.topLeft(), image);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        return QPixmap::fromImage(GameIconImage(std::min(size.width(), size.height())));
    }
    // The sizes a window offers its window manager, in logical pixels.
    QList<QSize> availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        return {QSize(16, 16), QSize(32, 32), QSize(48, 48), QSize(64, 64)};
    }
    QIconEngine* clone() const override { return new GameIconEngine; }
    QString key() const override { return QStringLiteral("dravik"); }
};

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
    return QIcon(new GameIconEngine);  // the icon owns its engine
}

}  // namespace dravik::qt
