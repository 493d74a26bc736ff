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

const PropertyTable<DemoControl>& DemoControl::Properties() {
    static const auto table =
        PropertyTable<DemoControl>()
            .Add<QString>(QStringLiteral("Caption"), QString(), &DemoControl::Caption,
                          [](DemoControl& d, const QString& caption) { d.caption_ = caption; })
            .Add<std::int32_t>(QStringLiteral("Clicks"), std::int32_t{0}, &DemoControl::Clicks,
                               [](DemoControl& d, std::int32_t clicks) { d.clicks_ = clicks; })
            .Add<gdi::Colour>(QStringLiteral("Fill"), DefaultFill, &DemoControl::Fill,
                              [](DemoControl& d, gdi::Colour fill) { d.fill_ = fill; })
            .Add<FontObject>(
                QStringLiteral("Font"), [](const DemoControl& d) { return d.Ambient().font; },
                [](const DemoControl& d) { return d.Surface().Font(); },
                [](DemoControl& d, const FontObject& font) { d.Surface().SetFont(font); },
                {.setOnInit = true});
    return table;
}

void DemoControl::UserControl_InitProperties() {
    caption_ = Ambient().displayName;
    Properties().InitProperties(*this);
}

void DemoControl::UserControl_ReadProperties(PropertyBag& bag) {
    Properties().ReadProperties(*this, bag);
}

void DemoControl::UserControl_WriteProperties(PropertyBag& bag) {
    Properties().WriteProperties(*this, bag);
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
