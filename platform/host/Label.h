#pragma once

#include <cstdint>

#include <QImage>
#include <QPointer>

#include "ConstituentControl.h"
#include "FontObject.h"
#include "PropertyTable.h"
#include "platform/gdi/Colour.h"
#include "platform/gdi/Rect.h"

class QShortcut;

namespace kelvo::host {

// A label: a caption drawn with the same text engine as DrawTextA, so that what a control measures is
// what the label shows. The caption breaks into lines at the label's width; alignment 0 left, 1 right,
// 2 centred. With AutoSize the label takes the size of its text: one line as wide as the text, or, with
// WordWrap, its width kept and its height grown to the wrapped lines. Back style 0 is transparent (the
// container shows behind the text), 1 opaque in BackColor. With UseMnemonic "&x" underlines x and Alt+x
// moves the focus to the control after the label; "&&" shows one "&". A disabled label shows its text
// engraved.
// Stored properties: "Caption" (""), "Alignment" (0), "AutoSize" (false), "WordWrap" (false),
// "BackStyle" (1), "BackColor" (0x8000000F), "ForeColor" (0x80000012), "Font" (the ambient font),
// "UseMnemonic" (true), "ToolTipText" (""), "Visible" (true), "Enabled" (true).
//
// A label may name a control (SetLabelFor): assistive technology then reads the caption as the control's
// name, and the label shows the control's keyboard focus with a dotted mark round the caption, since
// small picture controls have no room for one. A label that acts as a link takes the focus itself and
// clicks with Return or Space.
class Label : public ConstituentControl {
    Q_OBJECT

public:
    explicit Label(HostContext& host, QWidget* parent = nullptr);

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    std::int16_t Alignment() const { return alignment_; }
    // 0 to 2; other values are refused.
    bool SetAlignment(std::int16_t alignment);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    std::int16_t BackStyle() const { return backStyle_; }
    // 0 or 1; other values are refused.
    bool SetBackStyle(std::int16_t style);
    gdi::Colour BackColor() const { return backColor_; }
    void SetBackColor(gdi::Colour colour);
    gdi::Colour ForeColor() const { return foreColor_; }
    void SetForeColor(gdi::Colour colour);
    const FontObject& Font() const { return font_; }
    void SetFont(const FontObject& font);
    bool UseMnemonic() const { return useMnemonic_; }
    void SetUseMnemonic(bool useMnemonic);

    // The size the caption takes in the label's font: on one line (wordWrap false) or broken at the
    // given width.
    QSize MeasureText(bool wrapAtWidth, int width) const;
    // The DrawTextA format the label draws with.
    unsigned DrawFormat() const;

    // The control this caption names, or null.
    QWidget* LabelFor() const { return labelFor_; }
    void SetLabelFor(QWidget* control);
    bool ActsAsLink() const { return actsAsLink_; }
    void SetActsAsLink(bool link);
    // The caption as read aloud (without the access-key mark).
    QString AccessibleText() const;
    // Whether the focus mark is drawn: the label, or the control it names, has the keyboard's focus.
    bool FocusMarkShown() const;
    // Where the mark goes: round the caption's text, inside the label.
    gdi::Rect FocusMarkRect() const;

    QAccessibleInterface* CreateAccessible() override;

    void LoadNew() override;
    void LoadStored(PropertyBag& bag) override;
    void Save(PropertyBag& bag) override;
    static const PropertyTable<Label>& Properties();

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void AfterKeyDown(std::int16_t keyCode, std::int16_t shift) override;

private:
    void Changed();
    // Draws the caption on an image holding the part of the label that starts at origin.
    void DrawCaption(QImage& image, QPoint origin) const;
    // A blank image for the given part of the label at the screen's resolution.
    QImage Canvas(QSize size) const;
    // The caption over a see-through background, for transparent labels.
    QImage TransparentCaption(QRect area) const;
    void UpdateMnemonic();
    void FocusNext();

    QString caption_;
    std::int16_t alignment_ = 0;
    bool autoSize_ = false;
    bool wordWrap_ = false;
    std::int16_t backStyle_ = 1;
    gdi::Colour backColor_{0x8000000Fu};
    gdi::Colour foreColor_{0x80000012u};
    FontObject font_;
    bool useMnemonic_ = true;
    QShortcut* mnemonic_ = nullptr;
    QPointer<QWidget> labelFor_;
    bool actsAsLink_ = false;
};

} // namespace kelvo::host
