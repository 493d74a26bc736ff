#include "controls/button/sknButton.h"

#include <algorithm>
#include <cmath>

#include <QImage>
#include <QPalette>

#include "controls/button/ButtonAccessible.h"
#include "controls/button/ButtonCaption.h"
#include "controls/button/ButtonPrimitives.h"
#include "controls/button/ButtonProperties.h"
#include "controls/button/PaintButton.h"
#include "platform/host/HostContext.h"
#include "platform/host/MousePointers.h"
#include "platform/host/PropertyBag.h"

namespace kelvo::controls {

namespace {

using Table = host::PropertyTable<sknButton>;
constexpr host::PropertyFlags Always{.writeAlways = true};

// The key and notification name of a property, as the button's property list gives them.
QString KeyOf(std::string_view property) {
    for (const button::PropertyEntry& entry : button::ButtonPropertyTable) {
        if (entry.property == property) {
            return QString::fromLatin1(entry.key.data(), qsizetype(entry.key.size()));
        }
    }
    return {};
}

QString NotifyNameOf(std::string_view property) {
    for (const button::PropertyEntry& entry : button::ButtonPropertyTable) {
        if (entry.property == property) {
            return QString::fromLatin1(entry.notifyName.data(), qsizetype(entry.notifyName.size()));
        }
    }
    return {};
}

gdi::Colour FromQColor(const QColor& colour) {
    return gdi::Colour::FromRgb(std::uint8_t(colour.red()), std::uint8_t(colour.green()),
                                std::uint8_t(colour.blue()));
}

button::ButtonPicture ToButtonPicture(const host::PictureObject& picture) {
    if (picture.IsEmpty()) {
        return {};
    }
    return {picture.Image(), picture.Type() == host::PictureType::Bitmap ? button::ButtonPicture::Bitmap
                                                                         : button::ButtonPicture::Icon};
}

// A picture's side from its HIMETRIC size, in pixels; pictures are held at most a few thousand wide.
std::int32_t HimetricSide(std::int32_t himetric) {
    const double pixels = std::round(host::PictureObject::HimetricToPixels(himetric));
    return pixels > 0 && pixels < 1e9 ? static_cast<std::int32_t>(pixels) : 0;
}

} // namespace

sknButton::sknButton(host::HostContext& host, QWidget* parent)
    : host::UserControl(host, parent) {
    overTimer_.setInterval(3);
    connect(&overTimer_, &QTimer::timeout, this, &sknButton::OverTimer_Timer);
    ButtonAccessible::Install();
}

sknButton::~sknButton() = default;

QString sknButton::Version() {
    return QString::fromLatin1(button::ButtonVersion.data(), qsizetype(button::ButtonVersion.size()));
}

const host::PropertyTable<sknButton>& sknButton::Properties() {
    // Reading stores straight into the fields; the work a whole load needs is done once afterwards.
    const auto systemColour = [](int index) {
        return [index](const sknButton& b) { return b.Host().SysColours().GetSysColor(index); };
    };
    static const auto table =
        Table()
            .Add<std::int32_t>(
                KeyOf("ButtonType"), std::int32_t{2}, &sknButton::ButtonType,
                [](sknButton& b, std::int32_t v) { b.look_.ButtonType = v; }, Always)
            .Add<QString>(
                KeyOf("Caption"), QString(), &sknButton::Caption,
                [](sknButton& b, const QString& v) { b.look_.Caption = v; }, Always)
            .Add<bool>(
                KeyOf("Enabled"), true, &sknButton::Enabled,
                [](sknButton& b, bool v) { b.look_.Enabled = v; }, Always)
            .Add<host::FontObject>(
                KeyOf("Font"), [](const sknButton& b) { return b.Surface().Font(); }, &sknButton::Font,
                [](sknButton& b, const host::FontObject& v) { b.Surface().SetFont(v); }, Always)
            .Add<std::int32_t>(
                KeyOf("ColorScheme"), std::int32_t{1}, &sknButton::ColorScheme,
                [](sknButton& b, std::int32_t v) { b.look_.ColorScheme = v; }, Always)
            .Add<bool>(
                KeyOf("ShowFocusRect"), true, &sknButton::ShowFocusRect,
                [](sknButton& b, bool v) { b.look_.ShowFocusRect = v; }, Always)
            .Add<gdi::Colour>(
                KeyOf("BackColor"), systemColour(15), &sknButton::BackColor,
                [](sknButton& b, gdi::Colour v) { b.look_.BackColor = v; }, Always)
            .Add<gdi::Colour>(
                KeyOf("BackOver"), [](const sknButton& b) { return b.look_.BackColor; }, &sknButton::BackOver,
                [](sknButton& b, gdi::Colour v) { b.look_.BackOver = v; }, Always)
            .Add<gdi::Colour>(
                KeyOf("ForeColor"), systemColour(18), &sknButton::ForeColor,
                [](sknButton& b, gdi::Colour v) { b.look_.ForeColor = v; }, Always)
            .Add<gdi::Colour>(
                KeyOf("ForeOver"), [](const sknButton& b) { return b.look_.ForeColor; }, &sknButton::ForeOver,
                [](sknButton& b, gdi::Colour v) { b.look_.ForeOver = v; }, Always)
            .Add<gdi::Colour>(
                KeyOf("MaskColor"), gdi::Colour(button::DefaultMaskColor), &sknButton::MaskColor,
                [](sknButton& b, gdi::Colour v) { b.look_.MaskColor = v; }, Always)
            .Add<std::int16_t>(
                KeyOf("MousePointer"), std::int16_t{0}, &sknButton::MousePointer,
                [](sknButton& b, std::int16_t v) {
                    // A kind the surface does not know leaves the cursor as it was.
                    static_cast<void>(b.Surface().SetMousePointer(v));
                },
                Always)
            .Add<host::PictureObject>(
                KeyOf("MouseIcon"), host::PictureObject(), &sknButton::MouseIcon,
                [](sknButton& b, const host::PictureObject& v) { b.Surface().SetMouseIcon(v); }, Always)
            .Add<host::PictureObject>(
                KeyOf("PictureNormal"), host::PictureObject(), &sknButton::PictureNormal,
                [](sknButton& b, const host::PictureObject& v) { b.pictureNormal_ = v; }, Always)
            .Add<host::PictureObject>(
                KeyOf("PictureOver"), host::PictureObject(), &sknButton::PictureOver,
                [](sknButton& b, const host::PictureObject& v) { b.pictureOver_ = v; }, Always)
            .Add<bool>(
                KeyOf("UseMaskColor"), true, &sknButton::UseMaskColor,
                [](sknButton& b, bool v) { b.look_.UseMaskColor = v; }, Always)
            .Add<bool>(
                KeyOf("SoftBevel"), false, &sknButton::SoftBevel,
                [](sknButton& b, bool v) { b.look_.SoftBevel = v; }, Always)
            .Add<std::int32_t>(
                KeyOf("PicturePosition"), std::int32_t{0}, &sknButton::PicturePosition,
                [](sknButton& b, std::int32_t v) { b.look_.PicturePosition = v; }, Always)
            .Add<bool>(
                KeyOf("UseGreyscale"), false, &sknButton::UseGreyscale,
                [](sknButton& b, bool v) { b.look_.UseGreyscale = v; }, Always)
            .Add<std::int32_t>(
                KeyOf("SpecialEffect"), std::int32_t{0}, &sknButton::SpecialEffect,
                [](sknButton& b, std::int32_t v) { b.look_.SpecialEffect = v; }, Always)
            // Applied through its setter, after the cursor kind and picture: it decides the cursor.
            .Add<bool>(
                KeyOf("HandPointer"), false, &sknButton::HandPointer,
                [](sknButton& b, bool v) { b.SetHandPointer(v); }, Always)
            .Add<bool>(
                KeyOf("CheckBoxBehaviour"), false, &sknButton::CheckBoxBehaviour,
                [](sknButton& b, bool v) { b.look_.CheckBoxBehaviour = v; }, Always)
            .Add<bool>(
                KeyOf("Value"), false, &sknButton::Value, [](sknButton& b, bool v) { b.look_.Value = v; },
                Always);
    return table;
}

// ---- painting support ----

const button::ButtonLook& sknButton::Look() {
    look_.Font = Host().ToQFont(Surface().Font());
    look_.IsDefault = Ambient().displayAsDefault;
    look_.SurfaceBackColor = Surface().BackColor();
    if (const QWidget* parent = parentWidget()) {
        look_.ParentBackColor = FromQColor(parent->palette().color(QPalette::Window));
        look_.ParentTextColor = FromQColor(parent->palette().color(QPalette::WindowText));
    }
    look_.PictureNormal = ToButtonPicture(pictureNormal_);
    look_.PictureOver = ToButtonPicture(pictureOver_);
    look_.BackDC = backBuffer_.Dc();
    return look_;
}

void sknButton::BuildPalette() {
    fields_.Palette = button::BuildPalette(button::PaletteSourceOf(Look()), Host().SysColours());
}

void sknButton::LayoutCaption() {
    gdi::DeviceContext& dc = Surface().hDC();
    const button::ButtonLook& look = Look();
    const button::ScopedFont font(dc, look.Font);
    fields_.Layout = button::LayoutCaption(dc, look, fields_.Layout);
}

void sknButton::SetAccessKey() {
    const std::optional<QChar> key = button::SetAccessKey(look_.Caption);
    Surface().SetAccessKeys(key ? QString(*key) : QString());
}

void sknButton::MeasurePicture() {
    look_.PicW = pictureNormal_.IsEmpty() ? 0 : HimetricSide(pictureNormal_.WidthHimetric());
    look_.PicH = pictureNormal_.IsEmpty() ? 0 : HimetricSide(pictureNormal_.HeightHimetric());
}

void sknButton::ApplyRegion() {
    const gdi::Region region = button::BuildRegion(look_.ButtonType, look_.Width, look_.Height);
    if (region && !region.Get()->region.isEmpty()) {
        setMask(region.Get()->region);
    } else {
        clearMask();
    }
}

bool sknButton::Paint(std::uint8_t state, bool force) {
    const std::uint8_t before = fields_.LastState;
    const bool drawn = button::PaintButton(Surface().hDC(), Look(), fields_, state, force);
    if (fields_.LastState != before) {
        ButtonAccessible::PressedChanged(this);
    }
    return drawn;
}

void sknButton::CaptureBackground() {
    // Style 11 shows what lies behind it: hide the button (height 0), let the parent repaint, and copy
    // the parent's pixels where the button stands. Whatever fails, the button gets its height back.
    QWidget* parent = parentWidget();
    if (parent == nullptr || !backBuffer_.IsCreated()) {
        return;
    }
    Capturing = true;
    const std::int32_t h = look_.Height;
    SetHeightTwips(0);
    Host().DoEvents();
    QImage behind(parent->size(), QImage::Format_RGB32);
    if (!behind.isNull()) {
        behind.fill(Qt::black);
        parent->render(&behind, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
        gdi::DeviceContext parentDc(behind, Host().SysColours());
        const gdi::Rect client{0, 0, parent->width(), parent->height()};
        const gdi::Rect self{x(), y(), x() + width(), y() + h};
        if (const std::optional<QPoint> origin = button::CaptureOrigin(self, client, client)) {
            backBuffer_.Capture(parentDc, *origin);
        }
    }
    SetHeightTwips(host::HostContext::ToTwips(h));
    Capturing = false;
}

// ---- lifecycle ----

void sknButton::UserControl_Initialize() {
    look_.RefreshOn = true;
}

void sknButton::UserControl_InitProperties() {
    look_.Enabled = true;
    look_.ShowFocusRect = true;
    look_.UseMaskColor = true;
    look_.Caption = Ambient().displayName;
    Surface().SetFont(Ambient().font);
    look_.ButtonType = 2;
    look_.ColorScheme = 1;
    BuildPalette();
    look_.BackColor = look_.BackOver = fields_.Palette.FaceColor;
    look_.ForeColor = look_.ForeOver = fields_.Palette.TextColor;
    look_.MaskColor = gdi::Colour(button::DefaultMaskColor);
    LayoutCaption();
}

void sknButton::UserControl_ReadProperties(host::PropertyBag& bag) {
    Properties().ReadProperties(*this, bag);
    Surface().SetEnabled(look_.Enabled);
    MeasurePicture();
    LayoutCaption();
    SetAccessKey();
}

void sknButton::UserControl_WriteProperties(host::PropertyBag& bag) {
    Properties().WriteProperties(*this, bag);
}

void sknButton::UserControl_Resize() {
    if (Capturing) {
        return;
    }
    look_.Width = Surface().ScaleWidth();
    look_.Height = Surface().ScaleHeight();
    look_.FocusRect = button::FocusRectFor(look_.ButtonType, look_.Width, look_.Height);
    LayoutCaption();
    ApplyRegion();
    if (look_.Height != 0) {
        Paint(button::StateUp, true);
    }
}

void sknButton::UserControl_Show() {
    if (look_.ButtonType == 11) {
        if (!backBuffer_.IsCreated()) {
            backBuffer_.Create(Surface().hDC(), look_.Width, look_.Height);
        }
        CaptureBackground();
    }
    look_.RefreshOn = true;
    BuildPalette();
    Paint(button::StateUp, true);
    Surface().Refresh();
}

void sknButton::UserControl_Paint() {
    BuildPalette();
}

void sknButton::UserControl_Hide() {
    look_.RefreshOn = false;
}

void sknButton::UserControl_Terminate() {
    look_.RefreshOn = false;
    overTimer_.stop();
    backBuffer_.Release();
}

void sknButton::UserControl_AmbientChanged(const QString&) {
    BuildPalette();
    Repaint();
}

void sknButton::UserControl_EnabledChanged() {
    // The window disabled directly (as the main window does during a pass) shows the disabled look too.
    if (look_.Enabled != Surface().Enabled()) {
        look_.Enabled = Surface().Enabled();
        Repaint();
    }
}

// ---- properties ----

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
    PropertyChanged(NotifyNameOf("BackColor"));
}

void sknButton::SetBackOver(gdi::Colour colour) {
    look_.BackOver = colour;
    BuildPalette();
    Repaint();
    PropertyChanged(NotifyNameOf("BackOver"));
}

void sknButton::SetForeColor(gdi::Colour colour) {
    look_.ForeColor = colour;
    if (!Host().UserMode()) {
        look_.ForeOver = colour;
    }
    BuildPalette();
    Repaint();
    PropertyChanged(NotifyNameOf("ForeColor"));
}

void sknButton::SetForeOver(gdi::Colour colour) {
    look_.ForeOver = colour;
    BuildPalette();
    Repaint();
    PropertyChanged(NotifyNameOf("ForeOver"));
}

void sknButton::SetMaskColor(gdi::Colour colour) {
    look_.MaskColor = colour;
    BuildPalette();
    Repaint();
    PropertyChanged(NotifyNameOf("MaskColor"));
}

void sknButton::SetColorScheme(std::int32_t scheme) {
    look_.ColorScheme = scheme;
    BuildPalette();
    Repaint();
    PropertyChanged(NotifyNameOf("ColorScheme"));
}

void sknButton::SetSoftBevel(bool soft) {
    look_.SoftBevel = soft;
    BuildPalette();
    Repaint();
    PropertyChanged(NotifyNameOf("SoftBevel"));
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
    PropertyChanged(NotifyNameOf("ButtonType"));
}

void sknButton::SetCaption(const QString& caption) {
    look_.Caption = caption;
    SetAccessKey();
    LayoutCaption();
    Repaint();
    PropertyChanged(NotifyNameOf("Caption"));
}

void sknButton::FontChanged() {
    LayoutCaption();
    Repaint();
}

void sknButton::SetFont(const host::FontObject& font) {
    Surface().SetFont(font);
    FontChanged();
    PropertyChanged(NotifyNameOf("Font"));
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
    PropertyChanged(NotifyNameOf("Enabled"));
}

void sknButton::SetShowFocusRect(bool show) {
    look_.ShowFocusRect = show;
    Repaint();
    PropertyChanged(NotifyNameOf("ShowFocusRect"));
}

void sknButton::SetSpecialEffect(std::int32_t effect) {
    look_.SpecialEffect = effect;
    Repaint();
    PropertyChanged(NotifyNameOf("SpecialEffect"));
}

void sknButton::SetCheckBoxBehaviour(bool check) {
    look_.CheckBoxBehaviour = check;
    Repaint();
    PropertyChanged(NotifyNameOf("CheckBoxBehaviour"));
}

void sknButton::SetValue(bool value) {
    look_.Value = value;
    if (look_.CheckBoxBehaviour) {
        Repaint();
    }
    PropertyChanged(NotifyNameOf("Value"));
}

void sknButton::SetUseGreyscale(bool greyscale) {
    look_.UseGreyscale = greyscale;
    if (!pictureNormal_.IsEmpty()) {
        Repaint();
    }
    PropertyChanged(NotifyNameOf("UseGreyscale"));
}

void sknButton::SetUseMaskColor(bool use) {
    look_.UseMaskColor = use;
    if (!pictureNormal_.IsEmpty()) {
        Repaint();
    }
    PropertyChanged(NotifyNameOf("UseMaskColor"));
}

void sknButton::SetPictureNormal(const host::PictureObject& picture) {
    pictureNormal_ = picture;
    MeasurePicture();
    LayoutCaption();
    Repaint();
    PropertyChanged(NotifyNameOf("PictureNormal"));
}

void sknButton::SetPictureOver(const host::PictureObject& picture) {
    pictureOver_ = picture;
    if (look_.Hovering) {
        Repaint();
    }
    PropertyChanged(NotifyNameOf("PictureOver"));
}

void sknButton::SetPicturePosition(std::int32_t position) {
    look_.PicturePosition = position;
    PropertyChanged(NotifyNameOf("PicturePosition"));
    LayoutCaption();
    Repaint();
}

void sknButton::SetMousePointer(std::int16_t pointer) {
    Surface().SetMousePointer(pointer);
    PropertyChanged(NotifyNameOf("MousePointer"));
}

void sknButton::SetMouseIcon(const host::PictureObject& icon) {
    Surface().SetMouseIcon(icon); // a picture the surface refuses leaves the cursor picture as it was
    PropertyChanged(NotifyNameOf("MouseIcon"));
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
    PropertyChanged(NotifyNameOf("HandPointer"));
}

} // namespace kelvo::controls
