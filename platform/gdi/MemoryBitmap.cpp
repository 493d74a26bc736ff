#include "MemoryBitmap.h"

namespace kelvo::gdi {

// Putting the bitmap back visits a variant that is never valueless, so nothing can throw here.
MemoryBitmap::~MemoryBitmap() { // NOLINT(bugprone-exception-escape)
    Release();
}

bool MemoryBitmap::Create(DeviceContext& like, std::int32_t width, std::int32_t height) {
    Release();
    DcPtr dc = CreateCompatibleDC(&like);
    Bitmap bitmap = dc ? CreateCompatibleBitmap(like, width, height) : Bitmap();
    SelectedObject previous = bitmap ? SelectObject(*dc, bitmap) : SelectedObject();
    if (!previous) {
        DeleteObject(bitmap);
        DeleteDC(dc);
        return false;
    }
    dc_ = std::move(dc);
    bitmap_ = std::move(bitmap);
    previous_ = std::move(previous);
    width_ = width;
    height_ = height;
    return true;
}

void MemoryBitmap::Release() {
    if (dc_ && previous_) {
        SelectObject(*dc_, previous_);
    }
    previous_ = SelectedObject();
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    width_ = 0;
    height_ = 0;
}

} // namespace kelvo::gdi
