#pragma once

#include <QString>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Rect.h"

namespace kelvo::gdi {

// Draws text (the first count characters, all of it for a negative count) in rect with the selected
// font, the text colour and, in OPAQUE mode, the background colour behind each line.
// - Lines: CR, LF or CR LF break lines unless DT_SINGLELINE; DT_WORDBREAK wraps at spaces to the
//   rectangle's width (a word wider than the line stands alone). Lines are as high as the font.
// - Placement: left, DT_CENTER at (left + right - width) / 2, DT_RIGHT at right - width; DT_VCENTER
//   (top + (bottom - top) / 2 - height / 2) and DT_BOTTOM only on a single line.
// - '&' marks the next character as the access key (underlined), "&&" is one '&', a lone trailing '&'
//   is dropped; DT_NOPREFIX shows every '&', DT_HIDEPREFIX removes the marks without underlining.
// - DT_CALCRECT draws nothing and sets rect's right to left + the widest line and its bottom to the
//   end of the last line (an empty text leaves a zero-size rectangle).
// - Clipped to rect unless DT_NOCLIP, and always to the target.
// Returns the height from rect's top to the end of the last line; 0 for a count of 0 or a context
// without pixels (when not measuring).
int DrawTextA(DeviceContext& dc, const QString& text, int count, Rect& rect, unsigned format);

} // namespace kelvo::gdi
