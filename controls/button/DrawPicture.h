#pragma once

#include <cstdint>

#include "controls/button/ButtonLook.h"
#include "platform/gdi/DeviceContext.h"

namespace kelvo::controls::button {

// The picture modes PaintButton asks for after the face.
inline constexpr std::uint8_t PictureUp = 0;
inline constexpr std::uint8_t PictureDown = 1;
inline constexpr std::uint8_t PictureDisabled = 2;

// The picture in the up (hovered or not), pressed or disabled look of the button's style, with its
// relief; with the picture centred under the caption (position 4) the caption is drawn again on top.
// Nothing at all without PictureNormal.
void DrawPicture(gdi::DeviceContext& dc, const ButtonLook& look, ButtonCarried& carried, std::uint8_t mode);

// The relief under a picture: tinted copies one pixel down-right (dark) and, for raised and sunken
// reliefs, one pixel up-left (light), all moved by offset. Nothing without a special effect.
void DrawPictureEffect(gdi::DeviceContext& dc, const ButtonLook& look, const ButtonCarried& carried,
                       std::int32_t offset, const ButtonPicture& picture);

} // namespace kelvo::controls::button
