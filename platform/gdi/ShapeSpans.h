#pragma once

#include <cstdint>
#include <optional>
#include <utility>

namespace kelvo::gdi {

// The rows of a rectangle with rounded corners (an ellipse when the corners take the whole box) as
// one run of columns per row: the shape the round-rectangle and elliptic regions cover and the shapes
// fill. The box is [left, left + width) x [top, top + height); the corner ellipse is cornerWidth x
// cornerHeight (clamped to the box). A quarter of the corner ellipse with semi-axes a = (cw - 1) / 2
// and b = (ch - 1) / 2 reaches dx columns out from its centre on the row dy rows from it, dx being the
// larger of the widest column whose centre lies inside the ellipse at the row's upper edge and the
// widest whose inner edge lies inside it on the row's centre line. Boxes of even size get a flat
// middle of two pixels.
class ShapeSpans {
public:
    ShapeSpans(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height,
               std::int64_t cornerWidth, std::int64_t cornerHeight);

    std::int64_t Top() const { return top_; }
    std::int64_t Bottom() const { return top_ + height_; }
    bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }
    // Columns [first, second) of row y; nothing outside the box.
    std::optional<std::pair<std::int64_t, std::int64_t>> Row(std::int64_t y) const;

private:
    std::int64_t Reach(std::int64_t dy) const;

    std::int64_t left_;
    std::int64_t top_;
    std::int64_t width_;
    std::int64_t height_;
    std::int64_t a_;
    std::int64_t b_;
};

} // namespace kelvo::gdi
