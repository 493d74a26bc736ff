#pragma once

#include <cstdint>

#include <QIcon>
#include <QImage>

#include "platform/gdi/Colour.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"

namespace kelvo::gdi {

inline constexpr std::uint32_t SRCPAINT = 0x00EE0086u;
inline constexpr std::uint32_t SRCAND = 0x008800C6u;
inline constexpr std::uint32_t SRCINVERT = 0x00660046u;
inline constexpr std::uint32_t NOTSRCCOPY = 0x00330008u;

// Copies the block [sourceX, sourceX + width) x [sourceY, sourceY + height) of source to (x, y) of
// destination under SRCCOPY, SRCPAINT, SRCAND, SRCINVERT or NOTSRCCOPY; the pattern operations of
// PatBlt need no source. Only pixels inside both images take part; source and destination may be the
// same image, overlapping. A monochrome source paints its black in the destination's text colour and
// its white in the background colour; a colour source on a monochrome bitmap gives white where it
// matches the source's background colour and black elsewhere.
bool BitBlt(DeviceContext& destination, std::int32_t x, std::int32_t y, std::int32_t width,
            std::int32_t height, DeviceContext* source, std::int32_t sourceX, std::int32_t sourceY,
            std::uint32_t rop);

// The colour the context would really paint for a colour: itself on a true-colour target, black or
// white on a monochrome bitmap; CLR_INVALID for a context without pixels.
Colour GetNearestColor(DeviceContext& dc, Colour colour);

// Draws an icon at (x, y), scaled to width x height (0 keeps the icon's own size): DI_NORMAL blends
// the picture by its transparency, DI_IMAGE copies its colours, DI_MASK darkens where it is opaque.
bool DrawIconEx(DeviceContext& dc, std::int32_t x, std::int32_t y, const QImage& icon, int width, int height,
                unsigned flags);
bool DrawIconEx(DeviceContext& dc, std::int32_t x, std::int32_t y, const QIcon& icon, int width, int height,
                unsigned flags);

// The same with an animation step (icons here have one frame: any step draws it) and a background
// brush: when the brush is given the icon's box is first painted with it, so the transparent parts of
// the icon show the brush.
bool DrawIconEx(DeviceContext& dc, std::int32_t x, std::int32_t y, const QImage& icon, int width, int height,
                unsigned step, const Brush& background, unsigned flags);
bool DrawIconEx(DeviceContext& dc, std::int32_t x, std::int32_t y, const QIcon& icon, int width, int height,
                unsigned step, const Brush& background, unsigned flags);

} // namespace kelvo::gdi
