#pragma once

#include <cstdint>

#include <Qt>

class QKeyEvent;

namespace kelvo::host {

// Input as controls receive it: mouse buttons 1 (left), 2 (right), 4 (middle); Shift 1, Ctrl 2, Alt 4;
// key codes of the Windows virtual-key set (letters and digits by their upper-case character, 13 Enter,
// 32 space, 37 to 40 the arrows, 112 on the function keys ...); characters as 8-bit codes.
class InputCodes {
public:
    static constexpr std::int16_t LeftButton = 1;
    static constexpr std::int16_t RightButton = 2;
    static constexpr std::int16_t MiddleButton = 4;
    static constexpr std::int16_t ShiftMask = 1;
    static constexpr std::int16_t CtrlMask = 2;
    static constexpr std::int16_t AltMask = 4;

    // One button (as pressed or released) or the set held during a move.
    static std::int16_t Button(Qt::MouseButton button);
    static std::int16_t Buttons(Qt::MouseButtons buttons);
    static std::int16_t Shift(Qt::KeyboardModifiers modifiers);
    // The key code of a key, or 0 for keys without one.
    static std::int16_t KeyCode(int qtKey);
    // The character a key press types (1 to 255), or 0 when it types none.
    static std::int16_t KeyAscii(const QKeyEvent& event);
};

} // namespace kelvo::host
