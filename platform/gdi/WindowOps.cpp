#include "platform/gdi/WindowOps.h"

#include <QApplication>
#include <QCursor>

namespace kelvo::gdi {

namespace {

bool InShape(const QWidget* widget, QPoint local) {
    if (!widget->rect().contains(local)) {
        return false;
    }
    const QRegion mask = widget->mask();
    return mask.isEmpty() || mask.contains(local);
}

// The deepest child of widget under local (a point in widget's coordinates), widget itself when no
// child takes it. Later children lie above earlier ones.
QWidget* Deepest(QWidget* widget, QPoint local) {
    const QObjectList& children = widget->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        auto* child = qobject_cast<QWidget*>(*it);
        if (child == nullptr || child->isWindow() || !child->isVisible() || !child->isEnabled()) {
            continue;
        }
        const QPoint inChild = local - child->pos();
        if (InShape(child, inChild)) {
            return Deepest(child, inChild);
        }
    }
    return widget;
}

} // namespace

int SetWindowRgn(QWidget* window, Region& region, bool redraw) {
    if (window == nullptr) {
        return 0;
    }
    if (!region) {
        window->clearMask();
    } else {
        // The region counts from the window's outer corner, the mask from its client corner.
        const QPoint clientOffset = window->isWindow()
                                        ? window->geometry().topLeft() - window->frameGeometry().topLeft()
                                        : QPoint(0, 0);
        QRegion mask = region.Get()->region.translated(-clientOffset);
        DeleteObject(region);
        if (mask.isEmpty()) {
            // An empty shape hides the whole window; an empty QRegion would mean no mask at all.
            mask = QRegion(QRect(-1, -1, 1, 1));
        }
        window->setMask(mask);
    }
    if (redraw) {
        window->update();
    }
    return 1;
}

bool GetClientRect(const QWidget* window, Rect& rect) {
    if (window == nullptr) {
        return false;
    }
    rect = Rect{0, 0, window->width(), window->height()};
    return true;
}

bool GetWindowRect(const QWidget* window, Rect& rect) {
    if (window == nullptr) {
        return false;
    }
    const QRect outer = window->isWindow() ? window->frameGeometry()
                                           : QRect(window->mapToGlobal(QPoint(0, 0)), window->size());
    const auto converted = Rect::FromQRect(outer);
    if (!converted) {
        return false;
    }
    rect = *converted;
    return true;
}

bool GetCursorPos(QPoint* point) {
    if (point == nullptr) {
        return false;
    }
    *point = QCursor::pos();
    return true;
}

QWidget* WindowFromPoint(QPoint point) {
    const QWidgetList windows = QApplication::topLevelWidgets();
    // The active window first, then the others from the most recently created.
    QWidgetList order;
    if (QWidget* active = QApplication::activeWindow()) {
        order << active;
    }
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        if (!order.contains(*it)) {
            order << *it;
        }
    }
    for (QWidget* window : order) {
        if (!window->isVisible() || !window->isEnabled()) {
            continue;
        }
        const QPoint local = window->mapFromGlobal(point);
        if (InShape(window, local)) {
            return Deepest(window, local);
        }
    }
    return nullptr;
}

QWidget* SetCapture(QWidget* window) {
    QWidget* previous = QWidget::mouseGrabber();
    if (window != nullptr) {
        window->grabMouse();
    }
    return previous;
}

bool ReleaseCapture() {
    if (QWidget* grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
    return true;
}

QWidget* GetParent(const QWidget* window) {
    return window != nullptr ? window->parentWidget() : nullptr;
}

} // namespace kelvo::gdi
