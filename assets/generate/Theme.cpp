#include "Theme.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kelvo::assets {

QColor Mix(const QColor& a, const QColor& b, double t) {
    const double k = std::clamp(t, 0.0, 1.0);
    const auto lerp = [k](int from, int to) { return Channel(from + (to - from) * k); };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                  lerp(a.alpha(), b.alpha()));
}

QFont SansFont(int pixelSize, int weight, bool italic) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(pixelSize);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(italic);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

double Grain(int x, int y, unsigned seed) {
    // A small integer hash (in the manner of the "lowbias32" mixer): unsigned arithmetic wraps by
    // definition, and the same pixel always gives the same value.
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8da6b343u ^
                      static_cast<std::uint32_t>(y) * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return static_cast<double>(h >> 8) / static_cast<double>(1u << 24) - 0.5;
}

int Channel(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    return static_cast<int>(std::lround(std::clamp(value, 0.0, 255.0)));
}

} // namespace kelvo::assets
