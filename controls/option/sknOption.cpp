#include "sknOption.h"

#include <utility>

#include <QImage>

#include "OptionAccessible.h"
#include "StateImagePainter.h"

#include "controls/ControlResources.h"
#include "platform/host/HostContext.h"
#include "platform/host/PropertyBag.h"

namespace kelvo::controls {

namespace {

// The state images are compiled into the program; without them (a broken build) a plain drawn box still
// tells the states apart.
host::PictureObject StateImage(const host::HostContext& host, const QString& path, QSize size, bool set) {
    QImage image(path);
    if (image.isNull() || image.size() != size) {
        image = QImage(size, QImage::Format_RGB32);
        gdi::DeviceContext dc(image, host.SysColours());
        PaintStateImage(dc, StateImageLook{.width = size.width(), .height = size.height(), .set = set});
    }
    return host::PictureObject::FromImage(image);
}

} // namespace

sknOption::sknOption(host::HostContext& host, QWidget* parent)
    : sknOption(host, parent, QStringLiteral(":/images/option_set.png"),
                QStringLiteral(":/images/option_cleared.png"), QSize(14, 15)) {}

sknOption::sknOption(host::HostContext& host, QWidget* parent, const QString& setImage,
                     const QString& clearedImage, QSize imageSize)
    : host::UserControl(host, parent)
    , picRON((InitControlResources(), StateImage(host, setImage, imageSize, true)))
    , picROFF(StateImage(host, clearedImage, imageSize, false)) {
    picRadio = new host::PictureBox(host, this);
    picRadio->MovePixels(0, 0, imageSize.width(), imageSize.height());
    picRadio->SetPicture(picROFF);
    lblCaption = new host::Label(host, this);
    lblCaption->MovePixels(18, 2, 103, 13);
    lblCaption->SetBackStyle(0);
    lblCaption->SetCaption(QStringLiteral("Option"));
    // A click on the image or the caption is a click on the control; their mouse events are not.
    const auto clicked = [this] {
        if (ClickAction()) {
            emit Click();
        }
    };
    connect(picRadio, &host::PictureBox::Click, this, clicked);
    connect(lblCaption, &host::Label::Click, this, clicked);
    lblCaption->SetLabelFor(this);
}

QAccessibleInterface* sknOption::CreateAccessible() {
    return new OptionAccessible(this);
}

const host::PropertyTable<sknOption>& sknOption::Properties() {
    static const auto table =
        host::PropertyTable<sknOption>()
            .Add<bool>(QStringLiteral("Enabled"), true, &sknOption::Enabled,
                       [](sknOption& o, bool enabled) { o.Surface().SetEnabled(enabled); })
            .Add<host::FontObject>(
                QStringLiteral("Font"), [](const sknOption& o) { return o.Ambient().font; }, &sknOption::Font,
                [](sknOption& o, const host::FontObject& font) { o.Surface().SetFont(font); },
                {.setOnInit = true})
            .Add<gdi::Colour>(QStringLiteral("ForeColor"), DefaultForeColor, &sknOption::ForeColor,
                              [](sknOption& o, gdi::Colour colour) { o.Surface().SetForeColor(colour); })
            .Add<QString>(QStringLiteral("ToolTipText"), QString(), &sknOption::ToolTipText,
                          [](sknOption& o, const QString& text) { o.lblCaption->SetToolTipText(text); })
            .Add<bool>(QStringLiteral("Value"), false, &sknOption::Value,
                       [](sknOption& o, bool value) { o.value_ = value; }, {.setOnInit = true})
            .Add<QString>(QStringLiteral("Caption"), QString(), &sknOption::Caption,
                          [](sknOption& o, const QString& caption) { o.lblCaption->SetCaption(caption); });
    return table;
}

void sknOption::SetCaption(const QString& caption) {
    Properties().Set(*this, u"Caption", caption);
}

void sknOption::SetEnabled(bool enabled) {
    Properties().Set(*this, u"Enabled", enabled);
}

void sknOption::SetFont(const host::FontObject& font) {
    Properties().Set(*this, u"Font", font);
}

void sknOption::SetForeColor(gdi::Colour colour) {
    Properties().Set(*this, u"ForeColor", colour);
}

void sknOption::SetToolTipText(const QString& text) {
    lblCaption->SetToolTipText(text);
    picRadio->SetToolTipText(text);
    PropertyChanged(QStringLiteral("ToolTipText"));
}

void sknOption::ShowValue() {
    picRadio->SetPicture(value_ ? picRON : picROFF);
}

void sknOption::StoreValue(bool value) {
    const bool changed = value != value_;
    value_ = value;
    ShowValue();
    if (changed) {
        QAccessible::State checked;
        checked.checked = true;
        host::HostedAccessible::AnnounceState(this, checked);
    }
}

void sknOption::SetValue(bool value) {
    StoreValue(value);
    PropertyChanged(QStringLiteral("Value"));
    emit Change();
}

bool sknOption::ClickAction() {
    StoreValue(ClickedValue());
    emit Change();
    PropertyChanged(QStringLiteral("Value"));
    return true;
}

namespace {
constexpr std::int16_t KeySpace = 32;
} // namespace

void sknOption::AfterKeyDown(std::int16_t keyCode, std::int16_t shift) {
    spaceDown_ = keyCode == KeySpace && shift == 0;
}

void sknOption::AfterKeyUp(std::int16_t keyCode, std::int16_t shift) {
    static_cast<void>(shift);
    if (keyCode == KeySpace && std::exchange(spaceDown_, false)) {
        RaiseClick();
    }
}

void sknOption::UserControl_InitProperties() {
    Properties().InitProperties(*this);
    ShowValue();
}

void sknOption::UserControl_ReadProperties(host::PropertyBag& bag) {
    Properties().ReadProperties(*this, bag);
    ShowValue();
}

void sknOption::UserControl_WriteProperties(host::PropertyBag& bag) {
    Properties().WriteProperties(*this, bag);
}

void sknOption::UserControl_Resize() {
    picRadio->SetTopPixels(Surface().ScaleHeight() / 2.0 - picRadio->height() / 2.0);
}

} // namespace kelvo::controls
