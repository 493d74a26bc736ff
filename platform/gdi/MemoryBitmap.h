#pragma once

#include <cstdint>

#include "DeviceContext.h"
#include "GdiObjects.h"
#include "SelectedObject.h"

namespace kelvo::gdi {

// A back buffer: a memory context made like another one, with a bitmap of its own selected into it. The
// two are made together and released together, the bitmap put back out of the context first, so a
// buffer never leaves a drawing object behind.
class MemoryBitmap {
public:
    MemoryBitmap() = default;
    ~MemoryBitmap(); // NOLINT(bugprone-exception-escape): see the definition
    MemoryBitmap(const MemoryBitmap&) = delete;
    MemoryBitmap& operator=(const MemoryBitmap&) = delete;

    // Releases what there was and makes a context like `like` holding a width x height bitmap; false,
    // with nothing made, when either cannot be made.
    bool Create(DeviceContext& like, std::int32_t width, std::int32_t height);
    void Release();

    // The buffer's context; null when there is none.
    DeviceContext* Dc() const { return dc_.get(); }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }

private:
    DcPtr dc_;
    Bitmap bitmap_;
    SelectedObject previous_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
};

} // namespace kelvo::gdi
