#include "StateImagePainter.h"

#include "platform/gdi/Fill.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Rect.h"

namespace kelvo::controls {

void PaintStateImage(gdi::DeviceContext& dc, const StateImageLook& look) {
    const gdi::Rect box{0, 0, look.width, look.height};
    const gdi::Brush face = gdi::CreateSolidBrush(dc.Colours().Resolve(look.face));
    const gdi::Brush frame = gdi::CreateSolidBrush(dc.Colours().Resolve(look.frame));
    gdi::FillRect(dc, box, face);
    gdi::FrameRect(dc, box, frame);
    const gdi::Rect mark{MarkInset, MarkInset, look.width - MarkInset, look.height - MarkInset};
    if (look.set && !gdi::IsRectEmpty(mark)) {
        const gdi::Brush ink = gdi::CreateSolidBrush(dc.Colours().Resolve(look.mark));
        gdi::FillRect(dc, mark, ink);
    }
}

} // namespace kelvo::controls
