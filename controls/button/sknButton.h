#pragma once

#include <cstdint>
#include <memory>

#include <QTimer>

#include "controls/button/ButtonBackground.h"
#include "controls/button/ButtonLook.h"
#include "platform/host/PictureObject.h"
#include "platform/host/PropertyTable.h"
#include "platform/host/UserControl.h"

namespace kelvo::controls {

// The skinned push button: fourteen drawing styles in four colour schemes, a caption with an access key,
// an optional picture, a hover look kept up to date by polling the cursor, and an optional check-box
// behaviour that keeps it pressed while its Value is on. Everything it shows is drawn by PaintButton on
// its own surface; the window is cut to the style's shape, so clicks outside it reach what lies behind.
//
// Setters store, rebuild what depends on the value, repaint (unless refreshing is off) and notify the
// host under the stored key's name, with one exception: PictureOver notifies "PICO" but is stored as
// "PICH". Reading a stored button fills the fields quietly; only "HAND" goes through its setter.
class sknButton : public host::UserControl {
    Q_OBJECT

public:
    explicit sknButton(host::HostContext& host, QWidget* parent = nullptr);
    ~sknButton() override;

    QAccessibleInterface* CreateAccessible() override;

    std::int32_t ButtonType() const { return look_.ButtonType; }
    void SetButtonType(std::int32_t type);
    QString Caption() const { return look_.Caption; }
    void SetCaption(const QString& caption);
    bool Enabled() const { return look_.Enabled; }
    void SetEnabled(bool enabled);
    const host::FontObject& Font() const { return Surface().Font(); }
    void SetFont(const host::FontObject& font);
    bool FontBold() const { return Font().Bold(); }
    void SetFontBold(bool bold);
    bool FontItalic() const { return Font().Italic(); }
    void SetFontItalic(bool italic);
    QString FontName() const { return Font().Name(); }
    void SetFontName(const QString& name);
    std::int16_t FontSize() const;
    void SetFontSize(std::int16_t size);
    bool FontUnderline() const { return Font().Underline(); }
    void SetFontUnderline(bool underline);
    std::int32_t ColorScheme() const { return look_.ColorScheme; }
    void SetColorScheme(std::int32_t scheme);
    bool ShowFocusRect() const { return look_.ShowFocusRect; }
    void SetShowFocusRect(bool show);
    gdi::Colour BackColor() const { return look_.BackColor; }
    void SetBackColor(gdi::Colour colour);
    gdi::Colour BackOver() const { return look_.BackOver; }
    void SetBackOver(gdi::Colour colour);
    gdi::Colour ForeColor() const { return look_.ForeColor; }
    void SetForeColor(gdi::Colour colour);
    gdi::Colour ForeOver() const { return look_.ForeOver; }
    void SetForeOver(gdi::Colour colour);
    gdi::Colour MaskColor() const { return look_.MaskColor; }
    void SetMaskColor(gdi::Colour colour);
    std::int16_t MousePointer() const { return Surface().MousePointer(); }
    void SetMousePointer(std::int16_t pointer);
    const host::PictureObject& MouseIcon() const { return Surface().MouseIcon(); }
    void SetMouseIcon(const host::PictureObject& icon);
    const host::PictureObject& PictureNormal() const { return pictureNormal_; }
    void SetPictureNormal(const host::PictureObject& picture);
    const host::PictureObject& PictureOver() const { return pictureOver_; }
    void SetPictureOver(const host::PictureObject& picture);
    bool UseMaskColor() const { return look_.UseMaskColor; }
    void SetUseMaskColor(bool use);
    bool SoftBevel() const { return look_.SoftBevel; }
    void SetSoftBevel(bool soft);
    std::int32_t PicturePosition() const { return look_.PicturePosition; }
    void SetPicturePosition(std::int32_t position);
    bool UseGreyscale() const { return look_.UseGreyscale; }
    void SetUseGreyscale(bool greyscale);
    std::int32_t SpecialEffect() const { return look_.SpecialEffect; }
    void SetSpecialEffect(std::int32_t effect);
    bool HandPointer() const { return handPointer_; }
    void SetHandPointer(bool hand);
    bool CheckBoxBehaviour() const { return look_.CheckBoxBehaviour; }
    void SetCheckBoxBehaviour(bool check);
    bool Value() const { return look_.Value; }
    void SetValue(bool value);
    QWidget* hwnd() const { return Surface().hWnd(); }
    static QString Version();

