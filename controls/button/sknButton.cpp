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
#include "platform/host/Form.h"
#include "platform/host/HostContext.h"
#include "platform/host/MousePointers.h"
#include "platform/host/PropertyBag.h"

namespace kelvo::controls {

namespace {

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
    // OverTimer asks for 3 ms, below what window timers deliver: the desktop's timers raise any shorter
    // interval to 10 ms, and so do we. Polling faster would cost CPU while hovering and show nothing more.
    constexpr int OverInterval = 3;
    constexpr int TimerMinimum = 10;
    overTimer_.setInterval(std::max(OverInterval, TimerMinimum));
    connect(&overTimer_, &QTimer::timeout, this, &sknButton::OverTimer_Timer);
}

QAccessibleInterface* sknButton::CreateAccessible() {
    return new ButtonAccessible(this);
}

sknButton::~sknButton() = default;

QString sknButton::Version() {
    return QString::fromLatin1(button::ButtonVersion);
}

// ---- painting support ----

const button::ButtonLook& sknButton::Look() {
    look_.Font = Host().ToQFont(Surface().Font());
    look_.IsDefault = Ambient().displayAsDefault;
    look_.SurfaceBackColor = Surface().BackColor();
    if (const QWidget* parent = parentWidget()) {
        // A form paints itself in its own colours, which the toolkit's palette knows nothing of.
        const auto* form = qobject_cast<const host::Form*>(parent);
        look_.ParentBackColor = form != nullptr ? Host().Resolve(form->BackColor())
                                                : FromQColor(parent->palette().color(QPalette::Window));
        look_.ParentTextColor = form != nullptr ? Host().Resolve(form->ForeColor())
                                                : FromQColor(parent->palette().color(QPalette::WindowText));
    }
    look_.PictureNormal = ToButtonPicture(pictureNormal_);
    look_.PictureOver = ToButtonPicture(pictureOver_);
    look_.BackDC = backBuffer_.Dc();
    return look_;
}

void sknButton::BuildPalette() {
    carried_.Palette = button::BuildPalette(button::PaletteSourceOf(Look()), Host().SysColours());
}

void sknButton::LayoutCaption() {
    gdi::DeviceContext& dc = Surface().hDC();
    const button::ButtonLook& look = Look();
    const button::ScopedFont font(dc, look.Font);
    carried_.Layout = button::LayoutCaption(dc, look, carried_.Layout);
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
    overCache_.valid = false; // the shape the last answer was for is gone
    const gdi::Region region = button::BuildRegion(look_.ButtonType, look_.Width, look_.Height);
    if (region && !region.Get()->region.isEmpty()) {
        setMask(region.Get()->region);
    } else {
        clearMask();
    }
}

bool sknButton::Paint(std::uint8_t state, bool force) {
    const std::optional<button::ButtonLook> look = button::LookToPaint(Look(), carried_, state, force);
    if (!look) {
        return false;
    }
    const std::uint8_t before = carried_.LastState;
    carried_ = button::PaintButton(Surface().hDC(), *look, carried_);
    if (carried_.LastState != before) {
        ButtonAccessible::PressedChanged(this);
    }
    return true;
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
    // The table starts the type, the scheme, the colours (those of the system scheme, as its palette has
    // them), the mask and the switches that are on; the caption and font are the form's.
    Properties().InitProperties(*this);
    look_.Caption = Ambient().displayName;
    Surface().SetFont(Ambient().font);
    BuildPalette();
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

} // namespace kelvo::controls
