#pragma once

#include <cstdint>

#include "platform/host/Label.h"
#include "platform/host/PictureBox.h"
#include "platform/host/PictureObject.h"
#include "platform/host/UserControl.h"

namespace kelvo::controls {

// An option button drawn with pictures: a small state image and a caption label beside it. A click on
// the control, its image or its caption selects it; keeping one option of a group selected is the
// form's work. sknCheck differs only in its images and in toggling on a click.
class sknOption : public host::UserControl {
    Q_OBJECT

public:
    explicit sknOption(host::HostContext& host, QWidget* parent = nullptr);

    QString Caption() const { return lblCaption->Caption(); }
    void SetCaption(const QString& caption);
    void SetEnabled(bool enabled);
    void SetFont(const host::FontObject& font);
    void SetForeColor(gdi::Colour colour);
    QString ToolTipText() const { return lblCaption->ToolTipText(); }
    void SetToolTipText(const QString& text);
    bool Value() const { return value_; }
    // Stores the value, shows its image, notifies "Value" and raises Change, also when nothing changed.
    void SetValue(bool value);

    host::PictureBox* picRadio = nullptr;
    host::Label* lblCaption = nullptr;

    static constexpr gdi::Colour DefaultForeColor = gdi::Colour::System(18);

signals:
    void Click();
    void Change();
    void KeyDown(std::int16_t& keyCode, std::int16_t& shift);
    void KeyPress(std::int16_t& keyAscii);
    void KeyUp(std::int16_t& keyCode, std::int16_t& shift);
    void MouseUp(std::int16_t& button, std::int16_t& shift, float& x, float& y);
    void MouseMove(std::int16_t& button, std::int16_t& shift, float& x, float& y);
    void MouseDown(std::int16_t& button, std::int16_t& shift, float& x, float& y);

protected:
    // The state images and their size: round 14 x 15 for the option, square 15 x 16 for the check box.
    sknOption(host::HostContext& host, QWidget* parent, const QString& setImage, const QString& clearedImage,
              QSize imageSize);
    // What a click does to the value before Click is raised.
    virtual void ClickAction();
    void ShowValue();

    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(host::PropertyBag& bag) override;
    void UserControl_WriteProperties(host::PropertyBag& bag) override;
    void UserControl_Resize() override;
    void UserControl_Click() override;
    void UserControl_KeyDown(std::int16_t& keyCode, std::int16_t& shift) override;
    void UserControl_KeyUp(std::int16_t& keyCode, std::int16_t& shift) override;
    void UserControl_KeyPress(std::int16_t& keyAscii) override;
    void UserControl_MouseDown(std::int16_t& button, std::int16_t& shift, float& x, float& y) override;
    void UserControl_MouseMove(std::int16_t& button, std::int16_t& shift, float& x, float& y) override;
    void UserControl_MouseUp(std::int16_t& button, std::int16_t& shift, float& x, float& y) override;

    bool value_ = false;

private:
    void HandleClick();

    host::PictureObject picRON;
    host::PictureObject picROFF;
};

} // namespace kelvo::controls
