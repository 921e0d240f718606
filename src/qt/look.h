#pragma once

#include <QColor>
#include <QFont>
#include <QRect>

#include "toolkit/controls.h"
#include "toolkit/palette.h"

class QDialog;
class QWidget;

namespace dravik::qt {

// Twips to logical pixels at the screen's logical DPI; device pixel ratios are Qt's concern.
int TwipsToPixels(int twips);
// Logical pixels back to twips.
int PixelsToTwips(int pixels);
// A control's rectangle, edges rounded separately so that neighbouring cells share them.
QRect TwipsRect(int left, int top, int width, int height);
inline QRect TwipsRect(const ControlBase& c) {
    return TwipsRect(c.Left, c.Top, c.Width, c.Height);
}

// The outlines of a hint: the cell it names, and the numbers that prove it.
inline QColor HintOutlineColour() {
    return QColor(255, 128, 0);
}
inline QColor ProofOutlineColour() {
    return QColor(0, 0, 255);
}

// The keyboard's cursor on the board: a violet that no cell, caption, mark or hint uses, dark
// enough to stand out on every cell colour.
inline QColor CursorOutlineColour() {
    return QColor(128, 0, 255);
}

// Plain colours as they are; system colours from the widget's palette.
QColor ToQColor(Colour colour, const QWidget& widget);

// A font as the forms name it, falling back to what this desktop has: a bold serif where
// "MS Serif" is missing, the metric twin of "Arial".
QFont ToQFont(const Font& font);

// Puts a widget where its model says and shows or hides it; a captioned one is widened to the
// right where its caption would not fit.
void Place(QWidget& widget, const ControlBase& control);

// The game's dialogs: a title bar with a close box and nothing else.
inline constexpr Qt::WindowFlags kDialogFlags = Qt::Dialog | Qt::CustomizeWindowHint |
                                                Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                Qt::WindowCloseButtonHint;
// A modal dialog of the size, caption and icon its form gives it.
void ShapeDialog(QDialog& dialog, const WindowFrame& window);

// Model captions mark the access key with '&' as Qt does; the one difference is a line break.
QString ToQText(const std::string& text);

}  // namespace dravik::qt
