#include "controls/button/BlitPicture.h"

#include <algorithm>
#include <vector>

#include "platform/gdi/Blit.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/numeric/Numeric.h"

namespace kelvo::controls::button {

namespace {

// Pictures are icon-sized; a block larger than the largest picture a form can hold is refused rather
// than copied twice over.
constexpr std::int64_t MaxBlitPixels = std::int64_t{4096} * 4096;

// A memory context holding one bitmap for the length of a transfer; the bitmap goes back out before
// the context is released.
class MemoryContext {
public:
    explicit MemoryContext(gdi::DeviceContext& model)
        : dc_(gdi::CreateCompatibleDC(&model)) {}
    ~MemoryContext() {
        Hold(nullptr);
        gdi::DeleteDC(dc_);
    }
    MemoryContext(const MemoryContext&) = delete;
    MemoryContext& operator=(const MemoryContext&) = delete;

    bool Valid() const { return dc_ != nullptr; }
    gdi::DeviceContext& Dc() { return *dc_; }
    // Selects the bitmap (or, for null, the one the context came with).
    bool Hold(const gdi::Bitmap* bitmap) {
        if (!dc_) {
            return false;
        }
        if (bitmap == nullptr) {
            if (original_) {
                gdi::SelectObject(*dc_, original_);
                original_ = gdi::SelectedObject();
            }
            return true;
        }
        gdi::SelectedObject previous = gdi::SelectObject(*dc_, *bitmap);
        if (!original_) {
            original_ = std::move(previous);
        }
        return static_cast<bool>(original_);
    }

private:
    gdi::DcPtr dc_;
    gdi::SelectedObject original_;
};

struct Dib {
    gdi::BitmapInfoHeader info;
    std::uint32_t stride = 0;
    std::vector<std::uint8_t> bits;
};

// The bitmap's pixels as a bottom-up 24-bit DIB.
bool ReadDib(gdi::DeviceContext& dc, const gdi::Bitmap& bitmap, std::int32_t w, std::int32_t h, Dib& dib) {
    dib.info.biWidth = w;
    dib.info.biHeight = h;
    dib.info.biBitCount = 24;
    dib.stride = gdi::DibRowBytes(w, 24);
    dib.info.biSizeImage = dib.stride * static_cast<std::uint32_t>(h);
    dib.bits.assign(static_cast<std::size_t>(dib.info.biSizeImage), 0);
    return gdi::GetDIBits(dc, bitmap, 0, static_cast<std::uint32_t>(h), dib.bits, dib.info,
                          gdi::DIB_RGB_COLORS) == h;
}

} // namespace

std::uint8_t GreyLevel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const double level =
        numeric::RoundHalfEven(numeric::RoundHalfEven(0.3 * red) + 0.59 * green + 0.11 * blue);
    return static_cast<std::uint8_t>(std::clamp(level, 0.0, 255.0));
}

bool BlitPicture(gdi::DeviceContext& dc, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                 const ButtonPicture& picture, const BlitOptions& options, const PictureMasking& masking) {
    if (w == 0 || h == 0 || picture.IsEmpty()) {
        return false;
    }
    if (w < 0) {
        w = picture.image.width();
    }
    if (h < 0) {
        h = picture.image.height();
    }
    if (std::int64_t{w} * h > MaxBlitPixels || w > gdi::MaxBitmapSide || h > gdi::MaxBitmapSide) {
        return false;
    }

    // The picture in a memory context: a bitmap as it is, anything else drawn over the mask colour.
    const bool isBitmap = picture.type == ButtonPicture::Bitmap;
    const gdi::Bitmap pictureBitmap =
        isBitmap ? gdi::CreateBitmapFromImage(picture.image) : gdi::CreateCompatibleBitmap(dc, w, h);
    MemoryContext source(dc);
    if (!source.Valid() || !pictureBitmap || !source.Hold(&pictureBitmap)) {
        return false;
    }
    if (!isBitmap) {
        const gdi::Brush mask = gdi::CreateSolidBrush(masking.maskColor);
        gdi::DrawIconEx(source.Dc(), 0, 0, picture.image, 0, 0, 0, mask, gdi::DI_NORMAL);
    }

    // Copies of the face under the block and of the picture, read as 24-bit DIBs.
    const gdi::Bitmap faceCopy = gdi::CreateCompatibleBitmap(dc, w, h);
    const gdi::Bitmap pictureCopy = gdi::CreateCompatibleBitmap(dc, w, h);
    MemoryContext copier(dc);
    if (!faceCopy || !pictureCopy || !copier.Valid()) {
        return false;
    }
    copier.Hold(&faceCopy);
    gdi::BitBlt(copier.Dc(), 0, 0, w, h, &dc, x, y, gdi::SRCCOPY);
    copier.Hold(&pictureCopy);
    gdi::BitBlt(copier.Dc(), 0, 0, w, h, &source.Dc(), 0, 0, gdi::SRCCOPY);
    copier.Hold(nullptr);
    Dib face;
    Dib pixels;
    if (!ReadDib(dc, faceCopy, w, h, face) || !ReadDib(dc, pictureCopy, w, h, pixels)) {
        return false;
    }

    const std::optional<gdi::Colour> transparent =
        masking.useMaskColor ? std::optional<gdi::Colour>(options.maskRGB.Rgb()) : std::nullopt;
    for (std::int32_t row = 0; row < h; ++row) {
        const std::size_t rowStart = static_cast<std::size_t>(row) * face.stride;
        for (std::int32_t column = 0; column < w; ++column) {
            std::uint8_t* out = face.bits.data() + rowStart + static_cast<std::size_t>(column) * 3;
            const std::uint8_t* in = pixels.bits.data() + rowStart + static_cast<std::size_t>(column) * 3;
            const std::uint8_t blue = in[0];
            const std::uint8_t green = in[1];
            const std::uint8_t red = in[2];
            if (transparent &&
                gdi::GetNearestColor(dc, gdi::Colour::FromRgb(red, green, blue)) == *transparent) {
                continue;
            }
            if (options.tint) {
                if (options.darkOnly && red + green + blue > 384) {
                    continue;
                }
                const gdi::Colour tint = *options.tint;
                out[0] = tint.Blue();
                out[1] = tint.Green();
                out[2] = tint.Red();
            } else if (options.greyscale) {
                const std::uint8_t grey = GreyLevel(red, green, blue);
                out[0] = out[1] = out[2] = grey;
            } else if (options.fade) {
                out[0] = static_cast<std::uint8_t>((2 * blue + out[0]) / 3);
                out[1] = static_cast<std::uint8_t>((2 * green + out[1]) / 3);
                out[2] = static_cast<std::uint8_t>((2 * red + out[2]) / 3);
            } else {
                out[0] = blue;
                out[1] = green;
                out[2] = red;
            }
        }
    }
    return gdi::SetDIBitsToDevice(dc, x, y, static_cast<std::uint32_t>(w), static_cast<std::uint32_t>(h), 0,
                                  0, 0, static_cast<std::uint32_t>(h), face.bits, face.info,
                                  gdi::DIB_RGB_COLORS) == h;
}

} // namespace kelvo::controls::button
