#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <QImage>
#include <QWidget>

#include "AmbientValues.h"
#include "ClickTracker.h"
#include "ControlSurface.h"
#include "FontObject.h"
#include "HostedObject.h"
#include "PictureObject.h"
#include "platform/gdi/DeviceContext.h"

class QShortcut;

namespace kelvo::host {

class HostContext;
class PropertyBag;

// The base of every skinned control: a window with a retained surface. Whatever is drawn on the
// surface (through hDC() or the Line, box and Circle operations) stays there until it is cleared or
// drawn over; painting the window only copies the surface to the screen. The surface always works in
// pixels. A resize keeps the old drawing where it still fits and fills the new part with BackColor.
//
// The host sends the notifications below as virtual functions, in this order: Initialize, then
// InitProperties for a new instance or ReadProperties for a stored one, Resize, Show, Paint (only when
// AutoRedraw is off, whenever the window is painted), Hide, WriteProperties when saved, Terminate.
// Input arrives as Button (1 left, 2 right, 4 middle), Shift (1 Shift, 2 Ctrl, 4 Alt), X and Y in
// pixels, KeyCode/Shift and KeyAscii; the handlers receive them by reference like the events a control
// raises, which are Qt signals with reference arguments connected directly.
class UserControl : public QWidget, public HostedObject {
    Q_OBJECT

public:
    explicit UserControl(HostContext& host, QWidget* parent = nullptr);
    ~UserControl() override;

    // Life, as the form drives it (a test may drive it the same way).
    void LoadNew() override;
    void LoadStored(PropertyBag& bag) override;
    void Save(PropertyBag& bag) override;
    void Unload() override;
    QObject* Object() override { return this; }
    QWidget* Widget() override { return this; }
    bool IsLoaded() const { return loaded_; }

    // Ambient values of the container; a change after loading raises AmbientChanged with its name.
    void SetAmbient(const AmbientValues& ambient) override;
    const AmbientValues& Ambient() const { return ambient_; }
    bool AmbientUserMode() const;
    HostContext& Host() const { return host_; }

    // The window and its device context (valid for the control's whole life; it always draws on the
    // current surface).
    QWidget* hWnd() { return this; }
    gdi::DeviceContext& hDC() { return surface_.Dc(); }
    const QImage& Surface() const { return surface_.Image(); }

    // Scale: always pixels (scale mode 3), starting at 0, 0.
    static constexpr std::int16_t ScaleMode() { return 3; }
    static constexpr std::int32_t ScaleLeft() { return 0; }
    static constexpr std::int32_t ScaleTop() { return 0; }
    std::int32_t ScaleWidth() const { return width(); }
    std::int32_t ScaleHeight() const { return height(); }
    // Place and size in host units (twips) within the container. A new size raises Resize at once, also
    // from inside a Resize handler (up to a few levels deep).
    std::int32_t Left() const;
    std::int32_t Top() const;
    std::int32_t Width() const;
    std::int32_t Height() const;
    void SetWidth(std::int32_t twips);
    void SetHeight(std::int32_t twips);
    void Move(std::int32_t leftTwips, std::int32_t topTwips, std::int32_t widthTwips,
              std::int32_t heightTwips);
    // The largest surface side in pixels; bigger sizes are cut to it.
    static constexpr int MaxSide = 4096;