    // Changes from now on store their values but draw nothing, until Refresh (or the next Show).
    void DisableRefresh();
    void Refresh();

    // Clicks the button as its access key does (assistive technology's press action).
    void PressFromOutside() { UserControl_AccessKeyPress(0); }

    // State the interaction keeps, for the form and for assistive technology.
    bool Hovering() const { return look_.Hovering; }
    bool HasFocus() const { return look_.HasFocus; }
    bool RefreshOn() const { return look_.RefreshOn; }
    std::uint8_t LastState() const { return carried_.LastState; }
    const button::ButtonPalette& Palette() const { return carried_.Palette; }
    const button::CaptionLayout& Layout() const { return carried_.Layout; }
    std::int32_t PicW() const { return look_.PicW; }
    std::int32_t PicH() const { return look_.PicH; }
    const QTimer& OverTimer() const { return overTimer_; }

    static const host::PropertyTable<sknButton>& Properties();

signals:
    void MouseOver();
    void MouseOut();

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(host::PropertyBag& bag) override;
    void UserControl_WriteProperties(host::PropertyBag& bag) override;
    void UserControl_Resize() override;
    void UserControl_Show() override;
    void UserControl_Paint() override;
    void UserControl_Hide() override;
    void UserControl_Terminate() override;
    void UserControl_GotFocus() override;
    void UserControl_LostFocus() override;
    void UserControl_AccessKeyPress(std::int16_t keyAscii) override;
    void UserControl_AmbientChanged(const QString& propertyName) override;

    bool ClickAction() override;
    void AfterDblClick() override;
    void AfterMouseDown(std::int16_t button, std::int16_t shift, float x, float y) override;
    void AfterMouseMove(std::int16_t button, std::int16_t shift, float x, float y) override;
    void AfterMouseUp(std::int16_t button, std::int16_t shift, float x, float y) override;
    void AfterKeyDown(std::int16_t keyCode, std::int16_t shift) override;
    void AfterKeyUp(std::int16_t keyCode, std::int16_t shift) override;

    // Whether the cursor is over the button's own window, inside its shape. Tests of the hover machine
    // may place the cursor with QCursor::setPos.
    virtual bool IsMouseOver() const;
    bool event(QEvent* event) override;

private:
    friend class host::PropertyTable<sknButton>;
    // What a change through the property table brings about: the palette, then the picture's size and the
    // caption layout, then the paint.
    void ApplyEffects(unsigned effects);
    // Fills in what painting reads that the fields do not hold: size, font, default flag, parent.
    const button::ButtonLook& Look();
    void BuildPalette();
    void LayoutCaption();
    void SetAccessKey();
    void MeasurePicture();
    void ApplyRegion();
    void CaptureBackground();
    // PaintButton on the surface; true when something was drawn.
    bool Paint(std::uint8_t state, bool force);
    void Repaint() { Paint(carried_.LastState, true); }
    void ApplyHandPointer(bool hand);
    void OverTimer_Timer();
    // The Click handling: flip Value for a check-box button, draw, put it on screen, raise Click.
    void ClickNow();

    button::ButtonLook look_;
    button::ButtonCarried carried_;
    host::PictureObject pictureNormal_;
    host::PictureObject pictureOver_;
    bool handPointer_ = false;
    std::uint8_t LastButton = 0;
    std::uint8_t LastKey = 0;
    bool Capturing = false;
    bool mouseCaptured_ = false;
    button::BackBuffer backBuffer_;
    QTimer overTimer_;
    // The latest answer of IsMouseOver and the cursor position it was for.
    struct OverAnswer {
        bool valid = false;
        QPoint global;
        bool over = false;
    };
    mutable OverAnswer overCache_;
};

} // namespace kelvo::controls
