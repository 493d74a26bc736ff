#include "controls/progressbar/BarColour.h"

#include <algorithm>

#include "platform/numeric/Numeric.h"

namespace kelvo::controls::progressbar {

namespace {

std::uint8_t Channel(std::int64_t value) {
    return static_cast<std::uint8_t>(std::clamp<std::int64_t>(value, 0, 255));
}

std::uint8_t Channel(double value) {
    return static_cast<std::uint8_t>(std::clamp(numeric::RoundHalfEven(value), 0.0, 255.0));
}

} // namespace

gdi::Colour ResolveColour(gdi::Colour colour, const gdi::SysColours& colours) {
    if ((colour.Raw() & 0x80000000u) != 0) {
        return colours.GetSysColor(static_cast<int>(colour.Raw() & 0x7FFFFFFFu));
    }
    return colour;
}

gdi::Colour LightenColor(gdi::Colour colour, std::int32_t amount) {
    const std::int64_t a = amount;
    // Each channel is lifted by the same rule; the arithmetic is 64-bit so any amount is safe, and a
    // channel that leaves 0..255 (only for amounts outside it) is held at its limit.
    const auto lift = [a](std::uint8_t x) { return Channel(a + (std::int64_t{x} * (255 - a)) / 255); };
    const std::uint8_t blue = lift(colour.Blue());
    const std::uint8_t green = lift(colour.Green());
    const std::uint8_t red = lift(colour.Red());
    return gdi::Colour::FromRgb(red, green, blue);
}

gdi::Colour BlendColor(gdi::Colour first, gdi::Colour second, std::int32_t weight,
                       const gdi::SysColours& colours) {
    const gdi::Colour a = ResolveColour(first, colours);
    const gdi::Colour b = ResolveColour(second, colours);
    const double w = weight;
    const auto mix = [w](std::uint8_t x1, std::uint8_t x2) {
        return Channel(static_cast<double>(x1) * w / 255.0 + static_cast<double>(x2) * (255.0 - w) / 255.0);
    };
    return gdi::Colour::FromRgb(mix(a.Red(), b.Red()), mix(a.Green(), b.Green()), mix(a.Blue(), b.Blue()));
}

} // namespace kelvo::controls::progressbar
