#pragma once

#include <QKeyEvent>
#include <cstdint>

namespace dravik::qt {

// A key as the form's key handlers take it: a key code and the shift bits as they stand after
// the event, so pressing Shift reports Shift held.
struct KeyInput {
    std::int16_t keyCode;
    std::int16_t shift;
};

KeyInput ToKeyInput(const QKeyEvent& event, bool down);

// The shift bits of a modifier state, as the mouse and key handlers take them.
int ShiftBits(Qt::KeyboardModifiers modifiers);

}  // namespace dravik::qt
