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

void PictureBox::LoadStored(PropertyBag& bag) {
    picture_ = bag.Read(QStringLiteral("Picture"), PictureObject());
    autoSize_ = bag.Read(QStringLiteral("AutoSize"), false);
    backColor_ = bag.Read(QStringLiteral("BackColor"), DefaultBackColor);
    SetToolTipText(bag.Read(QStringLiteral("ToolTipText"), QString()));
    SetVisible(bag.Read(QStringLiteral("Visible"), true));
    SetEnabled(bag.Read(QStringLiteral("Enabled"), true));
    FitPicture();
    update();
}

void PictureBox::Save(PropertyBag& bag) {
    bag.Write(QStringLiteral("Picture"), picture_, PictureObject());
    bag.Write(QStringLiteral("AutoSize"), autoSize_, false);
    bag.Write(QStringLiteral("BackColor"), backColor_, DefaultBackColor);
    bag.Write(QStringLiteral("ToolTipText"), ToolTipText(), QString());
    bag.Write(QStringLiteral("Visible"), Visible(), true);
    bag.Write(QStringLiteral("Enabled"), Enabled(), true);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(Host().Resolve(backColor_).ToQRgb()));
    if (!picture_.IsEmpty()) {
        painter.drawImage(0, 0, picture_.Image());
    }
}

} // namespace kelvo::host
