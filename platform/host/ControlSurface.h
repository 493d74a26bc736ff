#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QImage>
#include <QSize>

#include "FontObject.h"
#include "PictureObject.h"
#include "SurfaceDrawing.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"

class QShortcut;
class QWidget;

namespace kelvo::host {

class HostContext;

// The drawing surface of a skinned control: an RGB32 image that keeps whatever is drawn on it until it is
// cleared or drawn over, the device context that draws into it, and the properties drawing follows. The
// window that shows it only copies it to the screen.
//
// Whatever draws on the surface schedules a repaint of its window: every operation here, and taking the
// device context for drawing (hDC()). So drawing done from code, in a handler or in the middle of a long
// routine that lets events run, reaches the screen in the next turn of the event loop. A drawing step
// takes the context afresh through hDC(); a reference kept from an earlier step draws unseen until
// something else repaints.
//
// The context always has the surface's pen (fore colour, draw style and width), fill brush (fill style
// and colour), font, text colour (fore colour), background colour and mode (transparent unless
// FontTransparent is off) and mixing mode (draw mode) selected. The scale is always pixels from 0, 0. A
// resize keeps the old drawing where it still fits and fills the new part with BackColor and Picture.
class ControlSurface {
public:
    // accessKeyPressed is called with the key when one of the access keys is pressed with Alt.
    ControlSurface(const HostContext& host, QWidget& window, std::function<void(QChar)> accessKeyPressed);
    ~ControlSurface();
    ControlSurface(const ControlSurface&) = delete;
    ControlSurface& operator=(const ControlSurface&) = delete;

    QWidget* hWnd() const { return &window_; }
    // The context to draw with; valid for the surface's whole life.
    gdi::DeviceContext& hDC();
    const gdi::DeviceContext& hDC() const { return *dc_; }
    const QImage& Image() const { return image_; }
    // Counts the changes to the surface (every operation, every hDC(), a resize): a caller that finds the
    // count where it left it knows the image still holds what it drew there.
    std::uint64_t Changes() const { return changes_; }

    std::int32_t ScaleWidth() const;
    std::int32_t ScaleHeight() const;

    gdi::Colour BackColor() const { return backColor_; }
    // Clears the surface to the new colour.
    void SetBackColor(gdi::Colour colour);
    gdi::Colour ForeColor() const { return foreColor_; }
    void SetForeColor(gdi::Colour colour);
    // 0 transparent, 1 opaque: kept for the controls that store it; the surface is always opaque.
    std::int16_t BackStyle() const { return backStyle_; }
    void SetBackStyle(std::int16_t style) { backStyle_ = style; }
    // The window's own enabled state (not the container's): there is no other copy of it, so a window
    // disabled directly through Qt reads as disabled here too.
    bool Enabled() const;
    void SetEnabled(bool enabled);
    const FontObject& Font() const { return font_; }
    void SetFont(const FontObject& font);
    // Text drawn on the surface leaves the background behind it (true, the default) or paints BackColor.
    bool FontTransparent() const { return fontTransparent_; }
    void SetFontTransparent(bool transparent);
    // With AutoRedraw on, the control is not asked to Paint: the surface alone is shown.
    bool AutoRedraw() const { return autoRedraw_; }
    void SetAutoRedraw(bool autoRedraw) { autoRedraw_ = autoRedraw; }
    // Cursor kind (MousePointers) and cursor picture; false (nothing changed) for a kind outside the
    // list or a picture that is not an icon.
    std::int16_t MousePointer() const { return mousePointer_; }
    bool SetMousePointer(std::int16_t pointer);
    const PictureObject& MouseIcon() const { return mouseIcon_; }
    bool SetMouseIcon(const PictureObject& icon);
    // The characters that, pressed with Alt anywhere in the window, raise AccessKeyPress (compared
    // without regard to case; letters and digits only).
    const QString& AccessKeys() const { return accessKeys_; }
    void SetAccessKeys(const QString& keys);
    // Draw mode 1-16, draw style 0-6, draw width 1-32767, fill style 0-7; out-of-range values are
    // refused (false) and change nothing.
    std::int16_t DrawMode() const { return attributes_.drawMode; }
    bool SetDrawMode(std::int16_t mode);
    std::int16_t DrawStyle() const { return attributes_.drawStyle; }
    bool SetDrawStyle(std::int16_t style);
    std::int16_t DrawWidth() const { return attributes_.drawWidth; }
    bool SetDrawWidth(std::int16_t width);
    std::int16_t FillStyle() const { return attributes_.fillStyle; }
    bool SetFillStyle(std::int16_t style);
    gdi::Colour FillColor() const { return attributes_.fillColor; }
    void SetFillColor(gdi::Colour colour);
    const SurfaceDrawing::Attributes& Attributes() const { return attributes_; }
    // The background picture, drawn at the top left under everything else; setting it clears.
    const PictureObject& Picture() const { return picture_; }
    void SetPicture(const PictureObject& picture);
    float CurrentX() const { return currentX_; }
    float CurrentY() const { return currentY_; }

    // Back to BackColor with Picture at the top left; the current position goes to 0, 0.
    void Cls();
    // Puts the surface on the screen now (as soon as the window can be painted when it is hidden) and
    // has the control Paint first.
    void Refresh();
    // Coordinates are pixels; a colour left out is ForeColor. Each returns false when it drew nothing
    // because an argument was out of range. Boxes cover both corners.
    bool Line(float x1, float y1, float x2, float y2, std::optional<gdi::Colour> colour = std::nullopt);
    bool LineBox(float x1, float y1, float x2, float y2, std::optional<gdi::Colour> colour = std::nullopt);
    bool LineBoxFilled(float x1, float y1, float x2, float y2,
                       std::optional<gdi::Colour> colour = std::nullopt);
    bool Circle(float x, float y, float radius, std::optional<gdi::Colour> colour = std::nullopt,
                std::optional<double> start = std::nullopt, std::optional<double> end = std::nullopt,
                double aspect = 1.0);

private:
    // The control's window drives the surface's size and its copies to the screen.
    friend class UserControl;
    // The size of the window, cut to the host's largest side. False when it was already that.
    bool Resize(QSize size);
    // The next copy to the screen comes with a Paint (a first show, a resize, Refresh).
    void RequestPaint() { paintRequested_ = true; }
    // Starts a copy to the screen; true when the control is to Paint first.
    bool BeginPaint();
    void EndPaint(const QRect& area);

    void Changed();
    void ClearImage(QImage& image) const;
    void SelectPen();
    void SelectBrush();
    void SelectFont();
    void ApplyCursor();

    const HostContext& host_;
    QWidget& window_;
    std::function<void(QChar)> accessKeyPressed_;
    QImage image_;
    std::unique_ptr<gdi::DeviceContext> dc_;
    gdi::Pen pen_;
    gdi::Brush brush_;
    gdi::Font gdiFont_;
    SurfaceDrawing::Attributes attributes_;
    gdi::Colour backColor_{0x8000000Fu};
    gdi::Colour foreColor_{0x80000012u};
    std::int16_t backStyle_ = 1;
    FontObject font_;
    bool fontTransparent_ = true;
    bool autoRedraw_ = false;
    std::int16_t mousePointer_ = 0;
    PictureObject mouseIcon_;
    QString accessKeys_;
    std::vector<QShortcut*> shortcuts_;
    PictureObject picture_;
    float currentX_ = 0;
    float currentY_ = 0;
    bool painting_ = false;
    bool paintRequested_ = false;
    std::uint64_t changes_ = 0;
};

} // namespace kelvo::host
