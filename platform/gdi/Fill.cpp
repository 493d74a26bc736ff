#include "platform/gdi/Fill.h"

#include <cstring>

#include "platform/gdi/Raster.h"

namespace kelvo::gdi {

namespace {

// [start, start + extent) for a positive extent; a negative one keeps the start inclusive and
// reaches back: [start + extent + 1, start + 1).
std::pair<std::int64_t, std::int64_t> Extent(std::int64_t start, std::int64_t extent) {
    if (extent >= 0) {
        return {start, start + extent};
    }
    return {start + extent + 1, start + 1};
}

} // namespace

bool PaintBlock(DeviceContext& dc, const BrushData& brush, std::int64_t x, std::int64_t y, std::int64_t width,
                std::int64_t height, std::uint32_t rop) {
    QImage* image = dc.Target();
    if (image == nullptr) {
        return false;
    }
    const auto [left, right] = Extent(x, width);
    const auto [top, bottom] = Extent(y, height);
    const auto clipped = Raster::Clip(*image, left, top, right, bottom);
    if (!clipped) {
        return true;
    }
    const Raster::BrushPainter painter(dc, brush);
    if (brush.style == BS_SOLID && rop == PATCOPY) {
        // Every row is the same: paint one and copy it.
        painter.Span(*image, clipped->top, clipped->left, clipped->right, rop);
        const auto* first = reinterpret_cast<const QRgb*>(image->constScanLine(clipped->top)) + clipped->left;
        const auto bytes = static_cast<std::size_t>(clipped->right - clipped->left) * sizeof(QRgb);
        for (int row = clipped->top + 1; row < clipped->bottom; ++row) {
            std::memcpy(reinterpret_cast<QRgb*>(image->scanLine(row)) + clipped->left, first, bytes);
        }
        return true;
    }
    for (int row = clipped->top; row < clipped->bottom; ++row) {
        painter.Span(*image, row, clipped->left, clipped->right, rop);
    }
    return true;
}

bool FillRect(DeviceContext& dc, const Rect& rect, const BrushData& brush) {
    return PaintBlock(dc, brush, rect.left, rect.top, rect.Width(), rect.Height(), PATCOPY);
}

bool FillRect(DeviceContext& dc, const Rect& rect, const Brush& brush) {
    return brush && FillRect(dc, rect, *brush.Get());
}

bool FillRect(DeviceContext& dc, const Rect& rect, const SelectedObject& brush) {
    const auto* data = std::get_if<std::shared_ptr<const BrushData>>(&brush.Get());
    return data != nullptr && *data && FillRect(dc, rect, **data);
}

bool FillRect(DeviceContext& dc, const Rect& rect, int colourIndexPlusOne) {
    if (!SysColours::IsValidIndex(colourIndexPlusOne - 1)) {
        return false;
    }
    return FillRect(dc, rect, SolidBrushData(dc.Colours().GetSysColor(colourIndexPlusOne - 1)));
}

bool FrameRect(DeviceContext& dc, const Rect& rect, const BrushData& brush) {
    if (IsRectEmpty(rect) || dc.Target() == nullptr) {
        return false;
    }
    const std::int64_t width = rect.Width();
    const std::int64_t height = rect.Height();
    PaintBlock(dc, brush, rect.left, rect.top, width, 1, PATCOPY);
    PaintBlock(dc, brush, rect.left, std::int64_t{rect.bottom} - 1, width, 1, PATCOPY);
    PaintBlock(dc, brush, rect.left, rect.top, 1, height, PATCOPY);
    PaintBlock(dc, brush, std::int64_t{rect.right} - 1, rect.top, 1, height, PATCOPY);
    return true;
}

bool FrameRect(DeviceContext& dc, const Rect& rect, const Brush& brush) {
    return brush && FrameRect(dc, rect, *brush.Get());
}

bool PatBlt(DeviceContext& dc, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
            std::uint32_t rop) {
    if (!Raster::IsPatternRop(rop)) {
        return false;
    }
    return PaintBlock(dc, dc.CurrentBrush(), x, y, width, height, rop);
}

} // namespace kelvo::gdi
