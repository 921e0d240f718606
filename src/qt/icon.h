#pragma once

#include <QIcon>
#include <QImage>

namespace dravik::qt {

// The game's icon: a mine on a covered cell, drawn in the 16-colour palette.
QImage GameIconImage(int size);
QIcon GameIcon();

}  // namespace dravik::qt