    // Surface properties. A new BackColor clears the surface to it.
    gdi::Colour BackColor() const { return surface_.BackColor(); }
    void SetBackColor(gdi::Colour colour);
    gdi::Colour ForeColor() const { return surface_.ForeColor(); }
    void SetForeColor(gdi::Colour colour) { surface_.SetForeColor(colour); }
    // 0 transparent, 1 opaque: kept for the controls that store it; the surface is always opaque.
    std::int16_t BackStyle() const { return backStyle_; }
    void SetBackStyle(std::int16_t style) { backStyle_ = style; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    const FontObject& Font() const { return surface_.Font(); }
    void SetFont(const FontObject& font) { surface_.SetFont(font); }
    // Text drawn on the surface leaves the background behind it (true, the default) or paints BackColor.
    bool FontTransparent() const { return surface_.FontTransparent(); }
    void SetFontTransparent(bool transparent) { surface_.SetFontTransparent(transparent); }
    bool AutoRedraw() const { return autoRedraw_; }
    void SetAutoRedraw(bool autoRedraw) { autoRedraw_ = autoRedraw; }
    // Cursor kind (MousePointers) and cursor picture; false (nothing changed) for a kind outside the
    // list or a picture that is not an icon.
    std::int16_t MousePointer() const { return mousePointer_; }
    bool SetMousePointer(std::int16_t pointer);
    const PictureObject& MouseIcon() const { return mouseIcon_; }
    bool SetMouseIcon(const PictureObject& icon);
    // The characters that, pressed with Alt, raise AccessKeyPress (compared without regard to case).
    const QString& AccessKeys() const { return accessKeys_; }
    void SetAccessKeys(const QString& keys);
    // Draw mode 1-16, draw style 0-6, draw width 1-32767, fill style 0-7; out-of-range values are
    // refused (false) and change nothing.
    std::int16_t DrawMode() const { return surface_.Attributes().drawMode; }
    bool SetDrawMode(std::int16_t mode) { return surface_.SetDrawMode(mode); }
    std::int16_t DrawStyle() const { return surface_.Attributes().drawStyle; }
    bool SetDrawStyle(std::int16_t style) { return surface_.SetDrawStyle(style); }
    std::int16_t DrawWidth() const { return surface_.Attributes().drawWidth; }
    bool SetDrawWidth(std::int16_t width) { return surface_.SetDrawWidth(width); }
    std::int16_t FillStyle() const { return surface_.Attributes().fillStyle; }
    bool SetFillStyle(std::int16_t style) { return surface_.SetFillStyle(style); }
    gdi::Colour FillColor() const { return surface_.Attributes().fillColor; }
    void SetFillColor(gdi::Colour colour) { surface_.SetFillColor(colour); }
    // The background picture, drawn at the top left under everything else; setting it clears.
    const PictureObject& Picture() const { return surface_.Picture(); }
    void SetPicture(const PictureObject& picture);
    float CurrentX() const { return surface_.CurrentX(); }
    float CurrentY() const { return surface_.CurrentY(); }

    // Operations. Coordinates are pixels; a colour left out is ForeColor. Each returns false when it
    // drew nothing because an argument was out of range.
    void Cls();
    // Puts the surface on the screen now (or as soon as painting is possible).
    void Refresh();
    bool Line(float x1, float y1, float x2, float y2, std::optional<gdi::Colour> colour = std::nullopt) {
        return surface_.Line(x1, y1, x2, y2, colour);
    }
    bool LineBox(float x1, float y1, float x2, float y2, std::optional<gdi::Colour> colour = std::nullopt) {
        return surface_.LineBox(x1, y1, x2, y2, colour, false);
    }
    bool LineBoxFilled(float x1, float y1, float x2, float y2,
                       std::optional<gdi::Colour> colour = std::nullopt) {
        return surface_.LineBox(x1, y1, x2, y2, colour, true);
    }
    bool Circle(float x, float y, float radius, std::optional<gdi::Colour> colour = std::nullopt,
                std::optional<double> start = std::nullopt, std::optional<double> end = std::nullopt,
                double aspect = 1.0) {
        return surface_.Circle(x, y, radius, colour, start, end, aspect);
    }

signals:
    // The control told the host that a stored property changed.
    void PropertyChangeNotified(const QString& name);

protected:
    void PropertyChanged(const QString& name);

    virtual void UserControl_Initialize() {}
    virtual void UserControl_InitProperties() {}
    virtual void UserControl_ReadProperties(PropertyBag& bag) { static_cast<void>(bag); }
    virtual void UserControl_Resize() {}
    virtual void UserControl_Show() {}
    virtual void UserControl_Paint() {}
    virtual void UserControl_Hide() {}
    virtual void UserControl_WriteProperties(PropertyBag& bag) { static_cast<void>(bag); }
    virtual void UserControl_Terminate() {}
    virtual void UserControl_Click() {}
    virtual void UserControl_DblClick() {}
    virtual void UserControl_MouseDown(std::int16_t& button, std::int16_t& shift, float& x, float& y);
    virtual void UserControl_MouseMove(std::int16_t& button, std::int16_t& shift, float& x, float& y);
    virtual void UserControl_MouseUp(std::int16_t& button, std::int16_t& shift, float& x, float& y);
    virtual void UserControl_KeyDown(std::int16_t& keyCode, std::int16_t& shift);
    virtual void UserControl_KeyUp(std::int16_t& keyCode, std::int16_t& shift);
    virtual void UserControl_KeyPress(std::int16_t& keyAscii);
    virtual void UserControl_GotFocus() {}
    virtual void UserControl_LostFocus() {}
    virtual void UserControl_AccessKeyPress(std::int16_t keyAscii) { static_cast<void>(keyAscii); }
    virtual void UserControl_AmbientChanged(const QString& propertyName) { static_cast<void>(propertyName); }

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Initialize();
    void ApplySize(int widthPixels, int heightPixels);
    void SyncSurface();
    void ApplyCursor();
    void FireAccessKey(QChar key);
    bool InsideForClick(const QPointF& position) const;
    // Schedules a repaint when the surface changed since it was last put on the screen. Drawing through
    // the device context does not tell the window, so this runs after every input notification and
    // whenever the event loop is about to wait.
    void FlushSurface();

    HostContext& host_;
    AmbientValues ambient_;
    ControlSurface surface_;
    std::int16_t backStyle_ = 1;
    bool enabled_ = true;
    bool autoRedraw_ = false;
    std::int16_t mousePointer_ = 0;
    PictureObject mouseIcon_;
    QString accessKeys_;
    std::vector<QShortcut*> shortcuts_;

    bool initialized_ = false;
    bool loaded_ = false;
    bool terminated_ = false;
    bool shown_ = false;
    bool painting_ = false;
    // Paint is raised for a first show, a resize and Refresh, not for every copy of the surface: drawing
    // in a Paint handler must not lead to another Paint.
    bool paintPending_ = false;
    qint64 shownKey_ = 0;
    int resizeDepth_ = 0;
    ClickTracker clicks_;
};

} // namespace kelvo::host
