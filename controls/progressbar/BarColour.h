#pragma once

#include <cstdint>

#include "platform/gdi/Colour.h"
#include "platform/gdi/SysColours.h"

namespace kelvo::controls::progressbar {

// The bar's colour rule: a value with the top bit set names system colour (value AND 0x7FFFFFFF), which
// is black when there is no such colour; any other value is used as it is.
gdi::Colour ResolveColour(gdi::Colour colour, const gdi::SysColours& colours);

// Moves each channel toward 255: x' = amount + x * (255 - amount) \ 255, at most 255. Amount 0 keeps the
// colour, 255 gives white. The colour is taken as an RGB value (the bar's colour is always resolved).
gdi::Colour LightenColor(gdi::Colour colour, std::int32_t amount);

// A weighted mix of two colours, each resolved first: x = x1 * weight / 255 + x2 * (255 - weight) / 255
// per channel, rounded to the nearest integer with halves to even. BlendColor(c, black, w) scales c by
// w / 255.
gdi::Colour BlendColor(gdi::Colour first, gdi::Colour second, std::int32_t weight,
                       const gdi::SysColours& colours);

} // namespace kelvo::controls::progressbar
