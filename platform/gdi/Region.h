#pragma once

#include <cstdint>

#include <QRegion>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiHandle.h"
#include "platform/gdi/GdiObjects.h"

namespace kelvo::gdi {

// A region: a set of pixels, kept as a QRegion so a window can take it as its mask.
struct RegionData {
    QRegion region;
};
using Region = GdiHandle<RegionData, ObjectKind::Region>;

// Region coordinates are limited to 27 bits, as the system does; larger ones are clamped.
inline constexpr std::int64_t RegionLimit = std::int64_t{1} << 27;

// [left, right) x [top, bottom), corners in any order; empty when either side is zero.
Region CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
// After putting the corners in order, the right and bottom edges move in by one pixel: the region is
// the inside of the figure Ellipse/RoundRect draws with the same numbers. The corner ellipse is
// clamped to that box; below 2 pixels either way the region is a plain rectangle.
Region CreateRoundRectRgn(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                          std::int32_t cornerWidth, std::int32_t cornerHeight);
Region CreateEllipticRgn(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);

// destination = a (mode) b with RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF (a without b) or RGN_COPY (a);
// destination must exist and may be a or b. Returns NULLREGION, SIMPLEREGION, COMPLEXREGION, or
// RGN_ERROR for a null handle or an unknown mode.
int CombineRgn(Region& destination, const Region& a, const Region& b, int mode);
// NULLREGION, SIMPLEREGION (one rectangle) or COMPLEXREGION; RGN_ERROR for a null handle.
int GetRegionKind(const Region& region);
bool PtInRegion(const Region& region, std::int32_t x, std::int32_t y);
// Paints the region with a brush (pattern copy).
bool FillRgn(DeviceContext& dc, const Region& region, const Brush& brush);

} // namespace kelvo::gdi
