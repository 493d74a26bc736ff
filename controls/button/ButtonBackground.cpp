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

bool BackBuffer::Create(gdi::DeviceContext& surface, std::int32_t width, std::int32_t height) {
    captured_ = false;
    return buffer_.Create(surface, width, height);
}

bool BackBuffer::Capture(gdi::DeviceContext& parent, QPoint origin) {
    if (buffer_.Dc() == nullptr) {
        return false;
    }
    captured_ = gdi::BitBlt(*buffer_.Dc(), 0, 0, buffer_.Width(), buffer_.Height(), &parent, origin.x(),
                            origin.y(), gdi::SRCCOPY) ||
                captured_;
    return captured_;
}

void BackBuffer::Release() {
    captured_ = false;
    buffer_.Release();
}

} // namespace kelvo::controls::button
