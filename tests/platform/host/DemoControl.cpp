#include "DemoControl.h"

#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/Rect.h"
#include "platform/gdi/Text.h"
#include "platform/host/PropertyBag.h"

using namespace kelvo;
using namespace kelvo::host;

namespace {

const gdi::Colour DefaultFill{0x0000FF};

} // namespace

DemoControl::DemoControl(HostContext& host, QWidget* parent)
    : UserControl(host, parent) {}

void DemoControl::SetCaption(const QString& caption) {
    caption_ = caption;
    Draw();
    PropertyChanged(QStringLiteral("Caption"));
}

QString DemoControl::Text() const {
    return QStringLiteral("%1 %2").arg(caption_).arg(clicks_);
}

void DemoControl::UserControl_InitProperties() {
    caption_ = Ambient().displayName;
    SetFont(Ambient().font);
}

void DemoControl::UserControl_ReadProperties(PropertyBag& bag) {
    caption_ = bag.Read(QStringLiteral("Caption"), QString());
    clicks_ = bag.Read(QStringLiteral("Clicks"), std::int32_t{0});
    fill_ = bag.Read(QStringLiteral("Fill"), DefaultFill);
    SetFont(bag.Read(QStringLiteral("Font"), Ambient().font));
}

void DemoControl::UserControl_WriteProperties(PropertyBag& bag) {
    bag.Write(QStringLiteral("Caption"), caption_, QString());
    bag.Write(QStringLiteral("Clicks"), clicks_, std::int32_t{0});
    bag.Write(QStringLiteral("Fill"), fill_, DefaultFill);
    bag.Write(QStringLiteral("Font"), Font(), Ambient().font);
}

void DemoControl::UserControl_Resize() {
    Draw();
}

void DemoControl::UserControl_Paint() {
    ++paints;
}

void DemoControl::UserControl_MouseDown(std::int16_t& button, std::int16_t& shift, float& x, float& y) {
    emit MouseDown(button, shift, x, y);
    lastButton_ = button; // a handler may have changed it
}

void DemoControl::UserControl_Click() {
    if (lastButton_ != 1) {
        return;
    }
    ++clicks_;
    Draw();
    Refresh();
    PropertyChanged(QStringLiteral("Clicks"));
    emit Click();
}

void DemoControl::Draw() {
    Cls();
    if (ScaleWidth() <= 0 || ScaleHeight() <= 0) {
        return;
    }
    LineBoxFilled(0, 0, float(ScaleWidth() - 1), float(ScaleHeight() - 1), fill_);
    LineBox(0, 0, float(ScaleWidth() - 1), float(ScaleHeight() - 1));
    gdi::Rect rect{1, 1, ScaleWidth() - 1, ScaleHeight() - 1};
    gdi::DrawTextA(hDC(), Text(), -1, rect, gdi::DT_CENTER | gdi::DT_VCENTER | gdi::DT_SINGLELINE);
}
