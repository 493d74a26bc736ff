#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include <QLocale>
#include <QString>

// Numeric conversions with the program's rounding rules. Every conversion that can fail (out of range,
// not a number, division by zero) says so through an empty optional instead of invoking undefined
// behaviour, so callers skip exactly the step that failed.
namespace kelvo::numeric {

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Inline and
// without library calls: the drawing code rounds three channels for every line of a gradient.
inline double RoundHalfEven(double value) {
    // Zero keeps its sign; NaN, the infinities and magnitudes from 2^52 on (all whole) come back as they are.
    if (value == 0.0 || !(value < 0x1p52 && value > -0x1p52)) {
        return value;
    }
    // Below 2^52 in magnitude, adding 2^52 of the same sign leaves no bits below the units: the sum is
    // rounded as every sum is, to nearest with halves to even, and taking 2^52 away again is exact. No
    // branch on the fraction, which a gradient's channels make unpredictable.
    const double shift = std::copysign(0x1p52, value);
    return (value + shift) - shift;
}

// Conversions to 32- and 16-bit signed integers with half-to-even rounding.
std::optional<std::int32_t> CLng(double value);
std::optional<std::int16_t> CInt(double value);

// Largest integer not above the value (Int(-3.5) = -4).
double Int(double value);

// Integer division truncating toward zero; empty on a zero divisor or INT32_MIN / -1.
std::optional<std::int32_t> IntDiv(std::int32_t dividend, std::int32_t divisor);

std::optional<std::int32_t> CheckedAdd(std::int32_t a, std::int32_t b);
std::optional<std::int32_t> CheckedSub(std::int32_t a, std::int32_t b);

// Formats a number with an integer digit pattern such as "#,###,###" or "#,##": the value is rounded
// half away from zero, "#" places print nothing for leading zeros (so 0 gives the empty text), "0"
// places always print, and a "," between placeholders groups the digits in threes with the locale's
// group separator. Values that are not finite give the empty text.
QString Format(double value, const QString& pattern, const QLocale& locale = QLocale::system());

} // namespace kelvo::numeric
