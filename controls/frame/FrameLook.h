#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

#include "platform/gdi/Colour.h"
#include "platform/host/SurfaceDrawing.h"

namespace kelvo::controls {

// Everything the 3-D frame's painting reads: the frame's own fields, the surface values it paints with and
// the text its caption labels carry. Values are taken exactly as stored, out-of-range ones included; the
// painting copes with them.
struct FrameLook {
    // The surface's scale width and height in pixels (SW and SH).
    float scaleWidth = 0;
    float scaleHeight = 0;

    std::int32_t borderType = 1;
    std::int32_t bevelInner = 0;
    std::int32_t bevelWidth = 3;
    std::int32_t cornerRadius = 7;
    std::int32_t caption3D = 0;
    std::int32_t captionAlignment = 0;
    std::int32_t captionLocation = 0;
    std::int32_t fillGradient = 0;
    std::int32_t floodPercent = 0;
    std::int32_t floodType = 0;
    bool floodShowPct = false;

    // Colour references, system colours included; they are resolved against the device context's table.
    gdi::Colour border3DHighlight{0x80000014u};
    gdi::Colour border3DShadow{0x80000010u};
    gdi::Colour backColor{0x8000000Fu};
    gdi::Colour floodColor{0x00FFC19Fu};

    // The surface's fill colour and style and its draw style and width; the pass always draws with draw
    // mode 13 (copy pen), whatever this says.
    host::SurfaceDrawing::Attributes surface{13, 0, 1, 1, gdi::Colour(0x00FFC19Fu)};
    // The surface's background picture: clearing shows it at the top left over the back colour.
    QImage picture;

    // The caption label's current text.
    QString caption;
    // The caption labels size themselves to their text: the size in pixels the caption, and the flood's
    // percentage (FloodPercentText, measured only when FloodShowPct is on), take in their font.
    QSize captionSize;
    QSize percentSize;
};

// Where the pass leaves the three labels, in pixels of the surface. The caption and its shadow copy
// always carry the same text.
struct FrameLabels {
    QString text;
    QPointF caption;
    bool shadowVisible = false;
    QPointF shadow;
    bool blankVisible = false;
    QRectF blank;
};

// The inside rectangle left by the border and the inner bevel: in pixels, and in twips as the control
// reports it (each rounded to a whole number, halves to even).
struct FrameInside {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    std::int32_t leftTwips = 0;
    std::int32_t topTwips = 0;
    std::int32_t widthTwips = 0;
    std::int32_t heightTwips = 0;
};

// The control's fields that painting computes and keeps between passes. A step that fails leaves the
// value it would have set as it was, so the previous state goes in and the new one comes out.
struct FrameState {
    float borderTop = 0;
    float captionLeft = 0;
    float captionTop = 0;
    FrameInside inside;
    FrameLabels labels;
};

// The window region a pass sets: CreateRoundRectRgn(left, top, right, bottom, corner, corner).
struct FrameRegion {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t corner = 0;

    friend bool operator==(const FrameRegion&, const FrameRegion&) = default;
};

// A trapped run-time error: the routine it happened in, the error's number and its description, as the
// error log records them.
struct FrameError {
    QString procedure;
    std::int32_t number = 0;
    QString description;

    friend bool operator==(const FrameError&, const FrameError&) = default;
};

struct FramePaintResult {
    FrameState state;
    // Absent when the pass could not make one: the window keeps the region it has.
    std::optional<FrameRegion> region;
    // The surface's fore colour after the pass (the border pens set it); absent when no step set it.
    std::optional<gdi::Colour> foreColor;
    // In the order they happened; the control logs each one and goes on.
    std::vector<FrameError> errors;
};

} // namespace kelvo::controls
