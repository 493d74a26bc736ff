#include "sknLine3D.h"

#include "platform/host/HostContext.h"
#include "platform/host/PropertyBag.h"

namespace kelvo::controls {

sknLine3D::sknLine3D(host::HostContext& host, QWidget* parent)
    : host::UserControl(host, parent) {}

void sknLine3D::SetLineTypes(std::int32_t lineType) {
    lineType_ = lineType;
    PropertyChanged(QStringLiteral("LineType"));
    UserControl_Resize();
}

void sknLine3D::SetBorder3DHighlight(gdi::Colour colour) {
    highlight_ = colour;
    PropertyChanged(QStringLiteral("Border3DHighlight"));
    UserControl_Resize();
}

void sknLine3D::SetBorder3DShadow(gdi::Colour colour) {
    shadow_ = colour;
    PropertyChanged(QStringLiteral("Border3DShadow"));
    UserControl_Resize();
}

void sknLine3D::SetDrawStyle(std::int32_t style) {
    // Narrowed to the surface's 16-bit style; a style the surface refuses changes nothing there.
    if (style >= INT16_MIN && style <= INT16_MAX) {
        UserControl::SetDrawStyle(static_cast<std::int16_t>(style));
    }
    PropertyChanged(QStringLiteral("DrawStyle"));
    Cls();
    UserControl_Resize();
}

void sknLine3D::UserControl_InitProperties() {
    lineType_ = 1;
    highlight_ = DefaultHighlight;
    shadow_ = DefaultShadow;
}

gdi::Colour sknLine3D::ReadColour(host::PropertyBag& bag, const QString& key, gdi::Colour defaultColour) {
    const gdi::Colour colour = bag.Read(key, defaultColour);
    // A reference with stray high bits names no colour: the default applies and the key is reported.
    if (!Host().SysColours().OleTranslateColor(colour)) {
        bag.ReportError(key, QStringLiteral("not a colour reference"));
        return defaultColour;
    }
    return colour;
}

void sknLine3D::UserControl_ReadProperties(host::PropertyBag& bag) {
    lineType_ = bag.Read(QStringLiteral("LineType"), std::int32_t{1});
    highlight_ = ReadColour(bag, QStringLiteral("3DHighlight"), DefaultHighlight);
    shadow_ = ReadColour(bag, QStringLiteral("3DShadow"), DefaultShadow);
    UserControl::SetDrawStyle(bag.Read(QStringLiteral("DrawStyle"), UserControl::DrawStyle()));
}

void sknLine3D::UserControl_WriteProperties(host::PropertyBag& bag) {
    bag.Write(QStringLiteral("LineType"), lineType_);
    bag.Write(QStringLiteral("3DHighlight"), highlight_);
    bag.Write(QStringLiteral("3DShadow"), shadow_);
    bag.Write(QStringLiteral("DrawStyle"), UserControl::DrawStyle());
}

void sknLine3D::UserControl_Resize() {
    const bool twoLines = lineType_ == 1 || lineType_ == 2;
    const gdi::Colour first = lineType_ == 2 ? highlight_ : shadow_;
    const gdi::Colour second = lineType_ == 2 ? shadow_ : highlight_;
    const int thickness = twoLines ? 2 : 1;
    // Setting the thickness raises Resize again; that run draws the same lines and asks for the same
    // size, which the host does not pass on, so it ends there.
    if (Width() >= Height()) {
        const auto length = static_cast<float>(ScaleWidth());
        Line(0, 0, length, 0, first);
        if (twoLines) {
            Line(0, 1, length, 1, second);
        }
        SetHeight(thickness * host::HostContext::TwipsPerPixelY);
    } else {
        const auto length = static_cast<float>(ScaleHeight());
        Line(0, 0, 0, length, first);
        if (twoLines) {
            Line(1, 0, 1, length, second);
        }
        SetWidth(thickness * host::HostContext::TwipsPerPixelX);
    }
}

} // namespace kelvo::controls
