#pragma once

#include <cstdint>
#include <optional>

#include "controls/button/ButtonLook.h"
#include "platform/gdi/Colour.h"
#include "platform/gdi/DeviceContext.h"

namespace kelvo::controls::button {

// How a picture is laid over the face.
struct BlitOptions {
    // The picture's transparent colour (the translated mask colour).
    gdi::Colour maskRGB{0xC0C0C0};
    // Every visible pixel in one colour; with darkOnly only the darker half of the picture's pixels
    // (red + green + blue up to 384) take it and the lighter ones leave the face.
    std::optional<gdi::Colour> tint;
    bool darkOnly = false;
    bool greyscale = false;
    // Two thirds picture, one third face.
    bool fade = false;
};

// What the button's properties add: whether the mask colour is honoured at all, and the colour an
// icon's transparent parts are painted in before the transfer.
struct PictureMasking {
    bool useMaskColor = true;
    gdi::Colour maskColor{0xC0C0C0};
};

// Lays w x h pixels of the picture at (x, y) over what the context shows, pixel by pixel: pixels of
// the transparent colour keep the face; the others are tinted, turned grey, faded or copied (a tint
// wins over grey, grey over fading). A negative w or h means the picture's own width or height; a zero
// one draws nothing. The work goes through two 24-bit copies of the block (the face and the picture),
// and every temporary object is released. False when nothing could be drawn.
bool BlitPicture(gdi::DeviceContext& dc, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                 const ButtonPicture& picture, const BlitOptions& options, const PictureMasking& masking);

// The grey a colour becomes: 0.3 of its red, rounded on its own, plus 0.59 of its green and 0.11 of
// its blue, rounded again (halves to even both times).
std::uint8_t GreyLevel(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

} // namespace kelvo::controls::button
