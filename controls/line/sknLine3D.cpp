#include "sknLine3D.h"

#include "platform/host/HostContext.h"
#include "platform/host/HostedAccessible.h"
#include "platform/host/PropertyBag.h"

namespace kelvo::controls {

sknLine3D::sknLine3D(host::HostContext& host, QWidget* parent)
    : host::UserControl(host, parent) {
    // A separator is read as one and passed by with Tab.
    setFocusPolicy(Qt::NoFocus);
}

QAccessibleInterface* sknLine3D::CreateAccessible() {
    return new host::HostedAccessible(this, QAccessible::Separator);
}

const host::PropertyTable<sknLine3D>& sknLine3D::Properties() {
    // Reading stores the members as they are (no notification, no drawing): the next Resize draws.
    // A change through the table is announced first, then the line drawn again.
    constexpr unsigned Redraw = host::effect::Repaint;
    static const auto table =
        host::PropertyTable<sknLine3D>()
            .Add<std::int32_t>(
                QStringLiteral("LineType"), std::int32_t{1}, &sknLine3D::LineTypes,
                [](sknLine3D& l, std::int32_t lineType) { l.lineType_ = lineType; },
                {.writeAlways = true, .setOnInit = true, .effects = Redraw, .announceFirst = true})
            .Add<gdi::Colour>(QStringLiteral("3DHighlight"), DefaultHighlight, &sknLine3D::Border3DHighlight,
                              [](sknLine3D& l, gdi::Colour colour) { l.highlight_ = colour; },
                              {.writeAlways = true,
                               .setOnInit = true,
                               .effects = Redraw,
                               .announceAs = u"Border3DHighlight",
                               .announceFirst = true})
            .Add<gdi::Colour>(QStringLiteral("3DShadow"), DefaultShadow, &sknLine3D::Border3DShadow,
                              [](sknLine3D& l, gdi::Colour colour) { l.shadow_ = colour; },
                              {.writeAlways = true,
                               .setOnInit = true,
                               .effects = Redraw,
                               .announceAs = u"Border3DShadow",
                               .announceFirst = true})
            .Add<std::int16_t>(
                QStringLiteral("DrawStyle"), [](const sknLine3D& l) { return l.Surface().DrawStyle(); },
                [](const sknLine3D& l) { return l.Surface().DrawStyle(); },
                [](sknLine3D& l, std::int16_t style) { l.Surface().SetDrawStyle(style); },
                {.writeAlways = true});
    return table;
}

void sknLine3D::SetLineTypes(std::int32_t lineType) {
    Properties().Set(*this, u"LineType", lineType);
}

void sknLine3D::SetBorder3DHighlight(gdi::Colour colour) {
    Properties().Set(*this, u"3DHighlight", colour);
}

void sknLine3D::SetBorder3DShadow(gdi::Colour colour) {
    Properties().Set(*this, u"3DShadow", colour);
}

void sknLine3D::ApplyEffects(unsigned effects) {
    if ((effects & host::effect::Repaint) != 0) {
        UserControl_Resize();
    }
}

void sknLine3D::SetDrawStyle(std::int32_t style) {
    // Narrowed to the surface's 16-bit style; a style the surface refuses changes nothing there.
    if (style >= INT16_MIN && style <= INT16_MAX) {
        Surface().SetDrawStyle(static_cast<std::int16_t>(style));
    }
    PropertyChanged(QStringLiteral("DrawStyle"));
    Surface().Cls();
    UserControl_Resize();
}

Line3DLook sknLine3D::Look() const {
    return {lineType_, highlight_, shadow_, Surface().Attributes()};
}

void sknLine3D::UserControl_InitProperties() {
    Properties().InitProperties(*this);
}

void sknLine3D::UserControl_ReadProperties(host::PropertyBag& bag) {
    Properties().ReadProperties(*this, bag);
}

void sknLine3D::UserControl_WriteProperties(host::PropertyBag& bag) {
    Properties().WriteProperties(*this, bag);
}

void sknLine3D::UserControl_Resize() {
    // The longer side in host units decides the direction; a square counts as horizontal.
    const bool horizontal = WidthTwips() >= HeightTwips();
    const LineDirection direction = horizontal ? LineDirection::Horizontal : LineDirection::Vertical;
    const std::int32_t length = horizontal ? Surface().ScaleWidth() : Surface().ScaleHeight();
    PaintLine3D(Surface().hDC(), Look(), direction, length);
    // Setting the thickness raises Resize again; that run draws the same lines and asks for the same
    // size, which the host does not pass on, so it ends there.
    const int thickness = Line3DThickness(lineType_);
    if (horizontal) {
        SetHeightTwips(thickness * host::HostContext::TwipsPerPixelY);
    } else {
        SetWidthTwips(thickness * host::HostContext::TwipsPerPixelX);
    }
}

} // namespace kelvo::controls
