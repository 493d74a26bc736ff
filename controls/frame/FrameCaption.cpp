#include "FramePainter.h"
#include "FramePass.h"

#include <cmath>

#include "platform/numeric/Numeric.h"

namespace kelvo::controls::framepaint {

namespace {

// A label can only stand where its position, in the host's twips, fits 32 bits.
bool Placeable(double x, double y) {
    return Twips(x).has_value() && Twips(y).has_value();
}

} // namespace

void DrawCaptionAlignment(FramePass& pass) {
    const FrameLook& look = pass.Look();
    FrameState& state = pass.State();
    if (state.labels.text.isEmpty()) {
        // Nothing to place; the surface shows what the pass drew.
        return;
    }
    std::int32_t margin = 0;
    pass.Run(AlignmentProcedure, [&] {
        if (look.borderType >= 7 && look.borderType <= 13) {
            if (look.cornerRadius == 0) {
                margin = 0;
                return Fault::None;
            }
            const auto m = numeric::CheckedAdd(look.cornerRadius, 3);
            if (!m) {
                return Fault::Overflow;
            }
            margin = *m;
        } else if (look.borderType >= 1 && look.borderType <= 6) {
            margin = look.captionLocation != 0 ? 6 : 3;
        } else {
            margin = 1;
        }
        return Fault::None;
    });

    const bool bevel = look.bevelInner != 0;
    double w = 0;
    double h = 0;
    pass.Run(AlignmentProcedure, [&] {
        w = pass.Width();
        if (!bevel) {
            return Fault::None;
        }
        const auto twice = numeric::CheckedAdd(look.bevelWidth, look.bevelWidth);
        if (!twice) {
            return Fault::Overflow;
        }
        w = pass.Width() - static_cast<double>(*twice);
        return Fault::None;
    });
    pass.Run(AlignmentProcedure, [&] {
        h = pass.Height();
        if (!bevel) {
            return Fault::None;
        }
        const auto twice = numeric::CheckedAdd(look.bevelWidth, look.bevelWidth);
        if (!twice) {
            return Fault::Overflow;
        }
        h = pass.Height() - static_cast<double>(*twice);
        return Fault::None;
    });

    const QSize size = pass.CaptionSize();
    const double lw = size.width();
    const double lh = size.height();
    const int column = look.captionAlignment % 3;
    const int row = look.captionAlignment / 3;
    if (look.captionAlignment >= 0 && look.captionAlignment <= 8) {
        // The middle row keeps a fixed 3 pixels from the sides; the top and bottom rows keep the margin,
        // which makes room for the rounded corners and the border the caption may sit on.
        const double sideMargin = row == 1 ? 3 : margin;
        const double left = column == 0 ? sideMargin : column == 1 ? (w - lw) / 2 : w - lw - sideMargin;
        const double top = row == 0 ? 1 : row == 1 ? (h - lh) / 2 : h - lh - 3;
        pass.Run(AlignmentProcedure, [&] {
            const auto single = Single(left);
            if (!single) {
                return Fault::Overflow;
            }
            state.captionLeft = *single;
            return Fault::None;
        });
        pass.Run(AlignmentProcedure, [&] {
            const auto single = Single(top);
            if (!single) {
                return Fault::Overflow;
            }
            state.captionTop = *single;
            return Fault::None;
        });
    }
    if (bevel) {
        // Inside the bevel the grid starts BevelWidth in from each edge.
        pass.Run(AlignmentProcedure, [&] {
            const auto left = Single(static_cast<double>(state.captionLeft) + look.bevelWidth);
            const auto top = Single(static_cast<double>(state.captionTop) + look.bevelWidth);
            if (!left || !top) {
                return Fault::Overflow;
            }
            state.captionLeft = *left;
            state.captionTop = *top;
            return Fault::None;
        });
    }
    DrawCaptionStyle(pass);
}

void DrawCaptionStyle(FramePass& pass) {
    const FrameLook& look = pass.Look();
    FrameLabels& labels = pass.State().labels;
    const double left = pass.State().captionLeft;
    const double top = pass.State().captionTop;
    pass.Run(StyleProcedure, [&] {
        if (!Placeable(left, top)) {
            return Fault::Overflow;
        }
        labels.caption = QPointF(left, top);
        return Fault::None;
    });
    // The shadow copy is drawn in the highlight colour: one pixel down and right gives a light fringe at
    // the lower right, one pixel up and left at the upper left.
    if (look.caption3D == 0) {
        labels.shadowVisible = false;
    } else if (look.caption3D == 1 || look.caption3D == 2) {
        const double offset = look.caption3D == 1 ? 1 : -1;
        pass.Run(StyleProcedure, [&] {
            if (!Placeable(left + offset, top + offset)) {
                return Fault::Overflow;
            }
            labels.shadowVisible = true;
            labels.shadow = QPointF(left + offset, top + offset);
            return Fault::None;
        });
    }
    // The blank strip covers the caption and one pixel around it, so the border line stops short of the
    // text on both sides.
    pass.Run(StyleProcedure, [&] {
        const QSize size = pass.CaptionSize();
        const QPointF corner = labels.caption - QPointF(1, 1);
        if (!Placeable(corner.x(), corner.y())) {
            return Fault::Overflow;
        }
        labels.blank = QRectF(corner, QSizeF(size.width() + 2.0, size.height() + 2.0));
        return Fault::None;
    });
}

void DrawFlood(FramePass& pass) {
    const FrameLook& look = pass.Look();
    FrameState& state = pass.State();
    if (look.floodShowPct) {
        state.labels.text = FloodPercentText(look.floodPercent);
        DrawCaptionAlignment(pass);
    }
    if (look.floodPercent == 0) {
        return;
    }
    const bool bevel = look.bevelInner != 0;
    double f = 0;
    pass.Run(FloodProcedure, [&] {
        const auto inset = Single(static_cast<double>(state.borderTop) + (bevel ? look.bevelWidth : 0) + 1);
        if (!inset) {
            return Fault::Overflow;
        }
        f = *inset;
        return Fault::None;
    });
    const double sw = pass.Width();
    const double sh = pass.Height();
    const double percent = look.floodPercent;
    if (look.floodType == 0) {
        // Left to right: the bar's width is its share of the space between the insets.
        pass.Run(FloodProcedure, [&] {
            const auto w = Single((sw - 2 * f) * percent / 100);
            if (!w) {
                return Fault::Overflow;
            }
            return pass.FilledBox(f, f, f + *w - 1, sh - f - 1, look.floodColor);
        });
        return;
    }
    // Bottom to top: the bar's top is its share of the height, counted up from the bottom inset.
    pass.Run(FloodProcedure, [&] {
        const auto h = Single(sh - 2 * f - 1);
        if (!h) {
            return Fault::Overflow;
        }
        const auto top = Single(*h - *h * percent / 100);
        if (!top) {
            return Fault::Overflow;
        }
        return pass.FilledBox(f, sh - f - 1, sw - f - 1, static_cast<double>(*top) + f, look.floodColor);
    });
}

} // namespace kelvo::controls::framepaint
