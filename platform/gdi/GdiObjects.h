#pragma once

#include <cstdint>
#include <span>

#include <QFont>
#include <QImage>

#include "platform/gdi/Colour.h"
#include "platform/gdi/GdiHandle.h"

namespace kelvo::gdi {

class DeviceContext;

// A pen: style PS_SOLID..PS_INSIDEFRAME, width in pixels (0 counts as 1), colour as given.
struct PenData {
    int style = 0;
    int width = 1;
    Colour colour;
};

// A brush: solid, hollow, hatched (hatch style 0 to 5) or a pattern tiled from the brush origin.
// A monochrome pattern paints its 0 bits (black) in the text colour and its 1 bits (white) in the
// background colour of the context it is used in.
struct BrushData {
    int style = 0;
    Colour colour;
    int hatch = 0;
    QImage pattern;
    bool monochrome = false;
};

// A font: the QFont glyphs are drawn and measured with.
struct FontData {
    QFont font;
};

// A bitmap: its pixels (Format_RGB32) and whether it is a monochrome (1 bit per pixel, black and white
// only) bitmap. A bitmap is selected into at most one memory device context at a time.
struct BitmapData {
    QImage image;
    bool monochrome = false;
    const DeviceContext* selectedInto = nullptr;
};

using Pen = GdiHandle<PenData, ObjectKind::Pen>;
using Brush = GdiHandle<BrushData, ObjectKind::Brush>;
using Font = GdiHandle<FontData, ObjectKind::Font>;
using Bitmap = GdiHandle<BitmapData, ObjectKind::Bitmap>;

// The largest bitmap side and area made; bigger requests fail (no screen needs more, and a bad size
// must not commit gigabytes).
inline constexpr int MaxBitmapSide = 16384;
inline constexpr std::int64_t MaxBitmapPixels = std::int64_t{1} << 26;

// A null handle on failure (unknown style, hatch outside 0..5, empty or null bitmap ...).
Pen CreatePen(int style, int width, Colour colour);
Brush CreateSolidBrush(Colour colour);
// The data of a solid brush, for a fill that needs no brush object of its own.
BrushData SolidBrushData(Colour colour);
Brush CreateHatchBrush(int hatchStyle, Colour colour);
// Copies the bitmap: the brush stays valid when the bitmap is deleted.
Brush CreatePatternBrush(const Bitmap& bitmap);
Font CreateFontIndirect(const QFont& font);

// A bitmap of width x height with one plane and 1 or 32 bits per pixel, from bits laid out as the
// system does (rows padded to 2 bytes for 1 bit, 4 bytes per pixel BGRX for 32 bits); empty bits give
// a black bitmap. Zero width or height gives a 1x1 monochrome bitmap.
Bitmap CreateBitmap(int width, int height, unsigned planes, unsigned bitsPerPixel,
                    std::span<const std::uint8_t> bits = {});
// A colour bitmap holding a copy of the image (converted to Format_RGB32, alpha dropped).
Bitmap CreateBitmapFromImage(const QImage& image);

} // namespace kelvo::gdi
