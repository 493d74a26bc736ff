#include "controls/progressbar/BarMath.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/numeric/Numeric.h"

namespace kelvo::controls::progressbar {

double Fraction(std::int32_t value, std::int32_t max) {
    if (max == 0) {
        return 0.0;
    }
    return static_cast<double>(value) / static_cast<double>(max);
}

std::int32_t ToPixel(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (const auto converted = numeric::CLng(value)) {
        return *converted;
    }
    return value > 0 ? std::numeric_limits<std::int32_t>::max() : std::numeric_limits<std::int32_t>::min();
}

std::int32_t Clamp32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

} // namespace kelvo::controls::progressbar
