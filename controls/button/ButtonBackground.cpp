#include "controls/button/ButtonBackground.h"

#include "platform/gdi/Blit.h"
#include "platform/gdi/GdiConstants.h"

namespace kelvo::controls::button {

std::optional<QPoint> CaptureOrigin(const gdi::Rect& button, const gdi::Rect& parentWindow,
                                    const gdi::Rect& parentClient) {
    const std::int64_t border = (parentWindow.Width() - parentClient.right) / 2;
    const std::int64_t x = (std::int64_t{button.left} - parentWindow.left) - border;
    const std::int64_t y = (std::int64_t{button.top} - parentWindow.top) -
                           (parentWindow.Height() - parentClient.bottom - border);
    if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) {
        return std::nullopt;
    }
    return QPoint(static_cast<int>(x), static_cast<int>(y));
}

BackBuffer::~BackBuffer() {
    Release();
}

bool BackBuffer::Create(gdi::DeviceContext& surface, std::int32_t width, std::int32_t height) {
    Release();
    gdi::DcPtr dc = gdi::CreateCompatibleDC(&surface);
    gdi::Bitmap bitmap = gdi::CreateCompatibleBitmap(surface, width, height);
    if (!dc || !bitmap) {
        gdi::DeleteDC(dc);
        return false;
    }
    previous_ = gdi::SelectObject(*dc, bitmap);
    dc_ = std::move(dc);
    bitmap_ = std::move(bitmap);
    return true;
}

bool BackBuffer::Capture(gdi::DeviceContext& parent, QPoint origin) {
    if (!dc_) {
        return false;
    }
    const QImage& image = bitmap_.Get()->image;
    captured_ = gdi::BitBlt(*dc_, 0, 0, image.width(), image.height(), &parent, origin.x(), origin.y(),
                            gdi::SRCCOPY) ||
                captured_;
    return captured_;
}

void BackBuffer::Release() {
    if (dc_ && previous_) {
        gdi::SelectObject(*dc_, previous_);
    }
    previous_ = gdi::SelectedObject();
    captured_ = false;
    gdi::DeleteDC(dc_);
    gdi::DeleteObject(bitmap_);
}

} // namespace kelvo::controls::button
