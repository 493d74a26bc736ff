#pragma once

#include <cstdint>
#include <optional>

#include "controls/button/ButtonLook.h"
#include "platform/gdi/DeviceContext.h"

namespace kelvo::controls::button {

// The look a paint in state (StateUp or StateDown) draws, or none when it draws nothing. A checked
// check-box button always looks pressed. Without force nothing is drawn when the state and the caption are
// those the last paint drew, whatever else changed; a button of height 0, or one whose refreshing is off,
// keeps its last image.
std::optional<ButtonLook> LookToPaint(const ButtonLook& look, const ButtonCarried& carried,
                                      std::uint8_t state, bool force);

// Paints the whole button in the look's State (StateUp or StateDown), or the disabled look when it is
// disabled: clears the surface, fills the face, draws the style's frame, caption and focus mark, then the
// picture. Gives back what the next paint needs: the palette, the caption layout (style 14 lays the
// caption out again in bold) and the state and caption drawn. While hovered in the custom scheme the face
// is built from BackOver for this paint only; the palette given back is built from BackColor.
// The context is left as found: the look's font and the caption colours are the paint's own.
ButtonCarried PaintButton(gdi::DeviceContext& dc, const ButtonLook& look, const ButtonCarried& carried);

} // namespace kelvo::controls::button
