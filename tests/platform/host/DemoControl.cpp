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
    Surface().SetFont(Ambient().font);
}

void DemoControl::UserControl_ReadProperties(PropertyBag& bag) {
    caption_ = bag.Read(QStringLiteral("Caption"), QString());
    clicks_ = bag.Read(QStringLiteral("Clicks"), std::int32_t{0});
    fill_ = bag.Read(QStringLiteral("Fill"), DefaultFill);
    Surface().SetFont(bag.Read(QStringLiteral("Font"), Ambient().font));
}

void DemoControl::UserControl_WriteProperties(PropertyBag& bag) {
    bag.Write(QStringLiteral("Caption"), caption_, QString());
    bag.Write(QStringLiteral("Clicks"), clicks_, std::int32_t{0});
    bag.Write(QStringLiteral("Fill"), fill_, DefaultFill);
    bag.Write(QStringLiteral("Font"), Surface().Font(), Ambient().font);
}

void DemoControl::UserControl_Resize() {
    Draw();
}

void DemoControl::UserControl_Paint() {
    ++paints;
}

void DemoControl::AfterMouseDown(std::int16_t button, std::int16_t, float, float) {
    lastButton_ = button; // as the host's handlers left it
}

bool DemoControl::ClickAction() {
    if (lastButton_ != 1) {
        return false;
    }
    ++clicks_;
    Draw();
    Surface().Refresh();
    PropertyChanged(QStringLiteral("Clicks"));
    return true;
}

void DemoControl::Draw() {
    ControlSurface& surface = Surface();
    surface.Cls();
    const std::int32_t w = surface.ScaleWidth();
    const std::int32_t h = surface.ScaleHeight();
    if (w <= 0 || h <= 0) {
        return;
    }
    surface.LineBoxFilled(0, 0, float(w - 1), float(h - 1), fill_);
    surface.LineBox(0, 0, float(w - 1), float(h - 1));
    gdi::Rect rect{1, 1, w - 1, h - 1};
    gdi::DrawTextA(surface.hDC(), Text(), -1, rect, gdi::DT_CENTER | gdi::DT_VCENTER | gdi::DT_SINGLELINE);
}
