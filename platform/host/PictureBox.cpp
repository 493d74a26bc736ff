#include "PictureBox.h"

#include <QPainter>

#include "HostContext.h"
#include "PropertyBag.h"

namespace kelvo::host {

namespace {

const gdi::Colour DefaultBackColor{0x8000000Fu};

} // namespace

PictureBox::PictureBox(HostContext& host, QWidget* parent)
    : ConstituentControl(host, parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::SetPicture(const PictureObject& picture) {
    picture_ = picture;
    FitPicture();
    update();
}

void PictureBox::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    FitPicture();
}

void PictureBox::SetBackColor(gdi::Colour colour) {
    backColor_ = colour;
    update();
}

void PictureBox::FitPicture() {
    if (autoSize_ && !picture_.IsEmpty()) {
        resize(picture_.Width(), picture_.Height());
    }
}

void PictureBox::LoadNew() {}

const PropertyTable<PictureBox>& PictureBox::Properties() {
    static const auto table =
        PropertyTable<PictureBox>()
            .Add<PictureObject>(QStringLiteral("Picture"), PictureObject(), &PictureBox::Picture,
                                [](PictureBox& box, const PictureObject& picture) { box.picture_ = picture; })
            .Add<bool>(QStringLiteral("AutoSize"), false, &PictureBox::AutoSize,
                       [](PictureBox& box, bool autoSize) { box.autoSize_ = autoSize; })
            .Add<gdi::Colour>(QStringLiteral("BackColor"), DefaultBackColor, &PictureBox::BackColor,
                              [](PictureBox& box, gdi::Colour colour) { box.backColor_ = colour; })
            .Add<QString>(QStringLiteral("ToolTipText"), QString(), &PictureBox::ToolTipText,
                          &PictureBox::SetToolTipText)
            .Add<bool>(QStringLiteral("Visible"), true, &PictureBox::Visible, &PictureBox::setVisible)
            .Add<bool>(QStringLiteral("Enabled"), true, &PictureBox::Enabled, &PictureBox::setEnabled);
    return table;
}

void PictureBox::LoadStored(PropertyBag& bag) {
    Properties().ReadProperties(*this, bag);
    FitPicture();
    update();
}

void PictureBox::Save(PropertyBag& bag) {
    Properties().WriteProperties(*this, bag);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(Host().Resolve(backColor_).ToQRgb()));
    if (!picture_.IsEmpty()) {
        painter.drawImage(0, 0, picture_.Image());
    }
}

} // namespace kelvo::host
