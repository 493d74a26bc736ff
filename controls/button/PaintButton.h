#pragma once

#include <cstdint>

#include "controls/button/ButtonLook.h"
#include "platform/gdi/DeviceContext.h"

namespace kelvo::controls::button {

// Paints the whole button in the up (StateUp) or pressed (StateDown) look, or the disabled look when
// it is disabled: clears the surface, fills the face, draws the style's frame, caption and focus mark,
// then the picture. A checked check-box button always looks pressed. Without force nothing is drawn
// when the look and the caption are those of the last paint; a button of height 0, or one whose
// refreshing is off, keeps its last image. While hovered in the custom scheme the whole palette is
// built from BackOver for this paint and rebuilt from BackColor afterwards. The look's font is
// selected for the paint and the previous font put back. True when something was drawn.
bool PaintButton(gdi::DeviceContext& dc, const ButtonLook& look, ButtonFields& fields, std::uint8_t state,
                 bool force);

} // namespace kelvo::controls::button
