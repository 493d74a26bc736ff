#pragma once

#include <cstdint>

#include "platform/gdi/MemoryBitmap.h"
#include "platform/gdi/SysColours.h"

namespace kelvo::controls::progressbar {

// The bar's off-screen buffer: a memory context made like the display, with a bitmap selected into it.
// It only grows: a request no larger than the buffer reuses it, so shrinking the control keeps the
// bigger bitmap and copies only the part the control shows. Its pixels are never cleared except by the
// paint itself.
class ProgressBarBackBuffer {
public:
    explicit ProgressBarBackBuffer(const gdi::SysColours& colours)
        : colours_(&colours) {}

    // The buffer's context for a width x height paint: the existing one when it is large enough, else
    // a new buffer of width x height. Without a buffer, one is made only for a size of at least 1 x 1.
    // Null when there is no buffer (nothing asked for yet, or the system refused one).
    gdi::DeviceContext* EnsureBackBuffer(std::int32_t width, std::int32_t height);
    // Frees any buffer and makes one of width x height; on any failure there is no buffer afterwards.
    void CreateBackBuffer(std::int32_t width, std::int32_t height);
    void DestroyBackBuffer() { buffer_.Release(); }

    gdi::DeviceContext* Dc() const { return buffer_.Dc(); }
    std::int32_t Width() const { return buffer_.Width(); }
    std::int32_t Height() const { return buffer_.Height(); }

    // Copies the block (sourceX, sourceY, width x height) of the buffer to (destinationX,
    // destinationY) of target; a width or height below 1 means the buffer's own. False without a
    // buffer.
    bool pDraw(gdi::DeviceContext& target, std::int32_t sourceX = 0, std::int32_t sourceY = 0,
               std::int32_t width = 0, std::int32_t height = 0, std::int32_t destinationX = 0,
               std::int32_t destinationY = 0) const;

    // Whether image already holds the buffer's top-left width x height block at (x, y), colour for colour:
    // copying it there again would change nothing. False without a buffer or when the block does not fit
    // in both.
    bool Shows(const QImage& image, std::int32_t x, std::int32_t y, std::int32_t width,
               std::int32_t height) const;

private:
    const gdi::SysColours* colours_;
    gdi::MemoryBitmap buffer_;
};

} // namespace kelvo::controls::progressbar
