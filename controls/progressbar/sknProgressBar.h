#pragma once

#include <cstdint>
#include <optional>

#include "controls/progressbar/ProgressBarBackBuffer.h"
#include "controls/progressbar/ProgressBarLook.h"
#include "platform/gdi/Colour.h"
#include "platform/host/FontObject.h"
#include "platform/host/PictureObject.h"
#include "platform/host/PropertyTable.h"
#include "platform/host/UserControl.h"

namespace kelvo::controls {

// The skinned progress bar: one of ten drawing styles (Scrolling), painted whole into an off-screen back
// buffer and copied to the surface in one step. The optimization pass writes Max and Value; every Value
// write paints at once and the copy reaches the screen in the next turn of the event loop. A write that
// leaves the bar exactly as it is on the surface (the pass writes the same value for ten blocks in a row)
// skips the paint it would repeat, and a paint that ends with the pixels the surface already shows skips
// the copy, so the window is not repainted for nothing.
//
// No setter checks its argument: a value past Max or below 0, a Max of 0 or below, and styles,
// orientations and fill directions outside their lists are all accepted; the painter draws something
// for each of them (a Max of 0 draws an empty bar with "0 %").
//
// Only Value repaints and then refreshes; Color, Orientation, Scrolling and ShowText repaint; Image
// repaints and is the only property that tells the host it changed; the others only store.
class sknProgressBar : public host::UserControl {
    Q_OBJECT

public:
    QAccessibleInterface* CreateAccessible() override;
    explicit sknProgressBar(host::HostContext& host, QWidget* parent = nullptr);
    ~sknProgressBar() override;

    // Reading gives the resolved RGB value; a system colour is resolved when it is written.
    gdi::Colour Color() const { return colour_; }
    void SetColor(gdi::Colour colour);
    std::int32_t eBrushStyle() const { return brushStyle_; }
    void SeteBrushStyle(std::int32_t style);
    std::int32_t FillOrEmpty() const { return fillOrEmpty_; }
    void SetFillOrEmpty(std::int32_t fillOrEmpty);
    const host::FontObject& Font() const { return font_; }
    void SetFont(const host::FontObject& font);
    const host::PictureObject& Image() const { return picture_; }
    void SetImage(const host::PictureObject& picture);
    std::int32_t Max() const { return max_; }
    void SetMax(std::int32_t max);
    std::int32_t Min() const { return min_; }
    void SetMin(std::int32_t min);
    std::int32_t Orientation() const { return orientation_; }
    void SetOrientation(std::int32_t orientation);
    std::int32_t Scrolling() const { return style_; }
    void SetScrolling(std::int32_t style);
    bool ShowText() const { return showText_; }
    void SetShowText(bool showText);
    std::int32_t Value() const { return value_; }
    void SetValue(std::int32_t value);

    // The context painting goes to: the back buffer's, or the surface's when there is no buffer. Writing
    // ignores its argument and makes sure of a buffer of the current size.
    gdi::DeviceContext& hDC();
    void SethDC();
    QWidget* hwnd() const { return Surface().hWnd(); }

    // Paints the whole bar and copies it to the surface.
    void DrawProgressBar();
    // Copies the back buffer to target (sizes below 1 mean the buffer's own); false without a buffer.
    bool pDraw(gdi::DeviceContext& target, std::int32_t sourceX = 0, std::int32_t sourceY = 0,
               std::int32_t width = 0, std::int32_t height = 0, std::int32_t destinationX = 0,
               std::int32_t destinationY = 0) const;
    const progressbar::ProgressBarBackBuffer& BackBuffer() const { return buffer_; }
    // The text the bar shows for its current value ("45 %", "Searching.." for the marquee).
    QString PercentText() const;

    progressbar::ProgressBarLook Look() const;
    static const host::PropertyTable<sknProgressBar>& Properties();

protected:
    void UserControl_Initialize() override;
    void UserControl_ReadProperties(host::PropertyBag& bag) override;
    void UserControl_WriteProperties(host::PropertyBag& bag) override;
    void UserControl_Resize() override;
    void UserControl_Paint() override;
    void UserControl_Terminate() override;

private:
    friend class host::PropertyTable<sknProgressBar>;
    void ApplyEffects(unsigned effects);
    gdi::Colour colour_;
    std::int32_t max_ = 0;
    std::int32_t min_ = 0;
    std::int32_t value_ = 0;
    bool showText_ = false;
    std::int32_t fillOrEmpty_ = 0;
    std::int32_t style_ = 0;
    std::int32_t orientation_ = 0;
    std::int32_t brushStyle_ = 0;
    host::PictureObject picture_;
    // Set once a back buffer has been made: the paint then ends with a copy to the surface.
    bool bufferInUse_ = false;
    progressbar::ProgressBarBackBuffer buffer_;
    host::FontObject font_;
    // The installed font font_ stands for, found once per font rather than at every paint.
    QFont installedFont_;
    progressbar::ProgressBarState state_;

    // What the last paint through the back buffer started from, and the surface's change count once its
    // result was there.
    struct PaintRecord {
        progressbar::ProgressBarLook look;
        progressbar::ProgressBarState state;
        gdi::DrawingState dc;
        std::uint64_t surfaceChanges = 0;
    };
    std::optional<PaintRecord> lastPaint_;
    // Whether a paint now would start exactly as the last one did, so it would draw the pixels the surface
    // still holds and leave the same state.
    bool PaintWouldRepeat() const;
};

} // namespace kelvo::controls
