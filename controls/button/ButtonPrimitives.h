#pragma once

#include <cstdint>

#include <QFont>

#include "platform/gdi/Colour.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Rect.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/SelectedObject.h"

namespace kelvo::controls::button {

// The drawing steps the button's looks are made of. Coordinates are 64-bit so that sums such as
// x + w on a huge button cannot overflow; anything beyond the 32-bit range is clamped, which keeps it
// far outside every surface. Each step makes its pen or brush, uses it and releases it.

// [x, x + w) x [y, y + h) filled, or only its one-pixel outline when frameOnly.
void FillOrFrameRect(gdi::DeviceContext& dc, std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h,
                     gdi::Colour colour, bool frameOnly);
// A one-pixel line from (x1, y1) up to, not including, (x2, y2).
void StrokeLine(gdi::DeviceContext& dc, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                gdi::Colour colour);
void PaintPixel(gdi::DeviceContext& dc, std::int64_t x, std::int64_t y, gdi::Colour colour);
// The ellipse in [x, x + w) x [y, y + h), outlined with a two-pixel pen and filled.
void PaintEllipse(gdi::DeviceContext& dc, std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h,
                  gdi::Colour pen, gdi::Colour fill);

// A two-ring bevel on a width x height button: tl colours on the top and left edges, br colours on the
// right and bottom ones, the second ring one pixel inside the first. inset -1 draws the rings one
// pixel in from the button's edge; outerOnly leaves the second ring out.
struct BevelColours {
    gdi::Colour topLeft1;
    gdi::Colour bottomRight1;
    gdi::Colour topLeft2;
    gdi::Colour bottomRight2;
};
void DrawBevel(gdi::DeviceContext& dc, std::int64_t width, std::int64_t height, const BevelColours& colours,
               std::int32_t inset, bool outerOnly);

// The dotted focus mark at rect, drawn against the text colour (which stays set afterwards).
void DrawFocus(gdi::DeviceContext& dc, const gdi::Rect& rect, gdi::Colour textColour);

// The focus rectangle of a width x height button: 3 pixels in for styles 7 to 13, 5 pixels in and moved
// by (1, 1) for style 14, 4 pixels in for the others.
gdi::Rect FocusRectFor(std::int32_t buttonType, std::int32_t width, std::int32_t height);

// The window shape of a width x height button: the rectangle with corner pixels cut off (styles 1, 14:
// one pixel at each corner; 5: the top-right and bottom-left pixels; 3, 4: three pixels per corner),
// the inscribed ellipse for style 13, the whole rectangle for the others.
gdi::Region BuildRegion(std::int32_t buttonType, std::int32_t width, std::int32_t height);

// Selects a font into a context for a scope, then puts the previous one back and releases it.
class ScopedFont {
public:
    ScopedFont(gdi::DeviceContext& dc, const QFont& font);
    ~ScopedFont();
    ScopedFont(const ScopedFont&) = delete;
    ScopedFont& operator=(const ScopedFont&) = delete;

private:
    gdi::DeviceContext& dc_;
    gdi::Font font_;
    gdi::SelectedObject previous_;
};

} // namespace kelvo::controls::button
