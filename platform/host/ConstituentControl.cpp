#include "ConstituentControl.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>

#include "InputCodes.h"
#include "platform/numeric/Numeric.h"

namespace kelvo::host {

namespace {

int Position(double value, int fallback) {
    // Positions far outside any screen are cut before converting, so no value reaches an overflow.
    if (!std::isfinite(value)) {
        return fallback;
    }
    return numeric::CLng(std::clamp(value, -1e6, 1e6)).value_or(fallback);
}

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

ConstituentControl::ConstituentControl(HostContext& host, QWidget* parent)
    : QWidget(parent)
    , host_(host) {
    setMouseTracking(true);
    setMaximumSize(MaxSide, MaxSide);
}

void ConstituentControl::SetLeft(double left) {
    move(Position(left, x()), y());
}

void ConstituentControl::SetTop(double top) {
    move(x(), Position(top, y()));
}

void ConstituentControl::SetWidth(std::int32_t width) {
    resize(std::clamp(width, 0, MaxSide), height());
}

void ConstituentControl::SetHeight(std::int32_t height) {
    resize(width(), std::clamp(height, 0, MaxSide));
}

void ConstituentControl::Move(double left, double top, std::int32_t width, std::int32_t height) {
    move(Position(left, x()), Position(top, y()));
    resize(std::clamp(width, 0, MaxSide), std::clamp(height, 0, MaxSide));
}

void ConstituentControl::SetVisible(bool visible) {
    visible_ = visible;
    setVisible(visible);
}

void ConstituentControl::SetEnabled(bool enabled) {
    enabled_ = enabled;
    setEnabled(enabled);
    update();
}

void ConstituentControl::SetToolTipText(const QString& text) {
    toolTip_ = text;
    setToolTip(text);
}

void ConstituentControl::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (clicks_.OnPress(*event) == ClickTracker::Press::Double) {
        emit DblClick();
        return;
    }
    MouseArguments a = Arguments(*event, InputCodes::Button(event->button()));
    emit MouseDown(a.button, a.shift, a.x, a.y);
}

void ConstituentControl::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    MouseArguments a = Arguments(*event, InputCodes::Buttons(event->buttons()));
    emit MouseMove(a.button, a.shift, a.x, a.y);
}

void ConstituentControl::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    const bool clicks = clicks_.OnRelease(*event, rect().contains(event->position().toPoint()));
    MouseArguments a = Arguments(*event, InputCodes::Button(event->button()));
    emit MouseUp(a.button, a.shift, a.x, a.y);
    if (clicks) {
        emit Click();
    }
}

void ConstituentControl::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (clicks_.OnDoubleClickEvent(*event)) {
        emit DblClick();
    }
}

} // namespace kelvo::host
