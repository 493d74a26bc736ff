#include "FontSubstitution.h"

#include <cmath>

#include "platform/numeric/Numeric.h"

namespace kelvo::host {

FontSubstitution::FontSubstitution()
    : FontSubstitution({{QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans Narrow")},
                        {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans Narrow")},
                        {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed")},
                        {QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")},
                        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
                        {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")},
                        {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")}},
                       QStringLiteral("DejaVu Sans")) {}

FontSubstitution::FontSubstitution(QList<Entry> entries, QString fallback)
    : entries_(std::move(entries))
    , fallback_(std::move(fallback)) {}

QString FontSubstitution::Family(const QString& name) const {
    const QString wanted = name.trimmed();
    for (const Entry& entry : entries_) {
        if (entry.name.compare(wanted, Qt::CaseInsensitive) == 0) {
            return entry.family;
        }
    }
    return fallback_;
}

int FontSubstitution::PixelSize(double points) {
    if (!std::isfinite(points) || points <= 0) {
        return 1;
    }
    // Clamp before converting so that no size, however large, reaches an out-of-range conversion.
    const double pixels = std::min(points * 96.0 / 72.0, double(MaxPixelSize));
    const int rounded = numeric::CLng(pixels).value_or(1);
    return std::max(rounded, 1);
}

} // namespace kelvo::host
