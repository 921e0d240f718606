#include "qt/key_codes.h"

#include "toolkit/input_codes.h"

namespace dravik::qt {

namespace {

std::int16_t KeyCode(int key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return static_cast<std::int16_t>(key);  // same as their ASCII codes
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return static_cast<std::int16_t>(vbKeyF1 + (key - Qt::Key_F1));
    }
    switch (key) {
        case Qt::Key_Backspace:
            return vbKeyBack;
        case Qt::Key_Tab:
            return vbKeyTab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return vbKeyReturn;
        case Qt::Key_Shift:
            return vbKeyShift;
        case Qt::Key_Control:
            return vbKeyControl;
        case Qt::Key_Alt:
            return vbKeyMenu;
        case Qt::Key_Escape:
            return vbKeyEscape;
        case Qt::Key_Space:
            return vbKeySpace;
        case Qt::Key_PageUp:
            return vbKeyPageUp;
        case Qt::Key_PageDown:
            return vbKeyPageDown;
        case Qt::Key_End:
            return vbKeyEnd;
        case Qt::Key_Home:
            return vbKeyHome;
        case Qt::Key_Left:
            return vbKeyLeft;
        case Qt::Key_Up:
            return vbKeyUp;
        case Qt::Key_Right:
            return vbKeyRight;
        case Qt::Key_Down:
            return vbKeyDown;
        case Qt::Key_Insert:
            return vbKeyInsert;
        case Qt::Key_Delete:
            return vbKeyDelete;
        default:
            return 0;
    }
}

}  // namespace

int ShiftBits(Qt::KeyboardModifiers modifiers) {
    return (modifiers.testFlag(Qt::ShiftModifier) ? vbShiftMask : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? vbCtrlMask : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? vbAltMask : 0);
}

KeyInput ToKeyInput(const QKeyEvent& event, bool down) {
    int shift = ShiftBits(event.modifiers());
    // X reports the modifier state from before the event; a modifier key itself changes it.
    int own = 0;
    switch (event.key()) {
        case Qt::Key_Shift:
            own = vbShiftMask;
            break;
        case Qt::Key_Control:
            own = vbCtrlMask;
            break;
        case Qt::Key_Alt:
            own = vbAltMask;
            break;
        default:
            break;
    }
    shift = down ? (shift | own) : (shift & ~own);
    return KeyInput{KeyCode(event.key()), static_cast<std::int16_t>(shift)};
}

}  // namespace dravik::qt
