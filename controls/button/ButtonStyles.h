#pragma once

#include <cstdint>

#include "controls/button/ButtonLook.h"
#include "controls/button/ButtonPrimitives.h"
#include "platform/gdi/DeviceContext.h"

namespace kelvo::controls::button {

// Draws the frame, face details, caption and focus mark of one button style in one look, over a face
// already filled with the face colour. The picture is not its business. Names follow the steps the
// looks are described in: fill, frame, line, pixel, bevel, corners, caption, focus.
class StylePainter {
public:
    StylePainter(gdi::DeviceContext& dc, const ButtonLook& look, ButtonCarried& carried);

    void UpLook();
    void DownLook();
    void DisabledLook();

private:
    const ButtonPalette& P() const { return carried_.Palette; }
    gdi::Colour S(gdi::Colour colour, std::int32_t delta) const;
    gdi::Colour Sp(gdi::Colour colour, std::int32_t delta) const;

    void Fill(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h, gdi::Colour colour);
    void Frame(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h, gdi::Colour colour);
    void Line(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, gdi::Colour colour);
    void Pixel(std::int64_t x, std::int64_t y, gdi::Colour colour);
    void Corners(gdi::Colour colour);
    void Bevel(gdi::Colour tl1, gdi::Colour br1, gdi::Colour tl2, gdi::Colour br2, std::int32_t inset);
    void OuterBevel(gdi::Colour tl1, gdi::Colour br1, std::int32_t inset);
    void Caption(std::uint8_t mode);
    // Mode 1 while hovered, 0 otherwise.
    void CaptionH();
    void Focus();

    // The row offsets of the glossy gradients: -step x i rounded, step held in single precision.
    static std::int32_t GradientOffset(float step, std::int64_t i);
    void Style3Gradient();
    void Style3PressedGradient(gdi::Colour base);
    void Style14Gradient();
    void Style3Edging();
    void Style4Face(std::uint8_t captionMode);
    void Style5CaptionFrame();
    void Style11Background();
    void Style14Frame();
    void Style14Caption();
    // The last row index (counted from 0) a drawing on this context can reach.
    std::int64_t LastVisibleRow();

    gdi::DeviceContext& dc_;
    const ButtonLook& look_;
    ButtonCarried& carried_;
    // The button's width and height, named as in the looks' geometry (never negative).
    std::int64_t W;
    std::int64_t H;
};

} // namespace kelvo::controls::button
