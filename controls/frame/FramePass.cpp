#include "FramePass.h"

#include <cmath>
#include <limits>

#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/ScopedSelection.h"
#include "platform/gdi/Shapes.h"
#include "platform/host/HostContext.h"
#include "platform/numeric/Numeric.h"

namespace kelvo::controls::framepaint {

namespace {

using numeric::CLng;

} // namespace

FrameError ErrorOf(const char* procedure, Fault fault) {
    switch (fault) {
    case Fault::InvalidCall:
        return {QString::fromLatin1(procedure), 5, QStringLiteral("Invalid procedure call or argument")};
    case Fault::Overflow:
        return {QString::fromLatin1(procedure), 6, QStringLiteral("Overflow")};
    case Fault::DivisionByZero:
        return {QString::fromLatin1(procedure), 11, QStringLiteral("Division by zero")};
    case Fault::None:
        break;
    }
    return {QString::fromLatin1(procedure), 0, QString()};
}

std::optional<float> Single(double value) {
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

std::optional<std::int32_t> Twips(double pixels) {
    return CLng(pixels * host::HostContext::TwipsPerPixelX);
}

FramePass::FramePass(gdi::DeviceContext& dc, const FrameLook& look, const FrameState& previous)
    : dc_(dc)
    , look_(look)
    , previousMixMode_(gdi::GetROP2(dc))
    , attributes_(look.surface)
    , state_(previous) {
    attributes_.drawMode = gdi::R2_COPYPEN;
    gdi::SetROP2(dc_, gdi::R2_COPYPEN);
    state_.labels.text = look.caption;
    top = state_.borderTop;
    bottom = look.scaleHeight;
}

FramePass::~FramePass() {
    gdi::SetROP2(dc_, previousMixMode_);
}

QSize FramePass::CaptionSize() const {
    // The labels show the caption, or the flood's percentage in its place.
    return state_.labels.text == look_.caption ? look_.captionSize : look_.percentSize;
}

Fault FramePass::Line(double x1, double y1, double x2, double y2, gdi::Colour colour) {
    return host::SurfaceDrawing::Line(dc_, attributes_, x1, y1, x2, y2, colour) ? Fault::None
                                                                                : Fault::Overflow;
}

Fault FramePass::Arc(double x, double y, double radius, gdi::Colour colour, double start,
                     std::optional<double> end) {
    if (radius < 0) {
        return Fault::InvalidCall;
    }
    return host::SurfaceDrawing::Circle(dc_, attributes_, x, y, radius, colour, start, end, 1.0)
               ? Fault::None
               : Fault::Overflow;
}

Fault FramePass::FilledBox(double x1, double y1, double x2, double y2, gdi::Colour colour) {
    return host::SurfaceDrawing::Box(dc_, attributes_, x1, y1, x2, y2, colour, true) ? Fault::None
                                                                                     : Fault::Overflow;
}

Fault FramePass::RoundRect(gdi::Colour pen, double left, double top, double right, double bottom,
                           double corner) {
    foreColor_ = pen;
    const auto l = CLng(left);
    const auto t = CLng(top);
    const auto r = CLng(right);
    const auto b = CLng(bottom);
    const auto c = CLng(corner);
    if (!l || !t || !r || !b || !c) {
        return Fault::Overflow;
    }
    const gdi::Pen outline = host::SurfaceDrawing::MakePen(dc_, attributes_, pen);
    const gdi::Brush brush = host::SurfaceDrawing::MakeFillBrush(dc_, attributes_);
    const gdi::ScopedSelection penSelection(dc_, gdi::SelectObject(dc_, outline));
    const gdi::ScopedSelection brushSelection(
        dc_,
        brush ? gdi::SelectObject(dc_, brush) : gdi::SelectObject(dc_, gdi::GetStockObject(gdi::NULL_BRUSH)));
    // A surface without pixels (a zero-sized frame) draws nothing, which is no error.
    gdi::RoundRect(dc_, *l, *t, *r, *b, *c, *c);
    return Fault::None;
}

void FramePass::SetInside(const char* procedure, double left, double top, double width, double height) {
    FrameInside& inside = state_.inside;
    const auto set = [&](double pixels, double& keptPixels, std::int32_t& keptTwips) {
        Run(procedure, [&] {
            const auto twips = Twips(pixels);
            if (!twips) {
                return Fault::Overflow;
            }
            keptPixels = pixels;
            keptTwips = *twips;
            return Fault::None;
        });
    };
    set(left, inside.left, inside.leftTwips);
    set(top, inside.top, inside.topTwips);
    set(width, inside.width, inside.widthTwips);
    set(height, inside.height, inside.heightTwips);
}

FramePaintResult FramePass::Finish() {
    return FramePaintResult{state_, region_, foreColor_, std::move(errors_)};
}

} // namespace kelvo::controls::framepaint
