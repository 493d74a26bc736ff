#include "Numeric.h"

#include <cmath>
#include <limits>

namespace kelvo::numeric {

namespace {

template <typename T> std::optional<T> RoundTo(double value) {
    const double rounded = RoundHalfEven(value);
    if (!std::isfinite(rounded) || rounded < static_cast<double>(std::numeric_limits<T>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<T>::max())) {
        return std::nullopt;
    }
    return static_cast<T>(rounded);
}

} // namespace

std::optional<std::int32_t> CLng(double value) {
    return RoundTo<std::int32_t>(value);
}

std::optional<std::int16_t> CInt(double value) {
    return RoundTo<std::int16_t>(value);
}

double Int(double value) {
    return std::floor(value);
}

std::optional<std::int32_t> IntDiv(std::int32_t dividend, std::int32_t divisor) {
    if (divisor == 0 || (dividend == std::numeric_limits<std::int32_t>::min() && divisor == -1)) {
        return std::nullopt;
    }
    return dividend / divisor;
}

std::optional<std::int32_t> CheckedAdd(std::int32_t a, std::int32_t b) {
    std::int32_t result = 0;
    if (__builtin_add_overflow(a, b, &result)) {
        return std::nullopt;
    }
    return result;
}

std::optional<std::int32_t> CheckedSub(std::int32_t a, std::int32_t b) {
    std::int32_t result = 0;
    if (__builtin_sub_overflow(a, b, &result)) {
        return std::nullopt;
    }
    return result;
}

QString Format(double value, const QString& pattern, const QLocale& locale) {
    if (!std::isfinite(value)) {
        return {};
    }
    const double rounded = std::round(value); // halves away from zero
    const bool negative = rounded < 0;
    // %.0f of an integral double prints its exact digits, however large.
    QString digits = QString::asprintf("%.0f", std::fabs(rounded));
    if (digits == QLatin1String("0")) {
        digits.clear();
    }

    int zeroPlaces = 0;
    bool grouping = false;
    bool seenPlaceholder = false;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (c == QLatin1Char('0')) {
                ++zeroPlaces;
            }
            seenPlaceholder = true;
        } else if (c == QLatin1Char(',') && seenPlaceholder) {
            grouping = true;
        }
    }
    // Every "0" place prints a digit, so the number is padded to at least that many digits.
    const int forced = zeroPlaces;
    while (digits.size() < forced) {
        digits.prepend(QLatin1Char('0'));
    }

    if (grouping && digits.size() > 3) {
        const QString separator = locale.groupSeparator();
        QString grouped;
        const qsizetype n = digits.size();
        for (qsizetype i = 0; i < n; ++i) {
            if (i > 0 && (n - i) % 3 == 0) {
                grouped += separator;
            }
            grouped += digits[i];
        }
        digits = grouped;
    }
    if (negative && !digits.isEmpty()) {
        digits.prepend(locale.negativeSign());
    }
    return digits;
}

} // namespace kelvo::numeric
