#include "qt/look.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "qt/icon.h"

namespace dravik::qt {

namespace {

double LogicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInchX() : 96.0;
}

// The width a button needs to show its whole caption: what the style keeps round the caption
// now, plus the caption's own width (its ink where that reaches past its advance).
int ButtonWidth(const QAbstractButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    QStyle::SubElement room = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox*>(&button) != nullptr) {
        room = QStyle::SE_CheckBoxContents;
    } else if (qobject_cast<const QRadioButton*>(&button) != nullptr) {
        room = QStyle::SE_RadioButtonContents;
    } else if (const auto* push = qobject_cast<const QPushButton*>(&button)) {
        if (push->autoDefault()) {
            option.features |= QStyleOptionButton::AutoDefaultButton;
        }
    }
    const int kept =
        button.width() - button.style()->subElementRect(room, &option, &button).width();
    QString text = button.text();
    text.remove(QLatin1Char('&'));  // the access key's marker is not drawn
    const QFontMetrics metrics = button.fontMetrics();
    return kept + std::max(metrics.horizontalAdvance(text), metrics.boundingRect(text).width());
}

// The width a control needs to show its whole caption in the font and style it has here, or 0.
int CaptionWidth(const QWidget& widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        return ButtonWidth(*button);
    }
    if (qobject_cast<const QLabel*>(&widget) != nullptr) {
        return widget.sizeHint().width();
    }
    if (qobject_cast<const QGroupBox*>(&widget) != nullptr) {
        return widget.minimumSizeHint().width();
    }
    return 0;
}

}  // namespace

int TwipsToPixels(int twips) {
    static const double dpi = LogicalDpi();
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

int PixelsToTwips(int pixels) {
    static const double dpi = LogicalDpi();
    return static_cast<int>(std::lround(pixels * 1440.0 / dpi));
}

QRect TwipsRect(int left, int top, int width, int height) {
    const int x0 = TwipsToPixels(left);
    const int y0 = TwipsToPixels(top);
    return QRect(x0, y0, TwipsToPixels(left + width) - x0, TwipsToPixels(top + height) - y0);
}

QColor ToQColor(Colour colour, const QWidget& widget) {
    if (!IsSystemColour(colour)) {
        return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
    }
    const QPalette& palette = widget.palette();
    switch (colour) {
        case kWindowBackground:
            return palette.color(QPalette::Base);
        case kWindowText:
            return palette.color(QPalette::Text);
        case kButtonText:
            return palette.color(QPalette::ButtonText);
        default:  // the button face, and any system colour the windows do not use
            return palette.color(QPalette::Button);
    }
}

QFont ToQFont(const Font& font) {
    QFont result;
    if (font.Name == "MS Serif") {
        result.setFamilies({QStringLiteral("MS Serif"), QStringLiteral("DejaVu Serif")});
        result.setStyleHint(QFont::Serif);
    } else if (font.Name == "Arial") {
        result.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
        result.setStyleHint(QFont::SansSerif);
    } else {
        result.setFamily(QString::fromStdString(font.Name));
    }
    result.setPointSizeF(font.Size);
    result.setBold(font.Bold);
    return result;
}

void Place(QWidget& widget, const ControlBase& control) {
    QRect rect = TwipsRect(control);
    // The twips were measured in other fonts: where this desktop's are wider, a caption would be
    // cut. The control then grows to the right, keeping its place and its height.
    rect.setWidth(std::max(rect.width(), CaptionWidth(widget)));
    if (widget.geometry() != rect) {
        widget.setGeometry(rect);
    }
    if (widget.isVisibleTo(widget.parentWidget()) != control.Visible) {
        widget.setVisible(control.Visible);
    }
    if (widget.isEnabled() != control.Enabled) {
        widget.setEnabled(control.Enabled);
    }
}

QString ToQText(const std::string& text) {
    QString result = QString::fromStdString(text);
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

void ShapeDialog(QDialog& dialog, const WindowFrame& window) {
    dialog.setWindowTitle(QString::fromStdString(window.Caption));
    dialog.setWindowIcon(GameIcon());
    dialog.setFixedSize(TwipsToPixels(window.Width), TwipsToPixels(window.Height));
    dialog.setModal(true);
}

}  // namespace dravik::qt
