#pragma once

#include <cstdint>

#include "platform/host/Label.h"
#include "platform/host/PictureBox.h"
#include "platform/host/PictureObject.h"
#include "platform/host/PropertyTable.h"
#include "platform/host/UserControl.h"

namespace kelvo::controls {

// An option button drawn with pictures: a small state image and a caption label beside it. A click on
// the control, its image or its caption selects it; keeping one option of a group selected is the
// form's work. sknCheck differs only in its images and in toggling on a click.
//
// Where each property lives: Enabled, Font and ForeColor are the surface's (the caption label keeps its
// own font and colour, so they change nothing drawn); Caption is the label's; ToolTipText is set on the
// label and the image but read back from the store onto the label only. Mouse and key events come from
// the surface alone (the base raises them); clicks on the image or the caption select as well.
//
// From the keyboard it behaves as a desktop's own: Space, released where it was pressed, clicks it as the
// mouse does (unless a KeyDown handler took the key by setting KeyCode to 0); moving through a group
// with the arrow keys is OptionGroup's work.
class sknOption : public host::UserControl {
    Q_OBJECT

public:
    explicit sknOption(host::HostContext& host, QWidget* parent = nullptr);

    QString Caption() const { return lblCaption->Caption(); }
    void SetCaption(const QString& caption);
    bool Enabled() const { return Surface().Enabled(); }
    void SetEnabled(bool enabled);
    const host::FontObject& Font() const { return Surface().Font(); }
    void SetFont(const host::FontObject& font);
    gdi::Colour ForeColor() const { return Surface().ForeColor(); }
    void SetForeColor(gdi::Colour colour);
    QString ToolTipText() const { return lblCaption->ToolTipText(); }
    void SetToolTipText(const QString& text);
    bool Value() const { return value_; }
    // Stores the value, shows its image, notifies "Value" and raises Change, also when nothing changed.
    void SetValue(bool value);

    host::PictureBox* picRadio = nullptr;
    host::Label* lblCaption = nullptr;

    static constexpr gdi::Colour DefaultForeColor = gdi::Colour::System(18);
    static const host::PropertyTable<sknOption>& Properties();

    QAccessibleInterface* CreateAccessible() override;

signals:
    void Change();

protected:
    // The state images and their size: round 14 x 15 for the option, square 15 x 16 for the check box.
    sknOption(host::HostContext& host, QWidget* parent, const QString& setImage, const QString& clearedImage,
              QSize imageSize);
    // The value a click leaves: the option is always set, the check box toggles.
    virtual bool ClickedValue() const { return true; }

    bool ClickAction() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(host::PropertyBag& bag) override;
    void UserControl_WriteProperties(host::PropertyBag& bag) override;
    void UserControl_Resize() override;
    void UserControl_LostFocus() override { spaceDown_ = false; }
    void AfterKeyDown(std::int16_t keyCode, std::int16_t shift) override;
    void AfterKeyUp(std::int16_t keyCode, std::int16_t shift) override;

private:
    friend class host::PropertyTable<sknOption>;
    void ShowValue();
    // Stores and shows a value; listeners of assistive technology hear of a change of the checked state.
    void StoreValue(bool value);

    bool value_ = false;
    bool spaceDown_ = false;
    host::PictureObject picRON;
    host::PictureObject picROFF;
};

} // namespace kelvo::controls
