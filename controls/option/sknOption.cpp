#include "sknOption.h"

#include <QAccessible>
#include <QImage>

#include "OptionAccessible.h"

#include "controls/ControlResources.h"
#include "platform/host/HostContext.h"
#include "platform/host/PropertyBag.h"

namespace kelvo::controls {

namespace {

// The state images are compiled into the program; without them (a broken build) a plain drawn box still
// tells the states apart.
host::PictureObject StateImage(const QString& path, QSize size, bool set) {
    QImage image(path);
    if (image.isNull() || image.size() != size) {
        image = QImage(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        for (int x = 0; x < size.width(); ++x) {
            image.setPixel(x, 0, 0xff808080);
            image.setPixel(x, size.height() - 1, 0xff808080);
        }
        for (int y = 0; y < size.height(); ++y) {
            image.setPixel(0, y, 0xff808080);
            image.setPixel(size.width() - 1, y, 0xff808080);
        }
        if (set) {
            for (int y = 4; y < size.height() - 4; ++y) {
                for (int x = 4; x < size.width() - 4; ++x) {
                    image.setPixel(x, y, 0xff000000);
                }
            }
        }
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
    , picRON((InitControlResources(), StateImage(setImage, imageSize, true)))
    , picROFF(StateImage(clearedImage, imageSize, false)) {
    picRadio = new host::PictureBox(host, this);
    picRadio->Move(0, 0, imageSize.width(), imageSize.height());
    picRadio->SetPicture(picROFF);
    lblCaption = new host::Label(host, this);
    lblCaption->Move(18, 2, 103, 13);
    lblCaption->SetBackStyle(0);
    lblCaption->SetCaption(QStringLiteral("Option"));
    connect(picRadio, &host::PictureBox::Click, this, &sknOption::HandleClick);
    connect(lblCaption, &host::Label::Click, this, &sknOption::HandleClick);
    // Screen readers see a radio button (or a check box) named by the caption beside it on the form.
    OptionAccessible::Install();
}

void sknOption::SetCaption(const QString& caption) {
    lblCaption->SetCaption(caption);
    PropertyChanged(QStringLiteral("Caption"));
}

void sknOption::SetEnabled(bool enabled) {
    UserControl::SetEnabled(enabled);
    PropertyChanged(QStringLiteral("Enabled"));
}

void sknOption::SetFont(const host::FontObject& font) {
    UserControl::SetFont(font);
    PropertyChanged(QStringLiteral("Font"));
}

void sknOption::SetForeColor(gdi::Colour colour) {
    UserControl::SetForeColor(colour);
    PropertyChanged(QStringLiteral("ForeColor"));
}

void sknOption::SetToolTipText(const QString& text) {
    lblCaption->SetToolTipText(text);
    picRadio->SetToolTipText(text);
    PropertyChanged(QStringLiteral("ToolTipText"));
}

void sknOption::ShowValue() {
    picRadio->SetPicture(value_ ? picRON : picROFF);
}

void sknOption::SetValue(bool value) {
    value_ = value;
    ShowValue();
    PropertyChanged(QStringLiteral("Value"));
    emit Change();
}

void sknOption::ClickAction() {
    value_ = true;
    ShowValue();
    emit Change();
    PropertyChanged(QStringLiteral("Value"));
}

void sknOption::HandleClick() {
    ClickAction();
    emit Click();
}

void sknOption::UserControl_Click() {
    HandleClick();
}

void sknOption::UserControl_InitProperties() {
    UserControl::SetFont(Ambient().font);
    value_ = false;
    ShowValue();
}

void sknOption::UserControl_ReadProperties(host::PropertyBag& bag) {
    UserControl::SetEnabled(bag.Read(QStringLiteral("Enabled"), true));
    UserControl::SetFont(bag.Read(QStringLiteral("Font"), Ambient().font));
    const gdi::Colour fore = bag.Read(QStringLiteral("ForeColor"), DefaultForeColor);
    if (Host().SysColours().OleTranslateColor(fore)) {
        UserControl::SetForeColor(fore);
    } else {
        bag.ReportError(QStringLiteral("ForeColor"), QStringLiteral("not a colour reference"));
        UserControl::SetForeColor(DefaultForeColor);
    }
    lblCaption->SetToolTipText(bag.Read(QStringLiteral("ToolTipText"), QString()));
    value_ = bag.Read(QStringLiteral("Value"), false);
    lblCaption->SetCaption(bag.Read(QStringLiteral("Caption"), QString()));
    ShowValue();
}

void sknOption::UserControl_WriteProperties(host::PropertyBag& bag) {
    bag.Write(QStringLiteral("Enabled"), Enabled(), true);
    bag.Write(QStringLiteral("Font"), Font(), Ambient().font);
    bag.Write(QStringLiteral("ForeColor"), ForeColor(), DefaultForeColor);
    bag.Write(QStringLiteral("ToolTipText"), lblCaption->ToolTipText(), QString());
    bag.Write(QStringLiteral("Value"), value_, false);
    bag.Write(QStringLiteral("Caption"), lblCaption->Caption(), QString());
}

void sknOption::UserControl_Resize() {
    picRadio->SetTop(ScaleHeight() / 2.0 - picRadio->Height() / 2.0);
}

void sknOption::UserControl_KeyDown(std::int16_t& keyCode, std::int16_t& shift) {
    emit KeyDown(keyCode, shift);
}

void sknOption::UserControl_KeyUp(std::int16_t& keyCode, std::int16_t& shift) {
    emit KeyUp(keyCode, shift);
}

void sknOption::UserControl_KeyPress(std::int16_t& keyAscii) {
    emit KeyPress(keyAscii);
}

void sknOption::UserControl_MouseDown(std::int16_t& button, std::int16_t& shift, float& x, float& y) {
    emit MouseDown(button, shift, x, y);
}

void sknOption::UserControl_MouseMove(std::int16_t& button, std::int16_t& shift, float& x, float& y) {
    emit MouseMove(button, shift, x, y);
}

void sknOption::UserControl_MouseUp(std::int16_t& button, std::int16_t& shift, float& x, float& y) {
    emit MouseUp(button, shift, x, y);
}

} // namespace kelvo::controls
