#include "InputCodes.h"

#include <QKeyEvent>

namespace kelvo::host {

std::int16_t InputCodes::Button(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return LeftButton;
    case Qt::RightButton:
        return RightButton;
    case Qt::MiddleButton:
        return MiddleButton;
    default:
        return 0;
    }
}

std::int16_t InputCodes::Buttons(Qt::MouseButtons buttons) {
    std::int16_t result = 0;
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if (buttons.testFlag(button)) {
            result = static_cast<std::int16_t>(result | Button(button));
        }
    }
    return result;
}

std::int16_t InputCodes::Shift(Qt::KeyboardModifiers modifiers) {
    std::int16_t result = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        result |= ShiftMask;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        result |= CtrlMask;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        result |= AltMask;
    }
    return result;
}

std::int16_t InputCodes::KeyCode(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return static_cast<std::int16_t>(qtKey); // Qt uses the same upper-case character codes.
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return static_cast<std::int16_t>(112 + (qtKey - Qt::Key_F1));
    }
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Clear:
        return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
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
    case Qt::Key_Print:
        return 44;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Help:
        return 47;
    case Qt::Key_NumLock:
        return 144;
    case Qt::Key_ScrollLock:
        return 145;
    default:
        return 0;
    }
}

std::int16_t InputCodes::KeyAscii(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.size() != 1) {
        return 0;
    }
    const char16_t code = text.at(0).unicode();
    // Characters outside the 8-bit range have no code a control could compare against.
    return code >= 1 && code <= 255 ? static_cast<std::int16_t>(code) : 0;
}

} // namespace kelvo::host
