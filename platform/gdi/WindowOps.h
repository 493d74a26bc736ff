#pragma once

#include <QPoint>
#include <QWidget>

#include "platform/gdi/Rect.h"
#include "platform/gdi/Region.h"

namespace kelvo::gdi {

// The window functions the controls use, over widgets.

// Makes the region (in coordinates from the window's top-left corner) the shape of the window: the
// widget's mask. On success the window owns the region and the handle is emptied; a null handle
// removes the shape. Returns 1, or 0 for a null window.
int SetWindowRgn(QWidget* window, Region& region, bool redraw);

// {0, 0, width, height} of the client area; false for a null window.
bool GetClientRect(const QWidget* window, Rect& rect);
// The window's rectangle on the screen (with its frame for a top-level one).
bool GetWindowRect(const QWidget* window, Rect& rect);

bool GetCursorPos(QPoint* point);
// The deepest visible, enabled widget under a point of the screen. A point outside a window's shape
// (its mask) is not in that window: the search goes on to the windows behind it or to its parent.
QWidget* WindowFromPoint(QPoint point);

// Sends all mouse input to the window; returns the window that had it before.
QWidget* SetCapture(QWidget* window);
bool ReleaseCapture();
QWidget* GetParent(const QWidget* window);

} // namespace kelvo::gdi
