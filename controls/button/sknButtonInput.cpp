// How the button answers the mouse, the keyboard and the focus: the hover look (kept up to date by
// OverTimer, which notices the cursor leaving even when no mouse event says so), the pressed look,
// clicks, the space bar, access keys and the arrow keys that move the focus on.
#include <utility>

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QPointer>

#include "controls/button/ButtonAccessible.h"
#include "controls/button/sknButton.h"
#include "platform/host/HostContext.h"

namespace kelvo::controls {

namespace {

constexpr std::int16_t LeftButton = 1;
constexpr std::int16_t RightButton = 2;
constexpr std::int16_t KeySpace = 32;

// The 8-bit copies the button keeps of a mouse button or key code; anything wider names none.
std::uint8_t Narrow(std::int16_t value) {
    return value >= 0 && value <= 255 ? static_cast<std::uint8_t>(value) : 0;
}

} // namespace

bool sknButton::IsMouseOver() const {
    // The window under the cursor must be this one; a window's mask (the button's shape) belongs to it,
    // a point outside the shape to whatever lies behind. Asking the window system which window is under
    // a point costs a round trip or two, and OverTimer asks every few milliseconds: while the cursor
    // rests, the last answer stands (a window opening over the button sends us a Leave, which clears it).
    const QPoint global = QCursor::pos();
    if (overCache_.valid && overCache_.global == global) {
        return overCache_.over;
    }
    bool over = false;
    if (QApplication::widgetAt(global) == this) {
        const QPoint local = mapFromGlobal(global);
        over = rect().contains(local) && (mask().isEmpty() || mask().contains(local));
    }
    overCache_ = {true, global, over};
    return over;
}

bool sknButton::event(QEvent* event) {
    // The last answer holds only for the place and size it was given for: a button moved or resized under
    // a resting cursor asks again, so OverTimer notices the cursor is no longer over it.
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave || event->type() == QEvent::Move ||
        event->type() == QEvent::Resize) {
        overCache_.valid = false;
    }
    return host::UserControl::event(event);
}

void sknButton::OverTimer_Timer() {
    if (IsMouseOver()) {
        return;
    }
    overTimer_.stop();
    look_.Hovering = false;
    Paint(button::StateUp, true);
    emit MouseOut();
}

void sknButton::AfterMouseDown(std::int16_t button, std::int16_t, float, float) {
    LastButton = Narrow(button);
    if (button != RightButton) {
        Paint(button::StateDown, false);
    }
}

void sknButton::AfterMouseMove(std::int16_t button, std::int16_t, float, float) {
    if (button != 0 && button != LeftButton) {
        return;
    }
    if (!IsMouseOver()) {
        Paint(button::StateUp, false);
    } else if (button == 0 && !look_.Hovering) {
        overTimer_.start();
        look_.Hovering = true;
        Paint(button::StateUp, true);
        emit MouseOver();
    } else if (button == LeftButton) {
        // The pressed look is drawn as hovered; the hover state itself stays what it was, so MouseOver and
        // MouseOut keep coming in pairs.
        const bool hovering = std::exchange(look_.Hovering, true);
        Paint(button::StateDown, false);
        look_.Hovering = hovering;
    }
}

void sknButton::AfterMouseUp(std::int16_t button, std::int16_t, float, float) {
    if (mouseCaptured_) {
        mouseCaptured_ = false;
        releaseMouse();
    }
    if (button != RightButton) {
        Paint(button::StateUp, false);
    }
}

void sknButton::ClickNow() {
    if (look_.CheckBoxBehaviour) {
        SetValue(!look_.Value);
    }
    Paint(button::StateUp, true);
    // A long Click handler finds the released look already on screen.
    Surface().Refresh();
}

bool sknButton::ClickAction() {
    if (LastButton != LeftButton || !look_.Enabled) {
        return false;
    }
    ClickNow();
    return true;
}

void sknButton::AfterDblClick() {
    if (LastButton != LeftButton) {
        return;
    }
    // The second press of a double click presses the button again; the capture brings its release back
    // here wherever the mouse is let go.
    std::int16_t button = LeftButton;
    std::int16_t shift = 0;
    float x = 0;
    float y = 0;
    const QPointer<sknButton> alive(this);
    emit MouseDown(button, shift, x, y);
    if (!alive || !TakesInput()) {
        return;
    }
    AfterMouseDown(button, shift, x, y);
    if (!mouseCaptured_ && isVisible()) {
        grabMouse();
        mouseCaptured_ = true;
    }
}

void sknButton::AfterKeyDown(std::int16_t keyCode, std::int16_t) {
    LastKey = Narrow(keyCode);
    switch (keyCode) {
    case KeySpace:
        Paint(button::StateDown, false);
        break;
    case 37: // left
    case 38: // up
        Host().SendKeys(QStringLiteral("+{Tab}"));
        break;
    case 39: // right
    case 40: // down
        Host().SendKeys(QStringLiteral("{Tab}"));
        break;
    default:
        break;
    }
}

void sknButton::AfterKeyUp(std::int16_t keyCode, std::int16_t) {
    if (keyCode != KeySpace || LastKey != KeySpace) {
        return;
    }
    if (look_.CheckBoxBehaviour) {
        SetValue(!look_.Value);
    }
    Paint(button::StateUp, false);
    Surface().Refresh();
    emit Click();
}

void sknButton::UserControl_AccessKeyPress(std::int16_t) {
    LastButton = LeftButton;
    if (ClickAction()) {
        emit Click();
    }
}

void sknButton::UserControl_GotFocus() {
    look_.HasFocus = true;
    Repaint();
}

void sknButton::UserControl_LostFocus() {
    look_.HasFocus = false;
    Repaint();
}

} // namespace kelvo::controls
