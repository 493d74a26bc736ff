#pragma once

#include "ConstituentControl.h"
#include "PictureObject.h"
#include "PropertyTable.h"
#include "platform/gdi/Colour.h"

namespace kelvo::host {

// A borderless picture box: its background colour with its picture at the top left, not scaled. With
// AutoSize it takes the picture's size. Stored properties: "Picture" (none), "AutoSize" (false),
// "BackColor" (0x8000000F), "ToolTipText" (""), "Visible" (true), "Enabled" (true).
class PictureBox : public ConstituentControl {
    Q_OBJECT

public:
    explicit PictureBox(HostContext& host, QWidget* parent = nullptr);

    const PictureObject& Picture() const { return picture_; }
    void SetPicture(const PictureObject& picture);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    gdi::Colour BackColor() const { return backColor_; }
    void SetBackColor(gdi::Colour colour);

    void LoadNew() override;
    void LoadStored(PropertyBag& bag) override;
    void Save(PropertyBag& bag) override;
    static const PropertyTable<PictureBox>& Properties();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void FitPicture();

    PictureObject picture_;
    bool autoSize_ = false;
    gdi::Colour backColor_{0x8000000Fu};
};

} // namespace kelvo::host
