#include "HostedWidget.h"

#include <cmath>

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

#include "HostContext.h"
#include "HostedAccessible.h"
#include "InputCodes.h"

namespace kelvo::host {

namespace {

struct MouseArguments {
    std::int16_t button;
    std::int16_t shift;
    float x;
    float y;
};

MouseArguments Arguments(const QMouseEvent& event, std::int16_t button) {
    return {button, InputCodes::Shift(event.modifiers()),
            static_cast<float>(std::floor(event.position().x())),
            static_cast<float>(std::floor(event.position().y()))};
}

} // namespace

HostedWidget::HostedWidget(HostContext& host, QWidget* parent)
    : QWidget(parent)
    , host_(host) {
    ambient_.font = host.AmbientFont();
    setMouseTracking(true);
    setMaximumSize(HostContext::MaxSide, HostContext::MaxSide);
    HostedAccessible::Install();
}

void HostedWidget::RaiseClick() {
    if (!TakesInput() || !isEnabled()) {
        return;
    }
    const QPointer<HostedWidget> alive(this);
    if (ClickAction() && alive) {
        emit Click();
    }
}

void HostedWidget::FocusFromKeyboard() {
    // Qt has no reason of its own for an arrow key; it moves the focus as Tab does.
    setFocus(Qt::TabFocusReason);
}

void HostedWidget::focusInEvent(QFocusEvent* event) {
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        keyboardFocus_ = true;
        break;
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        break;
    default:
        keyboardFocus_ = false;
        break;
    }
    QWidget::focusInEvent(event);
}

void HostedWidget::SetAmbient(const AmbientValues& ambient) {
    const AmbientValues old = std::exchange(ambient_, ambient);
    AmbientUpdated(old);
}

bool HostedWidget::InsideForClick(const QPointF& position) const {
    const QPoint point(int(std::floor(position.x())), int(std::floor(position.y())));
    return rect().contains(point) && (mask().isEmpty() || mask().contains(point));
}

void HostedWidget::RaiseDblClick() {
    // A handler may end the control (or the form); nothing of it is touched after that.
    const QPointer<HostedWidget> alive(this);
    emit DblClick();
    if (alive && TakesInput()) {
        AfterDblClick();
    }
}

void HostedWidget::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (!TakesInput()) {
        return;
    }
    if (clicks_.OnPress(*event) == ClickTracker::Press::Double) {
        RaiseDblClick();
        return;
    }
    MouseArguments a = Arguments(*event, InputCodes::Button(event->button()));
    const QPointer<HostedWidget> alive(this);
    emit MouseDown(a.button, a.shift, a.x, a.y);
    if (alive && TakesInput()) {
        AfterMouseDown(a.button, a.shift, a.x, a.y);
    }
}

void HostedWidget::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (!TakesInput()) {
        return;
    }
    MouseArguments a = Arguments(*event, InputCodes::Buttons(event->buttons()));
    const QPointer<HostedWidget> alive(this);
    emit MouseMove(a.button, a.shift, a.x, a.y);
    if (alive && TakesInput()) {
        AfterMouseMove(a.button, a.shift, a.x, a.y);
    }
}

void HostedWidget::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (!TakesInput()) {
        return;
    }
    const bool clicks = clicks_.OnRelease(*event, InsideForClick(event->position()));
    MouseArguments a = Arguments(*event, InputCodes::Button(event->button()));
    const QPointer<HostedWidget> alive(this);
    emit MouseUp(a.button, a.shift, a.x, a.y);
    if (!alive || !TakesInput()) {
        return;
    }
    AfterMouseUp(a.button, a.shift, a.x, a.y);
    if (!clicks || !alive || !TakesInput()) {
        return;
    }
    if (ClickAction() && alive) {
        emit Click();
    }
}

void HostedWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (TakesInput() && clicks_.OnDoubleClickEvent(*event)) {
        RaiseDblClick();
    }
}

void HostedWidget::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (!TakesInput()) {
        return;
    }
    const QPointer<HostedWidget> alive(this);
    std::int16_t keyCode = InputCodes::KeyCode(event->key());
    std::int16_t shift = InputCodes::Shift(event->modifiers());
    if (keyCode != 0) {
        emit KeyDown(keyCode, shift);
        if (!alive || !TakesInput()) {
            return;
        }
        AfterKeyDown(keyCode, shift);
    }
    std::int16_t keyAscii = InputCodes::KeyAscii(*event);
    if (keyAscii != 0 && alive && TakesInput()) {
        emit KeyPress(keyAscii);
        if (alive && TakesInput()) {
            AfterKeyPress(keyAscii);
        }
    }
}

void HostedWidget::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
    if (!TakesInput() || event->isAutoRepeat()) {
        return;
    }
    std::int16_t keyCode = InputCodes::KeyCode(event->key());
    std::int16_t shift = InputCodes::Shift(event->modifiers());
    if (keyCode == 0) {
        return;
    }
    const QPointer<HostedWidget> alive(this);
    emit KeyUp(keyCode, shift);
    if (alive && TakesInput()) {
        AfterKeyUp(keyCode, shift);
    }
}

void HostedWidget::AfterMouseDown(std::int16_t, std::int16_t, float, float) {}
void HostedWidget::AfterMouseMove(std::int16_t, std::int16_t, float, float) {}
void HostedWidget::AfterMouseUp(std::int16_t, std::int16_t, float, float) {}
void HostedWidget::AfterKeyDown(std::int16_t, std::int16_t) {}
void HostedWidget::AfterKeyUp(std::int16_t, std::int16_t) {}
void HostedWidget::AfterKeyPress(std::int16_t) {}

} // namespace kelvo::host
