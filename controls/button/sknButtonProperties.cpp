// The button's stored properties and its public setters: each setter stores, rebuilds what depends on
// the value, repaints and tells the host, in the order the host and stored forms expect. The table holds
// the 23 keys in the order they are written and read; every key is written on each save, defaults
// included. A setter announces itself by its key, except PictureOver, stored as "PICH" and announced as
// "PICO".
#include <algorithm>
#include <cmath>

#include "controls/button/ButtonProperties.h"
#include "controls/button/sknButton.h"
#include "platform/host/HostContext.h"
#include "platform/host/MousePointers.h"
#include "platform/host/PropertyBag.h"

namespace kelvo::controls {

namespace {

using Table = host::PropertyTable<sknButton>;
constexpr host::PropertyFlags Always{.writeAlways = true};
// Also what a new button starts with (the table's InitProperties).
constexpr host::PropertyFlags OnInit{.writeAlways = true, .setOnInit = true};

} // namespace

const host::PropertyTable<sknButton>& sknButton::Properties() {
    // Reading stores straight into the fields; the work a whole load needs is done once afterwards.
    const auto systemColour = [](int index) {
        return [index](const sknButton& b) { return b.Host().SysColours().GetSysColor(index); };
    };
    static const auto table =
        Table()
            .Add<std::int32_t>(
                QStringLiteral("BTYPE"), std::int32_t{2}, &sknButton::ButtonType,
                [](sknButton& b, std::int32_t v) { b.look_.ButtonType = v; }, OnInit)
            .Add<QString>(
                QStringLiteral("TX"), QString(), &sknButton::Caption,
                [](sknButton& b, const QString& v) { b.look_.Caption = v; }, Always)
            .Add<bool>(
                QStringLiteral("ENAB"), true, &sknButton::Enabled,
                [](sknButton& b, bool v) { b.look_.Enabled = v; }, OnInit)
            .Add<host::FontObject>(
                QStringLiteral("FONT"), [](const sknButton& b) { return b.Surface().Font(); },
                &sknButton::Font, [](sknButton& b, const host::FontObject& v) { b.Surface().SetFont(v); },
                Always)
            .Add<std::int32_t>(
                QStringLiteral("COLTYPE"), std::int32_t{1}, &sknButton::ColorScheme,
                [](sknButton& b, std::int32_t v) { b.look_.ColorScheme = v; }, OnInit)
            .Add<bool>(
                QStringLiteral("FOCUSR"), true, &sknButton::ShowFocusRect,
                [](sknButton& b, bool v) { b.look_.ShowFocusRect = v; }, OnInit)
            .Add<gdi::Colour>(
                QStringLiteral("BCOL"), systemColour(15), &sknButton::BackColor,
                [](sknButton& b, gdi::Colour v) { b.look_.BackColor = v; }, OnInit)
            .Add<gdi::Colour>(
                QStringLiteral("BCOLO"), [](const sknButton& b) { return b.look_.BackColor; },
                &sknButton::BackOver, [](sknButton& b, gdi::Colour v) { b.look_.BackOver = v; }, OnInit)
            .Add<gdi::Colour>(
                QStringLiteral("FCOL"), systemColour(18), &sknButton::ForeColor,
                [](sknButton& b, gdi::Colour v) { b.look_.ForeColor = v; }, OnInit)
            .Add<gdi::Colour>(
                QStringLiteral("FCOLO"), [](const sknButton& b) { return b.look_.ForeColor; },
                &sknButton::ForeOver, [](sknButton& b, gdi::Colour v) { b.look_.ForeOver = v; }, OnInit)
            .Add<gdi::Colour>(
                QStringLiteral("MCOL"), gdi::Colour(button::DefaultMaskColor), &sknButton::MaskColor,
                [](sknButton& b, gdi::Colour v) { b.look_.MaskColor = v; }, OnInit)
            .Add<std::int16_t>(
                QStringLiteral("MPTR"), std::int16_t{0}, &sknButton::MousePointer,
                [](sknButton& b, std::int16_t v) {
                    // A kind the surface does not know leaves the cursor as it was.
                    static_cast<void>(b.Surface().SetMousePointer(v));
                },
                Always)
            .Add<host::PictureObject>(
                QStringLiteral("MICON"), host::PictureObject(), &sknButton::MouseIcon,
                [](sknButton& b, const host::PictureObject& v) { b.Surface().SetMouseIcon(v); }, Always)
            .Add<host::PictureObject>(
                QStringLiteral("PICN"), host::PictureObject(), &sknButton::PictureNormal,
                [](sknButton& b, const host::PictureObject& v) { b.pictureNormal_ = v; }, Always)
            .Add<host::PictureObject>(
                QStringLiteral("PICH"), host::PictureObject(), &sknButton::PictureOver,
                [](sknButton& b, const host::PictureObject& v) { b.pictureOver_ = v; }, Always)
            .Add<bool>(
                QStringLiteral("UMCOL"), true, &sknButton::UseMaskColor,
                [](sknButton& b, bool v) { b.look_.UseMaskColor = v; }, OnInit)
            .Add<bool>(
                QStringLiteral("SOFT"), false, &sknButton::SoftBevel,
                [](sknButton& b, bool v) { b.look_.SoftBevel = v; }, Always)
            .Add<std::int32_t>(
                QStringLiteral("PICPOS"), std::int32_t{0}, &sknButton::PicturePosition,
                [](sknButton& b, std::int32_t v) { b.look_.PicturePosition = v; }, Always)
            .Add<bool>(
                QStringLiteral("NGREY"), false, &sknButton::UseGreyscale,
                [](sknButton& b, bool v) { b.look_.UseGreyscale = v; }, Always)
            .Add<std::int32_t>(
                QStringLiteral("FX"), std::int32_t{0}, &sknButton::SpecialEffect,
                [](sknButton& b, std::int32_t v) { b.look_.SpecialEffect = v; }, Always)
            // Applied through its setter, after the cursor kind and picture: it decides the cursor.
            .Add<bool>(
                QStringLiteral("HAND"), false, &sknButton::HandPointer,
                [](sknButton& b, bool v) { b.SetHandPointer(v); }, Always)
            .Add<bool>(
                QStringLiteral("CHECK"), false, &sknButton::CheckBoxBehaviour,
                [](sknButton& b, bool v) { b.look_.CheckBoxBehaviour = v; }, Always)
            .Add<bool>(
                QStringLiteral("VALUE"), false, &sknButton::Value,
                [](sknButton& b, bool v) { b.look_.Value = v; }, Always);
    return table;
}

void sknButton::DisableRefresh() {
    look_.RefreshOn = false;
}

void sknButton::Refresh() {
    if (look_.ButtonType == 11) {
        CaptureBackground();
    }
    BuildPalette();
    LayoutCaption();
    look_.RefreshOn = true;
    Repaint();
}

void sknButton::SetBackColor(gdi::Colour colour) {
    look_.BackColor = colour;
    if (!Host().UserMode()) {
        look_.BackOver = colour;
    }
    BuildPalette();
    Repaint();
    PropertyChanged(QStringLiteral("BCOL"));
}

void sknButton::SetBackOver(gdi::Colour colour) {
    look_.BackOver = colour;
    BuildPalette();
    Repaint();
    PropertyChanged(QStringLiteral("BCOLO"));
}

void sknButton::SetForeColor(gdi::Colour colour) {
    look_.ForeColor = colour;
    if (!Host().UserMode()) {
        look_.ForeOver = colour;
    }
    BuildPalette();
    Repaint();
    PropertyChanged(QStringLiteral("FCOL"));
}

void sknButton::SetForeOver(gdi::Colour colour) {
    look_.ForeOver = colour;
    BuildPalette();
    Repaint();
    PropertyChanged(QStringLiteral("FCOLO"));
}

void sknButton::SetMaskColor(gdi::Colour colour) {
    look_.MaskColor = colour;
    BuildPalette();
    Repaint();
    PropertyChanged(QStringLiteral("MCOL"));
}

void sknButton::SetColorScheme(std::int32_t scheme) {
    look_.ColorScheme = scheme;
    BuildPalette();
    Repaint();
    PropertyChanged(QStringLiteral("COLTYPE"));
}

void sknButton::SetSoftBevel(bool soft) {
    look_.SoftBevel = soft;
    BuildPalette();
    Repaint();
    PropertyChanged(QStringLiteral("SOFT"));
}

void sknButton::SetButtonType(std::int32_t type) {
    look_.ButtonType = type;
    if (type == 11 && look_.RefreshOn) {
        if (!backBuffer_.IsCreated() && look_.Width > 0 && look_.Height > 0) {
            backBuffer_.Create(Surface().hDC(), look_.Width, look_.Height);
        }
        CaptureBackground();
    }
    UserControl_Resize();
    PropertyChanged(QStringLiteral("BTYPE"));
}

void sknButton::SetCaption(const QString& caption) {
    look_.Caption = caption;
    SetAccessKey();
    LayoutCaption();
    Repaint();
    PropertyChanged(QStringLiteral("TX"));
}

void sknButton::FontChanged() {
    LayoutCaption();
    Repaint();
}

void sknButton::SetFont(const host::FontObject& font) {
    Surface().SetFont(font);
    FontChanged();
    PropertyChanged(QStringLiteral("FONT"));
}

void sknButton::SetFontBold(bool bold) {
    host::FontObject font = Font();
    font.SetBold(bold);
    Surface().SetFont(font);
    FontChanged();
}

void sknButton::SetFontItalic(bool italic) {
    host::FontObject font = Font();
    font.SetItalic(italic);
    Surface().SetFont(font);
    FontChanged();
}

void sknButton::SetFontName(const QString& name) {
    host::FontObject font = Font();
    font.SetName(name);
    Surface().SetFont(font);
    FontChanged();
}

std::int16_t sknButton::FontSize() const {
    // Font sizes are held within a few thousand points, so the rounded size fits.
    return static_cast<std::int16_t>(std::lround(std::clamp(Font().Size(), 0.0f, 32767.0f)));
}

void sknButton::SetFontSize(std::int16_t size) {
    host::FontObject font = Font();
    font.SetSize(size); // a size the font refuses leaves it as it was
    Surface().SetFont(font);
    FontChanged();
}

void sknButton::SetFontUnderline(bool underline) {
    host::FontObject font = Font();
    font.SetUnderline(underline);
    Surface().SetFont(font);
    FontChanged();
}

void sknButton::SetEnabled(bool enabled) {
    look_.Enabled = enabled;
    Repaint();
    Surface().SetEnabled(enabled);
    PropertyChanged(QStringLiteral("ENAB"));
}

void sknButton::SetShowFocusRect(bool show) {
    look_.ShowFocusRect = show;
    Repaint();
    PropertyChanged(QStringLiteral("FOCUSR"));
}

void sknButton::SetSpecialEffect(std::int32_t effect) {
    look_.SpecialEffect = effect;
    Repaint();
    PropertyChanged(QStringLiteral("FX"));
}

void sknButton::SetCheckBoxBehaviour(bool check) {
    look_.CheckBoxBehaviour = check;
    Repaint();
    PropertyChanged(QStringLiteral("CHECK"));
}

void sknButton::SetValue(bool value) {
    look_.Value = value;
    if (look_.CheckBoxBehaviour) {
        Repaint();
    }
    PropertyChanged(QStringLiteral("VALUE"));
}

void sknButton::SetUseGreyscale(bool greyscale) {
    look_.UseGreyscale = greyscale;
    if (!pictureNormal_.IsEmpty()) {
        Repaint();
    }
    PropertyChanged(QStringLiteral("NGREY"));
}

void sknButton::SetUseMaskColor(bool use) {
    look_.UseMaskColor = use;
    if (!pictureNormal_.IsEmpty()) {
        Repaint();
    }
    PropertyChanged(QStringLiteral("UMCOL"));
}

void sknButton::SetPictureNormal(const host::PictureObject& picture) {
    pictureNormal_ = picture;
    MeasurePicture();
    LayoutCaption();
    Repaint();
    PropertyChanged(QStringLiteral("PICN"));
}

void sknButton::SetPictureOver(const host::PictureObject& picture) {
    pictureOver_ = picture;
    if (look_.Hovering) {
        Repaint();
    }
    PropertyChanged(QStringLiteral("PICO"));
}

void sknButton::SetPicturePosition(std::int32_t position) {
    look_.PicturePosition = position;
    PropertyChanged(QStringLiteral("PICPOS"));
    LayoutCaption();
    Repaint();
}

void sknButton::SetMousePointer(std::int16_t pointer) {
    Surface().SetMousePointer(pointer);
    PropertyChanged(QStringLiteral("MPTR"));
}

void sknButton::SetMouseIcon(const host::PictureObject& icon) {
    Surface().SetMouseIcon(icon); // a picture the surface refuses leaves the cursor picture as it was
    PropertyChanged(QStringLiteral("MICON"));
}

void sknButton::ApplyHandPointer(bool hand) {
    if (hand) {
        Surface().SetMouseIcon(Host().HandCursor());
        Surface().SetMousePointer(host::MousePointers::Custom);
        // The desktop's own pointing hand, so the button matches links and buttons elsewhere.
        setCursor(Qt::PointingHandCursor);
    } else {
        Surface().SetMouseIcon(host::PictureObject());
        Surface().SetMousePointer(button::PointerArrow);
    }
}

void sknButton::SetHandPointer(bool hand) {
    handPointer_ = hand;
    ApplyHandPointer(hand);
    PropertyChanged(QStringLiteral("HAND"));
}

} // namespace kelvo::controls
