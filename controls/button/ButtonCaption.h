#pragma once

#include <cstdint>
#include <optional>

#include <QChar>
#include <QString>

#include "controls/button/ButtonLook.h"
#include "platform/gdi/DeviceContext.h"

namespace kelvo::controls::button {

// The caption as the system's narrow text functions see it: characters the Western code page has stay,
// every other one (each code point) becomes '?'.
QString AnsiForm(const QString& caption);

// The access key the caption marks: the character after the first '&', in lower case. A leading "&&"
// pair is a literal ampersand and is skipped once: then the character after the next '&' is the key.
// Nothing for captions under two characters, without a usable mark, or with a second doubled pair.
std::optional<QChar> SetAccessKey(const QString& caption);

// Measures the word-wrapped caption with the context's selected font in the space the picture leaves
// (by PicturePosition: picture left, right, above, below, or centred under the caption) and centres
// it there; then places the picture. An unknown position measures in the previous pressed rectangle
// and moves nothing.
CaptionLayout LayoutCaption(gdi::DeviceContext& dc, const ButtonLook& look, const CaptionLayout& previous);

// Puts the picture beside the laid-out caption, or in the middle of the button when the caption is
// blank or the position is 4. Unknown positions, and buttons without pictures, keep PicX and PicY.
void PlacePicture(const ButtonLook& look, CaptionLayout& layout);

// The caption in one of its eight modes: 0 up, 1 hovered, 2 pressed, 3 to 6 the disabled looks
// (engraved, shadow, dimmed glossy, embossed), 7 the pressed look of style 14. Any other mode draws
// it once in the context's current text colour. Records the mode in LastCaptionMode.
void DrawCaption(gdi::DeviceContext& dc, const ButtonLook& look, ButtonCarried& carried, std::uint8_t mode);

// The relief under a caption drawn at rect: a dark copy down and right, and for raised and sunken
// reliefs a light copy up and left (swapped for sunken). Nothing without a special effect.
void DrawCaptionEffect(gdi::DeviceContext& dc, const ButtonLook& look, const ButtonCarried& carried,
                       const gdi::Rect& rect);

// The caption in a colour at rect: centred and word-wrapped, access-key marks honoured.
void DrawCaptionText(gdi::DeviceContext& dc, const ButtonLook& look, const gdi::Rect& rect,
                     gdi::Colour colour);

} // namespace kelvo::controls::button
