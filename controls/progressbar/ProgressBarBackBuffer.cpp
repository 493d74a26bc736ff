#include "controls/progressbar/ProgressBarBackBuffer.h"

#include "platform/gdi/Blit.h"
#include "platform/gdi/GdiConstants.h"

namespace kelvo::controls::progressbar {

ProgressBarBackBuffer::ProgressBarBackBuffer(const gdi::SysColours& colours)
    : colours_(&colours) {}

ProgressBarBackBuffer::~ProgressBarBackBuffer() {
    DestroyBackBuffer();
}

gdi::DeviceContext* ProgressBarBackBuffer::EnsureBackBuffer(std::int32_t width, std::int32_t height) {
    if (dc_) {
        if (width <= width_ && height <= height_) {
            return dc_.get();
        }
        CreateBackBuffer(width, height);
    } else if (width >= 1 && height >= 1) {
        CreateBackBuffer(width, height);
    }
    return dc_.get();
}

void ProgressBarBackBuffer::CreateBackBuffer(std::int32_t width, std::int32_t height) {
    DestroyBackBuffer();
    // The buffer is made like the display, not like the control's own context, so it is a true-colour
    // bitmap whatever the control's surface is.
    gdi::DcPtr display = gdi::CreateDCA("DISPLAY", *colours_);
    if (!display) {
        return;
    }
    dc_ = gdi::CreateCompatibleDC(display.get());
    if (dc_) {
        bitmap_ = gdi::CreateCompatibleBitmap(*display, width, height);
    }
    if (bitmap_) {
        previousBitmap_ = gdi::SelectObject(*dc_, bitmap_);
    }
    const bool made = dc_ && bitmap_ && previousBitmap_;
    if (made) {
        width_ = width;
        height_ = height;
    }
    gdi::DeleteDC(display);
    if (!made) {
        DestroyBackBuffer();
    }
}

void ProgressBarBackBuffer::DestroyBackBuffer() {
    if (previousBitmap_) {
        gdi::SelectObject(*dc_, previousBitmap_);
        previousBitmap_ = gdi::SelectedObject();
    }
    gdi::DeleteObject(bitmap_);
    if (dc_) {
        gdi::DeleteDC(dc_);
    }
    width_ = 0;
    height_ = 0;
}

bool ProgressBarBackBuffer::pDraw(gdi::DeviceContext& target, std::int32_t sourceX, std::int32_t sourceY,
                                  std::int32_t width, std::int32_t height, std::int32_t destinationX,
                                  std::int32_t destinationY) const {
    if (!dc_) {
        return false;
    }
    return gdi::BitBlt(target, destinationX, destinationY, width < 1 ? width_ : width,
                       height < 1 ? height_ : height, dc_.get(), sourceX, sourceY, gdi::SRCCOPY);
}

} // namespace kelvo::controls::progressbar
