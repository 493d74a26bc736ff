#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include <QImage>
#include <QSize>

#include "FontObject.h"
#include "PictureObject.h"
#include "SurfaceDrawing.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"

namespace kelvo::host {

class HostContext;

// The retained surface of a control: an RGB32 image that keeps whatever is drawn on it until it is
// cleared, and the device context that draws into it. The context always has the surface's pen (fore
// colour, draw style and width), fill brush (fill style and colour), font, text colour (fore colour),
// background colour and mode (transparent unless FontTransparent is off) and mixing mode (draw mode)
// selected, so that drawing through it follows the surface's properties.
class ControlSurface {
public:
    explicit ControlSurface(const HostContext& host);
    ~ControlSurface();
    ControlSurface(const ControlSurface&) = delete;
    ControlSurface& operator=(const ControlSurface&) = delete;

    const QImage& Image() const { return image_; }
    gdi::DeviceContext& Dc() { return *dc_; }

    // Gives the image a new size, keeping the old drawing where it still fits and filling the new part
    // with the background colour and picture. False when the size was already that.
    bool Resize(QSize size);
    // Back to the background colour with the picture at the top left; the current position goes to 0, 0.
    void Clear();

    gdi::Colour BackColor() const { return backColor_; }
    // Clears the surface to the new colour.
    void SetBackColor(gdi::Colour colour);
    gdi::Colour ForeColor() const { return foreColor_; }
    void SetForeColor(gdi::Colour colour);
    const FontObject& Font() const { return font_; }
    void SetFont(const FontObject& font);
    bool FontTransparent() const { return fontTransparent_; }
    void SetFontTransparent(bool transparent);
    const SurfaceDrawing::Attributes& Attributes() const { return attributes_; }
    bool SetDrawMode(std::int16_t mode);
    bool SetDrawStyle(std::int16_t style);
    bool SetDrawWidth(std::int16_t width);
    bool SetFillStyle(std::int16_t style);
    void SetFillColor(gdi::Colour colour);
    const PictureObject& Picture() const { return picture_; }
    // Clears the surface to show the new picture.
    void SetPicture(const PictureObject& picture);
    float CurrentX() const { return currentX_; }
    float CurrentY() const { return currentY_; }

    bool Line(float x1, float y1, float x2, float y2, std::optional<gdi::Colour> colour);
    bool LineBox(float x1, float y1, float x2, float y2, std::optional<gdi::Colour> colour, bool filled);
    bool Circle(float x, float y, float radius, std::optional<gdi::Colour> colour,
                std::optional<double> start, std::optional<double> end, double aspect);

private:
    void ClearImage(QImage& image) const;
    void SelectPen();
    void SelectBrush();
    void SelectFont();

    const HostContext& host_;
    QImage image_;
    std::unique_ptr<gdi::DeviceContext> dc_;
    gdi::Pen pen_;
    gdi::Brush brush_;
    gdi::Font gdiFont_;
    SurfaceDrawing::Attributes attributes_;
    gdi::Colour backColor_{0x8000000Fu};
    gdi::Colour foreColor_{0x80000012u};
    FontObject font_;
    bool fontTransparent_ = true;
    PictureObject picture_;
    float currentX_ = 0;
    float currentY_ = 0;
};

} // namespace kelvo::host
