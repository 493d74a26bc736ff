#include "platform/gdi/Region.h"

#include <algorithm>
#include <vector>

#include "platform/gdi/Fill.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/ShapeSpans.h"

namespace kelvo::gdi {

namespace {

std::int64_t Limit(std::int64_t value) {
    return std::clamp(value, -RegionLimit, RegionLimit);
}

Region Make(QRegion region) {
    return Region(std::make_shared<RegionData>(RegionData{std::move(region)}));
}

int Kind(const QRegion& region) {
    if (region.isEmpty()) {
        return NULLREGION;
    }
    return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

} // namespace

Region CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    const std::int64_t l = Limit(std::min(left, right));
    const std::int64_t r = Limit(std::max(left, right));
    const std::int64_t t = Limit(std::min(top, bottom));
    const std::int64_t b = Limit(std::max(top, bottom));
    if (l == r || t == b) {
        return Make(QRegion());
    }
    return Make(QRegion(
        QRect(static_cast<int>(l), static_cast<int>(t), static_cast<int>(r - l), static_cast<int>(b - t))));
}

Region CreateRoundRectRgn(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                          std::int32_t cornerWidth, std::int32_t cornerHeight) {
    const std::int64_t l = Limit(std::min(left, right));
    const std::int64_t r = Limit(std::max(left, right)) - 1;
    const std::int64_t t = Limit(std::min(top, bottom));
    const std::int64_t b = Limit(std::max(top, bottom)) - 1;
    if (l >= r || t >= b) {
        return Make(QRegion());
    }
    const std::int64_t cw = std::min<std::int64_t>(std::llabs(cornerWidth), r - l);
    const std::int64_t ch = std::min<std::int64_t>(std::llabs(cornerHeight), b - t);
    if (cw < 2 || ch < 2) {
        return Make(QRegion(QRect(static_cast<int>(l), static_cast<int>(t), static_cast<int>(r - l),
                                  static_cast<int>(b - t))));
    }
    // One rectangle per run of rows with the same columns, in the banded order QRegion keeps. Figures
    // taller than any screen are built from bands of rows, each as narrow as its narrower end row, so
    // the list stays small whatever the numbers.
    const ShapeSpans spans(l, t, r - l, b - t, cw, ch);
    constexpr std::int64_t MaxBands = std::int64_t{1} << 16;
    const std::int64_t step = std::max<std::int64_t>(1, (b - t + MaxBands - 1) / MaxBands);
    std::vector<QRect> rects;
    for (std::int64_t y = t; y < b; y += step) {
        const std::int64_t last = std::min(y + step, b) - 1;
        const auto first = spans.Row(y);
        const auto end = spans.Row(last);
        const std::int64_t from = std::max(first->first, end->first);
        const std::int64_t to = std::min(first->second, end->second);
        const QRect rect(static_cast<int>(from), static_cast<int>(y), static_cast<int>(to - from),
                         static_cast<int>(last - y + 1));
        if (!rects.empty() && rects.back().left() == rect.left() && rects.back().right() == rect.right() &&
            rects.back().bottom() + 1 == rect.top()) {
            rects.back().setBottom(rect.bottom());
        } else {
            rects.push_back(rect);
        }
    }
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return Make(std::move(region));
}

Region CreateEllipticRgn(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    const std::int64_t width = std::llabs(std::int64_t{right} - left);
    const std::int64_t height = std::llabs(std::int64_t{bottom} - top);
    return CreateRoundRectRgn(left, top, right, bottom,
                              static_cast<std::int32_t>(std::min<std::int64_t>(width, INT32_MAX)),
                              static_cast<std::int32_t>(std::min<std::int64_t>(height, INT32_MAX)));
}

int CombineRgn(Region& destination, const Region& a, const Region& b, int mode) {
    if (!destination || !a || (mode != RGN_COPY && !b)) {
        return RGN_ERROR;
    }
    const QRegion& first = a.Get()->region;
    QRegion result;
    switch (mode) {
    case RGN_AND:
        result = first.intersected(b.Get()->region);
        break;
    case RGN_OR:
        result = first.united(b.Get()->region);
        break;
    case RGN_XOR:
        result = first.xored(b.Get()->region);
        break;
    case RGN_DIFF:
        result = first.subtracted(b.Get()->region);
        break;
    case RGN_COPY:
        result = first;
        break;
    default:
        return RGN_ERROR;
    }
    destination.Get()->region = std::move(result);
    return Kind(destination.Get()->region);
}

int GetRegionKind(const Region& region) {
    return region ? Kind(region.Get()->region) : RGN_ERROR;
}

bool PtInRegion(const Region& region, std::int32_t x, std::int32_t y) {
    return region && region.Get()->region.contains(QPoint(x, y));
}

bool FillRgn(DeviceContext& dc, const Region& region, const Brush& brush) {
    if (!region || !brush || dc.Target() == nullptr) {
        return false;
    }
    for (const QRect& rect : region.Get()->region) {
        PaintBlock(dc, *brush.Get(), rect.left(), rect.top(), rect.width(), rect.height(), PATCOPY);
    }
    return true;
}

} // namespace kelvo::gdi
