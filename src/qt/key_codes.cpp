#include "qt/key_codes.h"

namespace dravik::qt {

namespace {

std::int16_t KeyCode(int key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return static_cast<std::int16_t>(key);  // same as their ASCII codes
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return static_cast<std::int16_t>(112 + (key - Qt::Key_F1));
    }
    switch (key) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
            return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Shift:
            return 16;
        case Qt::Key_Control:
            return 17;
        case Qt::Key_Alt:
            return 18;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        default:
            return 0;
    }
}

}  // namespace

int ShiftBits(Qt::KeyboardModifiers modifiers) {
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

KeyInput ToKeyInput(const QKeyEvent& event, bool down) {
    int shift = ShiftBits(event.modifiers());
    // X reports the modifier state from before the event; a modifier key itself changes it.
    int own = 0;
    switch (event.key()) {
        case Qt::Key_Shift:
            own = 1;
            break;
        case Qt::Key_Control:
            own = 2;
            break;
        case Qt::Key_Alt:
            own = 4;
            break;
        default:
            break;
    }
    shift = down ? (shift | own) : (shift & ~own);
    return KeyInput{KeyCode(event.key()), static_cast<std::int16_t>(shift)};
}

}  // namespace dravik::qt
