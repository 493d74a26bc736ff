#include "ClickTracker.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>

namespace kelvo::host {

ClickTracker::Press ClickTracker::OnPress(const QMouseEvent& event) {
    const QStyleHints* hints = QGuiApplication::styleHints();
    const quint64 interval = quint64(std::max(hints->mouseDoubleClickInterval(), 0));
    const qreal distance = std::max(hints->mouseDoubleClickDistance(), 0);
    const QPointF moved = event.globalPosition() - lastPosition_;
    const bool isDouble = !lastWasDouble_ && lastButton_ == event.button() &&
                          event.timestamp() >= lastTime_ && event.timestamp() - lastTime_ <= interval &&
                          qAbs(moved.x()) <= distance && qAbs(moved.y()) <= distance;
    lastButton_ = event.button();
    lastTime_ = event.timestamp();
    lastPosition_ = event.globalPosition();
    lastWasDouble_ = isDouble;
    if (isDouble) {
        armed_ &= ~Qt::MouseButtons(event.button());
        doubleRaised_ = true;
        return Press::Double;
    }
    doubleRaised_ = false;
    armed_ |= event.button();
    return Press::Single;
}

bool ClickTracker::OnRelease(const QMouseEvent& event, bool inside) {
    const bool clicks = armed_.testFlag(event.button()) && inside;
    armed_ &= ~Qt::MouseButtons(event.button());
    return clicks;
}

bool ClickTracker::OnDoubleClickEvent(const QMouseEvent& event) {
    if (doubleRaised_) {
        doubleRaised_ = false;
        return false;
    }
    armed_ &= ~Qt::MouseButtons(event.button());
    lastWasDouble_ = true;
    return true;
}

} // namespace kelvo::host
