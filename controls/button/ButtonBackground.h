#pragma once

#include <cstdint>
#include <optional>

#include <QPoint>

#include "platform/gdi/MemoryBitmap.h"
#include "platform/gdi/Rect.h"

namespace kelvo::controls::button {

// Where the button's top-left corner lies in the parent's client area, from the button's window
// rectangle, the parent's window rectangle (with its frame) and the parent's client rectangle: the
// frame is taken as equally wide left, right and bottom, the rest of the height above the client area
// as the title bar. Empty when the numbers leave the 32-bit range.
std::optional<QPoint> CaptureOrigin(const gdi::Rect& button, const gdi::Rect& parentWindow,
                                    const gdi::Rect& parentClient);

// Style 11's back buffer: a memory context compatible with the button's surface holding a bitmap of
// the button's size, made once when the button is first shown and kept for its lifetime. It holds what
// the parent shows behind the button.
class BackBuffer {
public:
    // Makes the context and a width x height bitmap; false (and nothing made) when either fails.
    bool Create(gdi::DeviceContext& surface, std::int32_t width, std::int32_t height);
    bool IsCreated() const { return buffer_.Dc() != nullptr; }
    // The context to copy the background from; null until a capture succeeded (a new bitmap is black, which
    // no window behind the button ever is).
    gdi::DeviceContext* Dc() const { return captured_ ? buffer_.Dc() : nullptr; }

    // Copies the buffer's size of the parent's pixels at origin into the buffer.
    bool Capture(gdi::DeviceContext& parent, QPoint origin);

    // Releases the context and its bitmap.
    void Release();

private:
    gdi::MemoryBitmap buffer_;
    bool captured_ = false;
};

} // namespace kelvo::controls::button
