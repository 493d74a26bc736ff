#include "SurfaceDrawing.h"

#include <cmath>
#include <numbers>

#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/Lines.h"
#include "platform/gdi/ScopedSelection.h"
#include "platform/gdi/Shapes.h"
#include "platform/numeric/Numeric.h"

namespace kelvo::host {

namespace {

using numeric::CLng;

struct Box {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

// The rectangle covering both corners, right and bottom exclusive; empty when a coordinate is out of
// range.
std::optional<Box> CornersBox(double x1, double y1, double x2, double y2) {
    const auto left = CLng(std::min(x1, x2));
    const auto top = CLng(std::min(y1, y2));
    const auto right = CLng(std::max(x1, x2));
    const auto bottom = CLng(std::max(y1, y2));
    if (!left || !top || !right || !bottom) {
        return std::nullopt;
    }
    const auto rightOut = numeric::CheckedAdd(*right, 1);
    const auto bottomOut = numeric::CheckedAdd(*bottom, 1);
    if (!rightOut || !bottomOut) {
        return std::nullopt;
    }
    return Box{*left, *top, *rightOut, *bottomOut};
}

bool ValidAngle(std::optional<double> angle) {
    return !angle || (std::isfinite(*angle) && std::fabs(*angle) <= 2 * std::numbers::pi + 1e-9);
}

} // namespace

gdi::Pen SurfaceDrawing::MakePen(const gdi::DeviceContext& dc, const Attributes& attributes,
                                 gdi::Colour colour) {
    int style = attributes.drawStyle;
    // Dashes and dots exist only for thin lines; wider ones draw solid.
    if (attributes.drawWidth > 1 && style >= gdi::PS_DASH && style <= gdi::PS_DASHDOTDOT) {
        style = gdi::PS_SOLID;
    }
    return gdi::CreatePen(style, attributes.drawWidth, dc.Colours().Resolve(colour));
}

gdi::Brush SurfaceDrawing::MakeFillBrush(const gdi::DeviceContext& dc, const Attributes& attributes) {
    const gdi::Colour colour = dc.Colours().Resolve(attributes.fillColor);
    if (attributes.fillStyle == 0) {
        return gdi::CreateSolidBrush(colour);
    }
    if (attributes.fillStyle >= 2 && attributes.fillStyle <= 7) {
        return gdi::CreateHatchBrush(attributes.fillStyle - 2, colour);
    }
    return gdi::Brush();
}

bool SurfaceDrawing::Line(gdi::DeviceContext& dc, const Attributes& attributes, double x1, double y1,
                          double x2, double y2, gdi::Colour colour) {
    const auto fromX = CLng(x1);
    const auto fromY = CLng(y1);
    const auto toX = CLng(x2);
    const auto toY = CLng(y2);
    if (!fromX || !fromY || !toX || !toY) {
        return false;
    }
    const gdi::Pen pen = MakePen(dc, attributes, colour);
    const gdi::ScopedSelection selection(dc, gdi::SelectObject(dc, pen));
    gdi::MoveToEx(dc, *fromX, *fromY, nullptr);
    gdi::LineTo(dc, *toX, *toY);
    return true;
}

bool SurfaceDrawing::Box(gdi::DeviceContext& dc, const Attributes& attributes, double x1, double y1,
                         double x2, double y2, gdi::Colour colour, bool filled) {
    const std::optional<host::Box> box = CornersBox(x1, y1, x2, y2);
    if (!box) {
        return false;
    }
    if (filled) {
        // One-pixel outline and inside in the same colour: exactly the pixels between the corners,
        // under the surface's draw mode, whatever its draw style and width.
        const gdi::Pen pen = gdi::CreatePen(gdi::PS_SOLID, 1, dc.Colours().Resolve(colour));
        const gdi::Brush brush = gdi::CreateSolidBrush(dc.Colours().Resolve(colour));
        const gdi::ScopedSelection penSelection(dc, gdi::SelectObject(dc, pen));
        const gdi::ScopedSelection brushSelection(dc, gdi::SelectObject(dc, brush));
        gdi::Rectangle(dc, box->left, box->top, box->right, box->bottom);
        return true;
    }
    const gdi::Pen pen = MakePen(dc, attributes, colour);
    const gdi::ScopedSelection selection(dc, gdi::SelectObject(dc, pen));
    gdi::Rectangle(dc, box->left, box->top, box->right, box->bottom);
    return true;
}

bool SurfaceDrawing::Circle(gdi::DeviceContext& dc, const Attributes& attributes, double x, double y,
                            double radius, gdi::Colour colour, std::optional<double> start,
                            std::optional<double> end, double aspect) {
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(radius) || radius < 0 ||
        !std::isfinite(aspect) || aspect <= 0 || !ValidAngle(start) || !ValidAngle(end)) {
        return false;
    }
    const double rx = aspect <= 1 ? radius : radius / aspect;
    const double ry = aspect <= 1 ? radius * aspect : radius;
    // The figure covers the centre column and rx columns either side, rows likewise.
    const std::optional<host::Box> box = CornersBox(x - rx, y - ry, x + rx, y + ry);
    if (!box) {
        return false;
    }
    if (radius == 0) {
        return true;
    }
    const gdi::Pen pen = MakePen(dc, attributes, colour);
    const gdi::ScopedSelection selection(dc, gdi::SelectObject(dc, pen));
    if (!start && !end) {
        gdi::Ellipse(dc, box->left, box->top, box->right, box->bottom);
        return true;
    }
    const double from = std::fabs(start.value_or(0.0));
    const double to = std::fabs(end.value_or(2 * std::numbers::pi));
    // Arc takes the ends as directions from the centre: points well outside the figure give them
    // without rounding trouble. Screen rows grow downwards, so a counter-clockwise angle goes up.
    const double cx = (box->left + box->right) / 2.0;
    const double cy = (box->top + box->bottom) / 2.0;
    const double reach = 4.0 * (rx + ry + 1.0);
    const auto direction = [&](double angle, double scaleX, double scaleY) {
        return std::pair{CLng(cx + scaleX * std::cos(angle)), CLng(cy - scaleY * std::sin(angle))};
    };
    const auto [startX, startY] = direction(from, reach, reach);
    const auto [endX, endY] = direction(to, reach, reach);
    if (!startX || !startY || !endX || !endY) {
        return false;
    }
    gdi::Arc(dc, box->left, box->top, box->right, box->bottom, *startX, *startY, *endX, *endY);
    // A negative angle also draws the radius to its end of the arc.
    for (const auto& [angle, negative] :
         {std::pair{from, start.value_or(0.0) < 0}, std::pair{to, end.value_or(0.0) < 0}}) {
        if (!negative) {
            continue;
        }
        const auto [edgeX, edgeY] = direction(angle, rx, ry);
        const auto centreX = CLng(x);
        const auto centreY = CLng(y);
        if (edgeX && edgeY && centreX && centreY) {
            gdi::MoveToEx(dc, *centreX, *centreY, nullptr);
            gdi::LineTo(dc, *edgeX, *edgeY);
        }
    }
    return true;
}

} // namespace kelvo::host
