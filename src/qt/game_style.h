#pragma once

#include <QProxyStyle>

namespace dravik::qt {

// The desktop's own style with the game's few departures: buttons in message boxes carry text
// only, as the game has always shown them. Loading the stock button icons would also cost the
// start question a fifth of its start-up (an icon theme lookup and the image format plug-ins).
class GameStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
};

}  // namespace dravik::qt
