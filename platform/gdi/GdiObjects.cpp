#include "platform/gdi/GdiObjects.h"

#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/SelectedObject.h"

namespace kelvo::gdi {

namespace {

bool ValidSize(int width, int height) {
    return width > 0 && height > 0 && width <= MaxBitmapSide && height <= MaxBitmapSide &&
           std::int64_t{width} * height <= MaxBitmapPixels;
}

QImage BlankImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(0xFF000000u);
    return image;
}

} // namespace

Pen CreatePen(int style, int width, Colour colour) {
    if (style < PS_SOLID || style > PS_INSIDEFRAME || width < 0) {
        return Pen();
    }
    // Styled lines are drawn solid when wider than a pixel.
    const int effectiveStyle = (width > 1 && style >= PS_DASH && style <= PS_DASHDOTDOT) ? PS_SOLID : style;
    return Pen(std::make_shared<PenData>(PenData{effectiveStyle, width == 0 ? 1 : width, colour}));
}

BrushData SolidBrushData(Colour colour) {
    BrushData brush;
    brush.style = BS_SOLID;
    brush.colour = colour;
    return brush;
}

Brush CreateSolidBrush(Colour colour) {
    return Brush(std::make_shared<BrushData>(SolidBrushData(colour)));
}

Brush CreateHatchBrush(int hatchStyle, Colour colour) {
    if (hatchStyle < HS_HORIZONTAL || hatchStyle > HS_DIAGCROSS) {
        return Brush();
    }
    auto data = std::make_shared<BrushData>();
    data->style = BS_HATCHED;
    data->colour = colour;
    data->hatch = hatchStyle;
    return Brush(std::move(data));
}

Brush CreatePatternBrush(const Bitmap& bitmap) {
    if (!bitmap || bitmap.Get()->image.isNull()) {
        return Brush();
    }
    auto data = std::make_shared<BrushData>();
    data->style = BS_PATTERN;
    data->pattern = bitmap.Get()->image.copy();
    data->monochrome = bitmap.Get()->monochrome;
    return Brush(std::move(data));
}

Font CreateFontIndirect(const QFont& font) {
    return Font(std::make_shared<FontData>(FontData{font}));
}

Bitmap CreateBitmap(int width, int height, unsigned planes, unsigned bitsPerPixel,
                    std::span<const std::uint8_t> bits) {
    if (width == 0 || height == 0) {
        auto data = std::make_shared<BitmapData>();
        data->image = BlankImage(1, 1);
        data->monochrome = true;
        return Bitmap(std::move(data));
    }
    if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32) || !ValidSize(width, height)) {
        return Bitmap();
    }
    auto data = std::make_shared<BitmapData>();
    data->image = BlankImage(width, height);
    data->monochrome = bitsPerPixel == 1;
    if (!bits.empty()) {
        const std::size_t stride = bitsPerPixel == 1 ? static_cast<std::size_t>((width + 15) / 16 * 2)
                                                     : static_cast<std::size_t>(width) * 4;
        if (bits.size() < stride * static_cast<std::size_t>(height)) {
            return Bitmap();
        }
        for (int y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<QRgb*>(data->image.scanLine(y));
            const std::uint8_t* source = bits.data() + stride * static_cast<std::size_t>(y);
            for (int x = 0; x < width; ++x) {
                if (bitsPerPixel == 1) {
                    const bool set = (source[x / 8] & (0x80u >> (x % 8))) != 0;
                    row[x] = set ? 0xFFFFFFFFu : 0xFF000000u;
                } else {
                    const std::uint8_t* p = source + 4 * static_cast<std::size_t>(x);
                    row[x] = qRgb(p[2], p[1], p[0]);
                }
            }
        }
    }
    return Bitmap(std::move(data));
}

Bitmap CreateBitmapFromImage(const QImage& image) {
    if (image.isNull() || !ValidSize(image.width(), image.height())) {
        return Bitmap();
    }
    auto data = std::make_shared<BitmapData>();
    data->image = image.convertToFormat(QImage::Format_RGB32);
    return Bitmap(std::move(data));
}

SelectedObject GetStockObject(int index) {
    // Stock objects are immutable and shared by every context; they live as long as the program.
    static const auto brushes = [] {
        std::array<std::shared_ptr<const BrushData>, 6> made;
        const std::array<std::uint32_t, 5> shades{0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0x000000};
        for (std::size_t i = 0; i < shades.size(); ++i) {
            made[i] = std::make_shared<const BrushData>(SolidBrushData(Colour(shades[i])));
        }
        made[5] = std::make_shared<const BrushData>(BrushData{BS_NULL, Colour(0), 0, QImage(), false});
        return made;
    }();
    static const auto whitePen = std::make_shared<const PenData>(PenData{PS_SOLID, 1, Colour(0xFFFFFF)});
    static const auto blackPen = std::make_shared<const PenData>(PenData{PS_SOLID, 1, Colour(0x000000)});
    static const auto nullPen = std::make_shared<const PenData>(PenData{PS_NULL, 1, Colour(0x000000)});
    switch (index) {
    case WHITE_BRUSH:
    case LTGRAY_BRUSH:
    case GRAY_BRUSH:
    case DKGRAY_BRUSH:
    case BLACK_BRUSH:
    case NULL_BRUSH:
        return SelectedObject(SelectedObject::Value(brushes[static_cast<std::size_t>(index)]));
    case WHITE_PEN:
        return SelectedObject(SelectedObject::Value(whitePen));
    case BLACK_PEN:
        return SelectedObject(SelectedObject::Value(blackPen));
    case NULL_PEN:
        return SelectedObject(SelectedObject::Value(nullPen));
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT: {
        static const auto font = std::make_shared<const FontData>(FontData{QFont()});
        return SelectedObject(SelectedObject::Value(font));
    }
    default:
        return SelectedObject();
    }
}

} // namespace kelvo::gdi
