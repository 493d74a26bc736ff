#pragma once

#include <cstdint>

namespace kelvo::controls::progressbar {

// The bar's arithmetic. Value and maximum are any 32-bit numbers, so products and sums are worked out in
// 64 bits or in double precision and only then brought back to pixel coordinates. A coordinate that does
// not fit 32 bits is limited to the 32-bit range: it lies millions of pixels past the control either
// way, and clipping makes the drawing the same as if it had fitted.

// Value divided by maximum. A maximum of 0 leaves the fraction undefined; the bar then draws as an empty
// one (fraction 0, text "0 %").
double Fraction(std::int32_t value, std::int32_t max);

// Rounds to the nearest integer (halves to even) and limits the result to the 32-bit range.
std::int32_t ToPixel(double value);

// Limits a 64-bit result to the 32-bit range.
std::int32_t Clamp32(std::int64_t value);

} // namespace kelvo::controls::progressbar
