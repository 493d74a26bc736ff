#pragma once

#include <cstdint>
#include <optional>

#include <QImage>

#include "platform/gdi/Colour.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Rect.h"

namespace kelvo::gdi {

class DeviceContext;

// The pixel writing every drawing operation shares: clipping to the image, the pen mixing modes, the
// block-transfer operations of patterns and the brush pattern sampled at a device pixel. Everything
// works on whole scanlines of a Format_RGB32 image so that fills and lines cost no more than a loop
// over the pixels they change.
class Raster {
public:
    // The part of [left, right) x [top, bottom) (64-bit, any values) inside the image; empty when
    // nothing is left.
    static std::optional<Rect> Clip(const QImage& image, std::int64_t left, std::int64_t top,
                                    std::int64_t right, std::int64_t bottom);

    // The pixel value a colour paints on dc's target: system references resolved, and only black or
    // white on a monochrome bitmap.
    static QRgb DeviceColour(const DeviceContext& dc, Colour colour);

    // D after the mixing mode (R2_BLACK .. R2_WHITE) of pen colour P.
    static QRgb Mix(QRgb destination, QRgb pen, int rop2);
    // D after a pattern block transfer (PATCOPY, PATINVERT, DSTINVERT, BLACKNESS, WHITENESS); false
    // for other operations.
    static bool IsPatternRop(std::uint32_t rop);
    static QRgb PatternRop(QRgb destination, QRgb pattern, std::uint32_t rop);

    // Writes pixels x0..x1-1 of row y (already clipped) in the pen mixing mode.
    static void MixSpan(QImage& image, int y, int x0, int x1, QRgb pen, int rop2);

    // A brush as it paints in a given context: its colours resolved, the brush origin applied.
    class BrushPainter {
    public:
        BrushPainter(const DeviceContext& dc, const BrushData& brush);
        // False for a hollow brush.
        bool Paints() const { return style_ != BS_NULL; }
        // The colour at device pixel (x, y), or nothing where the brush leaves the pixel alone.
        std::optional<QRgb> At(int x, int y) const;
        // Pixels x0..x1-1 of row y (already clipped) under a pattern block transfer.
        void Span(QImage& image, int y, int x0, int x1, std::uint32_t rop) const;
        // Pixels x0..x1-1 of row y under a pen mixing mode, the brush taking the pen's part.
        void MixSpan(QImage& image, int y, int x0, int x1, int rop2) const;

    private:
        int style_ = 0;
        int hatch_ = 0;
        QRgb colour_ = 0;
        std::optional<QRgb> background_;
        const QImage* pattern_ = nullptr;
        bool monochrome_ = false;
        QRgb zeroBits_ = 0;
        QRgb oneBits_ = 0;
        int originX_ = 0;
        int originY_ = 0;
    };

    // The 8x8 hatch patterns: row bits with 0x80 the leftmost column.
    static std::uint8_t HatchRow(int hatch, int row);
};

} // namespace kelvo::gdi
