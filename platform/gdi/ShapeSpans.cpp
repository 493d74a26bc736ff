#include "platform/gdi/ShapeSpans.h"

#include <algorithm>
#include <cmath>

namespace kelvo::gdi {

ShapeSpans::ShapeSpans(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height,
                       std::int64_t cornerWidth, std::int64_t cornerHeight)
    : left_(left)
    , top_(top)
    , width_(std::max<std::int64_t>(width, 0))
    , height_(std::max<std::int64_t>(height, 0))
    , a_((std::clamp<std::int64_t>(cornerWidth, 0, width_) - 1) / 2)
    , b_((std::clamp<std::int64_t>(cornerHeight, 0, height_) - 1) / 2) {
    if (a_ < 0 || b_ < 0) {
        a_ = 0;
        b_ = 0;
    }
}

std::int64_t ShapeSpans::Reach(std::int64_t dy) const {
    if (b_ == 0) {
        return a_;
    }
    const double a = static_cast<double>(a_);
    const double b = static_cast<double>(b_);
    const double y = static_cast<double>(dy);
    const double upper = (y - 0.5) / b;
    const double centre = y / b;
    const double byCentre = a * std::sqrt(std::max(0.0, 1.0 - upper * upper));
    const double byEdge = 0.5 + a * std::sqrt(std::max(0.0, 1.0 - centre * centre));
    const double reach = std::max(std::floor(byCentre), std::floor(byEdge));
    return std::clamp<std::int64_t>(static_cast<std::int64_t>(std::min(reach, a)), 0, a_);
}

std::optional<std::pair<std::int64_t, std::int64_t>> ShapeSpans::Row(std::int64_t y) const {
    if (IsEmpty() || y < top_ || y >= top_ + height_) {
        return std::nullopt;
    }
    const std::int64_t row = y - top_;
    const std::int64_t upperCentre = b_;
    const std::int64_t lowerCentre = height_ - 1 - b_;
    std::int64_t inset = 0;
    if (row < upperCentre) {
        inset = a_ - Reach(upperCentre - row);
    } else if (row > lowerCentre) {
        inset = a_ - Reach(row - lowerCentre);
    }
    return std::pair{left_ + inset, left_ + width_ - inset};
}

} // namespace kelvo::gdi
