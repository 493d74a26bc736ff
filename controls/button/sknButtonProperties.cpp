// The button's stored properties and its public setters. The table holds the 23 keys in the order they
// are written and read, every key written on each save, defaults included, and what a change through it
// does: the setters of plain properties are the table's Set, which stores, rebuilds what depends on the
// value, repaints and announces the key. The setters below with steps of their own (design-mode colour
// pairs, conditional repaints, the caption's access key) do them by hand; PictureOver, stored as "PICH",
// is announced as "PICO".
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
namespace fx = host::effect;
// Every key is written, defaults included; OnInit keys are also what a new button starts with. The
// effects are what a change through the table's Set does before it is announced by its key.
constexpr host::PropertyFlags Always(unsigned effects = 0) {
    return {.writeAlways = true, .effects = effects};
}
constexpr host::PropertyFlags OnInit(unsigned effects = 0) {
    return {.writeAlways = true, .setOnInit = true, .effects = effects};
}

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
                [](sknButton& b, std::int32_t v) { b.look_.ButtonType = v; }, OnInit())
            .Add<QString>(
                QStringLiteral("TX"), QString(), &sknButton::Caption,
                [](sknButton& b, const QString& v) { b.look_.Caption = v; }, Always())
            .Add<bool>(
                QStringLiteral("ENAB"), true, &sknButton::Enabled,
                [](sknButton& b, bool v) { b.look_.Enabled = v; }, OnInit())
            .Add<host::FontObject>(
                QStringLiteral("FONT"), [](const sknButton& b) { return b.Surface().Font(); },
                &sknButton::Font, [](sknButton& b, const host::FontObject& v) { b.Surface().SetFont(v); },
                Always(fx::Layout | fx::Repaint))
            .Add<std::int32_t>(
                QStringLiteral("COLTYPE"), std::int32_t{1}, &sknButton::ColorScheme,
                [](sknButton& b, std::int32_t v) { b.look_.ColorScheme = v; },
                OnInit(fx::Palette | fx::Repaint))
            .Add<bool>(
                QStringLiteral("FOCUSR"), true, &sknButton::ShowFocusRect,
                [](sknButton& b, bool v) { b.look_.ShowFocusRect = v; }, OnInit(fx::Repaint))
            .Add<gdi::Colour>(
                QStringLiteral("BCOL"), systemColour(15), &sknButton::BackColor,
                [](sknButton& b, gdi::Colour v) { b.look_.BackColor = v; }, OnInit())
            .Add<gdi::Colour>(
                QStringLiteral("BCOLO"), [](const sknButton& b) { return b.look_.BackColor; },
                &sknButton::BackOver, [](sknButton& b, gdi::Colour v) { b.look_.BackOver = v; },
                OnInit(fx::Palette | fx::Repaint))
            .Add<gdi::Colour>(
                QStringLiteral("FCOL"), systemColour(18), &sknButton::ForeColor,
                [](sknButton& b, gdi::Colour v) { b.look_.ForeColor = v; }, OnInit())
            .Add<gdi::Colour>(
                QStringLiteral("FCOLO"), [](const sknButton& b) { return b.look_.ForeColor; },
                &sknButton::ForeOver, [](sknButton& b, gdi::Colour v) { b.look_.ForeOver = v; },
                OnInit(fx::Palette | fx::Repaint))
            .Add<gdi::Colour>(
                QStringLiteral("MCOL"), gdi::Colour(button::DefaultMaskColor), &sknButton::MaskColor,
                [](sknButton& b, gdi::Colour v) { b.look_.MaskColor = v; }, OnInit(fx::Palette | fx::Repaint))
            .Add<std::int16_t>(
                QStringLiteral("MPTR"), std::int16_t{0}, &sknButton::MousePointer,
                [](sknButton& b, std::int16_t v) {
                    // A kind the surface does not know leaves the cursor as it was.
                    static_cast<void>(b.Surface().SetMousePointer(v));
                },
                Always())
            .Add<host::PictureObject>(
                QStringLiteral("MICON"), host::PictureObject(), &sknButton::MouseIcon,
                [](sknButton& b, const host::PictureObject& v) { b.Surface().SetMouseIcon(v); }, Always())
            .Add<host::PictureObject>(
                QStringLiteral("PICN"), host::PictureObject(), &sknButton::PictureNormal,
                [](sknButton& b, const host::PictureObject& v) { b.pictureNormal_ = v; },
                Always(fx::Layout | fx::Repaint))
            .Add<host::PictureObject>(
                QStringLiteral("PICH"), host::PictureObject(), &sknButton::PictureOver,
                [](sknButton& b, const host::PictureObject& v) { b.pictureOver_ = v; }, Always())
            .Add<bool>(
                QStringLiteral("UMCOL"), true, &sknButton::UseMaskColor,
                [](sknButton& b, bool v) { b.look_.UseMaskColor = v; }, OnInit())
            .Add<bool>(
                QStringLiteral("SOFT"), false, &sknButton::SoftBevel,
                [](sknButton& b, bool v) { b.look_.SoftBevel = v; }, Always(fx::Palette | fx::Repaint))
            .Add<std::int32_t>(
                QStringLiteral("PICPOS"), std::int32_t{0}, &sknButton::PicturePosition,
                [](sknButton& b, std::int32_t v) { b.look_.PicturePosition = v; },
                {.writeAlways = true, .effects = fx::Layout | fx::Repaint, .announceFirst = true})
            .Add<bool>(
                QStringLiteral("NGREY"), false, &sknButton::UseGreyscale,
                [](sknButton& b, bool v) { b.look_.UseGreyscale = v; }, Always())
            .Add<std::int32_t>(
                QStringLiteral("FX"), std::int32_t{0}, &sknButton::SpecialEffect,
                [](sknButton& b, std::int32_t v) { b.look_.SpecialEffect = v; }, Always(fx::Repaint))
            // Applied through its setter, after the cursor kind and picture: it decides the cursor.
            .Add<bool>(
                QStringLiteral("HAND"), false, &sknButton::HandPointer,
                [](sknButton& b, bool v) { b.SetHandPointer(v); }, Always())
            .Add<bool>(
                QStringLiteral("CHECK"), false, &sknButton::CheckBoxBehaviour,
                [](sknButton& b, bool v) { b.look_.CheckBoxBehaviour = v; }, Always(fx::Repaint))
            .Add<bool>(
                QStringLiteral("VALUE"), false, &sknButton::Value,
                [](sknButton& b, bool v) { b.look_.Value = v; }, Always());
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
    Properties().Set(*this, u"BCOLO", colour);
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
    Properties().Set(*this, u"FCOLO", colour);
}

