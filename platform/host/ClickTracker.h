#pragma once

#include <QPointF>
#include <Qt>

class QMouseEvent;

namespace kelvo::host {

// Turns mouse presses and releases into clicks and double clicks the way controls expect them: press,
// release, click, then for a second press soon after at about the same place a double click instead
// of a press, and a release that clicks no more (down, up, click, double click, up). Qt delivers the
// second press itself and only then its double-click event, so the second press is recognised here by
// the desktop's double-click time and distance; the double-click event that follows is then dropped.
class ClickTracker {
public:
    enum class Press { Single, Double };

    Press OnPress(const QMouseEvent& event);
    // Whether this release ends a click: the button was pressed over the control (not as the second
    // press of a double click) and is released over it.
    bool OnRelease(const QMouseEvent& event, bool inside);
    // Whether the double-click event still has to be raised (it was not recognised at the press).
    bool OnDoubleClickEvent(const QMouseEvent& event);

private:
    Qt::MouseButtons armed_;
    Qt::MouseButton lastButton_ = Qt::NoButton;
    quint64 lastTime_ = 0;
    QPointF lastPosition_;
    bool lastWasDouble_ = false;
    bool doubleRaised_ = false;
};

} // namespace kelvo::host
