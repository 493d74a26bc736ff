#include "platform/gdi/Rect.h"

#include <algorithm>
#include <limits>

#include "platform/numeric/Numeric.h"

namespace kelvo::gdi {

namespace {

constexpr bool FitsInt32(std::int64_t value) {
    return value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
}

} // namespace

std::optional<QRect> Rect::ToQRect() const {
    const std::int64_t width = Width();
    const std::int64_t height = Height();
    const std::int64_t lastColumn = std::int64_t{right} - 1;
    const std::int64_t lastRow = std::int64_t{bottom} - 1;
    if (!FitsInt32(width) || !FitsInt32(height) || !FitsInt32(lastColumn) || !FitsInt32(lastRow)) {
        return std::nullopt;
    }
    return QRect(QPoint(left, top), QPoint(static_cast<int>(lastColumn), static_cast<int>(lastRow)));
}

std::optional<Rect> Rect::FromQRect(const QRect& rect) {
    const std::int64_t right = std::int64_t{rect.right()} + 1;
    const std::int64_t bottom = std::int64_t{rect.bottom()} + 1;
    if (!FitsInt32(right) || !FitsInt32(bottom)) {
        return std::nullopt;
    }
    return Rect{rect.left(), rect.top(), static_cast<std::int32_t>(right), static_cast<std::int32_t>(bottom)};
}

bool CopyRect(Rect& destination, const Rect& source) {
    destination = source;
    return true;
}

bool OffsetRect(Rect& rect, std::int32_t dx, std::int32_t dy) {
    using numeric::CheckedAdd;
    const auto left = CheckedAdd(rect.left, dx);
    const auto right = CheckedAdd(rect.right, dx);
    const auto top = CheckedAdd(rect.top, dy);
    const auto bottom = CheckedAdd(rect.bottom, dy);
    if (!left || !right || !top || !bottom) {
        return false;
    }
    rect = Rect{*left, *top, *right, *bottom};
    return true;
}

bool InflateRect(Rect& rect, std::int32_t dx, std::int32_t dy) {
    using numeric::CheckedAdd;
    using numeric::CheckedSub;
    const auto left = CheckedSub(rect.left, dx);
    const auto right = CheckedAdd(rect.right, dx);
    const auto top = CheckedSub(rect.top, dy);
    const auto bottom = CheckedAdd(rect.bottom, dy);
    if (!left || !right || !top || !bottom) {
        return false;
    }
    rect = Rect{*left, *top, *right, *bottom};
    return true;
}

bool IsRectEmpty(const Rect& rect) {
    return rect.left >= rect.right || rect.top >= rect.bottom;
}

bool IntersectRect(Rect& destination, const Rect& a, const Rect& b) {
    const Rect common{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                      std::min(a.bottom, b.bottom)};
    if (IsRectEmpty(a) || IsRectEmpty(b) || IsRectEmpty(common)) {
        destination = Rect{};
        return false;
    }
    destination = common;
    return true;
}

bool UnionRect(Rect& destination, const Rect& a, const Rect& b) {
    const bool aEmpty = IsRectEmpty(a);
    const bool bEmpty = IsRectEmpty(b);
    if (aEmpty && bEmpty) {
        destination = Rect{};
        return false;
    }
    if (aEmpty || bEmpty) {
        destination = aEmpty ? b : a;
        return true;
    }
    destination = Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                       std::max(a.bottom, b.bottom)};
    return true;
}

bool PtInRect(const Rect& rect, std::int32_t x, std::int32_t y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

} // namespace kelvo::gdi