void sknButton::SetMaskColor(gdi::Colour colour) {
    Properties().Set(*this, u"MCOL", colour);
}

void sknButton::SetColorScheme(std::int32_t scheme) {
    Properties().Set(*this, u"COLTYPE", scheme);
}

void sknButton::SetSoftBevel(bool soft) {
    Properties().Set(*this, u"SOFT", soft);
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

void sknButton::ApplyEffects(unsigned effects) {
    if ((effects & fx::Palette) != 0) {
        BuildPalette();
    }
    if ((effects & fx::Layout) != 0) {
        MeasurePicture();
        LayoutCaption();
    }
    if ((effects & fx::Repaint) != 0) {
        sknButton::Repaint();
    }
}

void sknButton::SetFont(const host::FontObject& font) {
    Properties().Set(*this, u"FONT", font);
}

void sknButton::SetFontBold(bool bold) {
    host::FontObject font = Font();
    font.SetBold(bold);
    Surface().SetFont(font);
    ApplyEffects(fx::Layout | fx::Repaint);
}

void sknButton::SetFontItalic(bool italic) {
    host::FontObject font = Font();
    font.SetItalic(italic);
    Surface().SetFont(font);
    ApplyEffects(fx::Layout | fx::Repaint);
}

void sknButton::SetFontName(const QString& name) {
    host::FontObject font = Font();
    font.SetName(name);
    Surface().SetFont(font);
    ApplyEffects(fx::Layout | fx::Repaint);
}

std::int16_t sknButton::FontSize() const {
    // Font sizes are held within a few thousand points, so the rounded size fits.
    return static_cast<std::int16_t>(std::lround(std::clamp(Font().Size(), 0.0f, 32767.0f)));
}

void sknButton::SetFontSize(std::int16_t size) {
    host::FontObject font = Font();
    font.SetSize(size); // a size the font refuses leaves it as it was
    Surface().SetFont(font);
    ApplyEffects(fx::Layout | fx::Repaint);
}

void sknButton::SetFontUnderline(bool underline) {
    host::FontObject font = Font();
    font.SetUnderline(underline);
    Surface().SetFont(font);
    ApplyEffects(fx::Layout | fx::Repaint);
}

void sknButton::SetEnabled(bool enabled) {
    look_.Enabled = enabled;
    Repaint();
    Surface().SetEnabled(enabled);
    PropertyChanged(QStringLiteral("ENAB"));
}

void sknButton::SetShowFocusRect(bool show) {
    Properties().Set(*this, u"FOCUSR", show);
}

void sknButton::SetSpecialEffect(std::int32_t effect) {
    Properties().Set(*this, u"FX", effect);
}

void sknButton::SetCheckBoxBehaviour(bool check) {
    Properties().Set(*this, u"CHECK", check);
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
    Properties().Set(*this, u"PICN", picture);
}

void sknButton::SetPictureOver(const host::PictureObject& picture) {
    pictureOver_ = picture;
    if (look_.Hovering) {
        Repaint();
    }
    PropertyChanged(QStringLiteral("PICO"));
}

void sknButton::SetPicturePosition(std::int32_t position) {
    Properties().Set(*this, u"PICPOS", position);
}

void sknButton::SetMousePointer(std::int16_t pointer) {
    Properties().Set(*this, u"MPTR", pointer);
}

void sknButton::SetMouseIcon(const host::PictureObject& icon) {
    Properties().Set(*this, u"MICON", icon);
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
