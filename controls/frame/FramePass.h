#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "FrameLook.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/host/SurfaceDrawing.h"

// The working parts of the frame's painting, shared by the files that draw the border, the bevel, the
// caption and the flood. The public entry points are in FramePainter.h.
namespace kelvo::controls::framepaint {

// Why a statement could not run, as the run-time error it stands for.
enum class Fault { None, InvalidCall, Overflow, DivisionByZero };

FrameError ErrorOf(const char* procedure, Fault fault);

// A value kept in single precision; empty when it is out of range for one.
std::optional<float> Single(double value);
// Pixels to twips, rounded to a whole number; empty when the result does not fit 32 bits.
std::optional<std::int32_t> Twips(double pixels);

// One painting pass over a device context: the look it paints, the state it updates, the errors it
// traps. It draws in the mixing mode copy pen (the surface's draw mode 13) and puts the context's own mode
// back when it ends. Every drawing statement says whether it failed instead of stopping the pass, so each
// routine records its failed statements under its own name and carries on with the next one.
class FramePass {
public:
    FramePass(gdi::DeviceContext& dc, const FrameLook& look, const FrameState& previous);
    ~FramePass();
    FramePass(const FramePass&) = delete;
    FramePass& operator=(const FramePass&) = delete;

    template <typename Statement> void Run(const char* procedure, Statement&& statement) {
        const Fault fault = statement();
        if (fault != Fault::None) {
            errors_.push_back(ErrorOf(procedure, fault));
        }
    }

    gdi::DeviceContext& Dc() { return dc_; }
    const FrameLook& Look() const { return look_; }
    FrameState& State() { return state_; }
    // The size of the caption labels, which follow their current text.
    QSize CaptionSize() const;
    float Width() const { return look_.scaleWidth; }
    float Height() const { return look_.scaleHeight; }
    gdi::Colour Hi() const { return look_.border3DHighlight; }
    gdi::Colour Sh() const { return look_.border3DShadow; }

    // A line leaves its end point undrawn.
    Fault Line(double x1, double y1, double x2, double y2, gdi::Colour colour);
    // The arc of a circle from start counter-clockwise to end (2 pi when absent).
    Fault Arc(double x, double y, double radius, gdi::Colour colour, double start, std::optional<double> end);
    // Both corners included, solid in the colour.
    Fault FilledBox(double x1, double y1, double x2, double y2, gdi::Colour colour);
    // Sets the surface's fore colour to the pen colour, then RoundRect on the device context with that
    // pen and the fill style's brush; every value is rounded to a whole number first.
    Fault RoundRect(gdi::Colour pen, double left, double top, double right, double bottom, double corner);

    // The inside rectangle in pixels; each side is its own statement, so one that does not fit in twips
    // keeps its old value and the others still change.
    void SetInside(const char* procedure, double left, double top, double width, double height);
    void SetRegion(const FrameRegion& region) { region_ = region; }
    FramePaintResult Finish();

    // The pass's own values: top and bottom of the outer border and the corner ellipse size.
    float top = 0;
    float bottom = 0;
    std::int32_t diameter = 0;

private:
    gdi::DeviceContext& dc_;
    const FrameLook& look_;
    int previousMixMode_;
    host::SurfaceDrawing::Attributes attributes_;
    FrameState state_;
    std::optional<gdi::Colour> foreColor_;
    std::optional<FrameRegion> region_;
    std::vector<FrameError> errors_;
};

// The quarter arcs of the 3-D lines run between these literal angles, not exact quarter turns: they stop
// just short of a full quarter, as they always have.
inline constexpr double Angle90 = 1.57;
inline constexpr double Angle180 = 3.14;
inline constexpr double Angle270 = 4.71;
inline constexpr double Angle360 = 6.28;

// The routines of the pass, under the names their errors are logged with.
inline constexpr const char* ResizeProcedure = "UserControl_Resize";
inline constexpr const char* BevelProcedure = "DrawBevelInner";
inline constexpr const char* AlignmentProcedure = "DrawCaptionAlignment";
inline constexpr const char* StyleProcedure = "DrawCaptionStyle";
inline constexpr const char* FloodProcedure = "DrawFlood";

// The border of the border type and the window region it names; the inner bevel and its inside
// rectangle, then the flood.
void DrawBorder(FramePass& pass);
void DrawBevelInner(FramePass& pass);
void DrawCaptionAlignment(FramePass& pass);
void DrawCaptionStyle(FramePass& pass);
void DrawFlood(FramePass& pass);

} // namespace kelvo::controls::framepaint
