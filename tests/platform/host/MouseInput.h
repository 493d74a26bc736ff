#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// Mouse events with the timestamps a real double click has: press, release, a second press soon after,
// the double-click event Qt adds to it, and the release.
inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, quint64 time,
                      Qt::MouseButton button = Qt::LeftButton) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    event.setTimestamp(time);
    QApplication::sendEvent(widget, &event);
}

inline void SendDoubleClick(QWidget* widget, QPoint at, quint64 start, quint64 gap) {
    SendMouse(widget, QEvent::MouseButtonPress, at, start);
    SendMouse(widget, QEvent::MouseButtonRelease, at, start + 10);
    SendMouse(widget, QEvent::MouseButtonPress, at, start + gap);
    SendMouse(widget, QEvent::MouseButtonDblClick, at, start + gap);
    SendMouse(widget, QEvent::MouseButtonRelease, at, start + gap + 10);
}
