#include "sknFrame3D.h"

#include <algorithm>
#include <cmath>

#include "FramePainter.h"
#include "FrameProperties.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/Rect.h"
#include "platform/gdi/Text.h"
#include "platform/gdi/WindowOps.h"
#include "platform/host/HostContext.h"
#include "platform/numeric/Numeric.h"

namespace kelvo::controls {

namespace {

host::Label* CaptionLabel(host::HostContext& host, QWidget* parent) {
    auto* label = new host::Label(host, parent);
    label->SetAutoSize(true);
    label->SetBackStyle(0);
    label->SetFont(host::FontObject(QString::fromLatin1(frameprops::NewFrame::CaptionFontName),
                                    frameprops::NewFrame::CaptionFontSize));
    return label;
}

} // namespace

sknFrame3D::sknFrame3D(host::HostContext& host, ErrorLog* log, QWidget* parent)
    : host::UserControl(host, parent)
    , log_(log) {
    // The frame is a picture and a gauge to look at; Tab passes it by.
    setFocusPolicy(Qt::NoFocus);
    // Made in stacking order: the blank at the back, the shadow copy over it, the caption on top, so the
    // offset shadow never hides the text it shadows.
    lblCaptionBlank = new host::Label(host, this);
    lblCaptionBlank->SetBackStyle(1);
    lblCaptionBlank->hide();
    lblCaptionShadow = CaptionLabel(host, this);
    lblCaptionShadow->hide();
    lblCaption = CaptionLabel(host, this);
    lblCaption->SetForeColor(gdi::Colour(frameprops::NewFrame::CaptionForeColor));
    Surface().SetFillColor(gdi::Colour(frameprops::NewFrame::SurfaceFillColor));
    Surface().SetFillStyle(frameprops::NewFrame::SurfaceFillStyle);
    Surface().SetDrawStyle(frameprops::NewFrame::SurfaceDrawStyle);
    Surface().SetMousePointer(frameprops::NewFrame::SurfaceMousePointer);
    for (host::Label* label : {lblCaptionBlank, lblCaptionShadow, lblCaption}) {
        ForwardEvents(label);
    }
}

void sknFrame3D::ForwardEvents(host::Label* label) {
    // The labels' mouse events reach the host with the label's own coordinates, as the label reports them.
    connect(label, &host::Label::Click, this, [this] { emit Click(); });
    connect(label, &host::Label::DblClick, this, [this] { emit DblClick(); });
    connect(label, &host::Label::MouseDown, this,
            [this](std::int16_t& button, std::int16_t& shift, float& x, float& y) {
                emit MouseDown(button, shift, x, y);
            });
    connect(label, &host::Label::MouseMove, this,
            [this](std::int16_t& button, std::int16_t& shift, float& x, float& y) {
                emit MouseMove(button, shift, x, y);
            });
    connect(label, &host::Label::MouseUp, this,
            [this](std::int16_t& button, std::int16_t& shift, float& x, float& y) {
                emit MouseUp(button, shift, x, y);
            });
}

void sknFrame3D::SetBackColor(gdi::Colour colour) {
    Properties().Set(*this, u"BackColor", colour);
}

void sknFrame3D::SetBackStyle(std::int16_t style) {
    Surface().SetBackStyle(style);
    Notify("BackStyle");
}

void sknFrame3D::SetBevelWidth(std::int32_t width) {
    bevelWidth_ = std::max(width, frameprops::MinimumBevelWidth);
    Notify("BevelWidth");
    Repaint();
}

void sknFrame3D::SetBorder3DHighlight(gdi::Colour colour) {
    Properties().Set(*this, u"Border3DHighlight", colour);
}

void sknFrame3D::SetBorder3DShadow(gdi::Colour colour) {
    Properties().Set(*this, u"Border3DShadow", colour);
}

void sknFrame3D::SetBorderType(std::int32_t type) {
    Properties().Set(*this, u"BorderType", type);
}

void sknFrame3D::SetCaption(const QString& caption) {
    lblCaption->SetCaption(caption);
    lblCaptionShadow->SetCaption(lblCaption->Caption());
    Notify("Caption");
    Repaint();
}

void sknFrame3D::SetCaption3D(std::int32_t style) {
    Properties().Set(*this, u"Caption3D", style);
}

void sknFrame3D::SetCaptionAlignment(std::int32_t alignment) {
    Properties().Set(*this, u"CaptionAlignment", alignment);
}

void sknFrame3D::SetCaptionLocation(std::int32_t location) {
    Properties().Set(*this, u"CaptionLocation", location);
}

void sknFrame3D::SetCaptionMAlignment(std::int32_t alignment) {
    // Narrowed to 16 bits; an alignment the labels refuse leaves them as they are.
    if (alignment >= INT16_MIN && alignment <= INT16_MAX) {
        lblCaption->SetAlignment(static_cast<std::int16_t>(alignment));
        lblCaptionShadow->SetAlignment(static_cast<std::int16_t>(alignment));
    }
    Notify("CaptionMAlignment");
    Repaint();
}

void sknFrame3D::SetCornerRadius(std::int32_t radius) {
    Properties().Set(*this, u"CornerDiameter", radius);
}

void sknFrame3D::SetDrawStyle(std::int32_t style) {
    if (style >= INT16_MIN && style <= INT16_MAX) {
        Surface().SetDrawStyle(static_cast<std::int16_t>(style));
    }
    Notify("DrawStyle");
    Repaint();
}

void sknFrame3D::SetEnabled(bool enabled) {
    Properties().Set(*this, u"Enabled", enabled);
}

void sknFrame3D::SetFillColor(gdi::Colour colour) {
    Properties().Set(*this, u"FillColor", colour);
}

void sknFrame3D::SetFillGradient(std::int32_t gradient) {
    Properties().Set(*this, u"FillGradient", gradient);
}

void sknFrame3D::SetFillStyle(std::int32_t style) {
    if (style >= INT16_MIN && style <= INT16_MAX) {
        Surface().SetFillStyle(static_cast<std::int16_t>(style));
    }
    Notify("FillStyle");
    Repaint();
}

void sknFrame3D::SetFloodColor(gdi::Colour colour) {
    floodColor_ = colour;
    Notify("FloodColor");
    DrawFlood();
}

void sknFrame3D::SetFloodPercent(std::int32_t percent) {
    const std::int32_t old = floodPercent_;
    floodPercent_ = std::clamp(percent, 0, 100);
    Notify("FloodPercent");
    DrawFlood();
    // Drawing the bar only adds to it: a shorter bar needs the whole pass to take the old one away.
    if (floodPercent_ <= old) {
        Repaint();
    }
}

void sknFrame3D::SetFloodShowPct(bool show) {
    floodShowPct_ = show;
    // Switching it off leaves both labels empty: the caption it replaced is gone.
    SetLabelsText(show ? QString::number(floodPercent_) + QLatin1Char('%') : QString());
    Notify("FloodShowPct");
}

void sknFrame3D::SetFloodType(std::int32_t type) {
    Properties().Set(*this, u"FloodType", type);
}

template <typename Change> void sknFrame3D::ChangeFont(Change change) {
    host::FontObject font = lblCaption->Font();
    change(font);
    lblCaption->SetFont(font);
    lblCaptionShadow->SetFont(font);
}

void sknFrame3D::SetFont(const host::FontObject& font) {
    ChangeFont([&font](host::FontObject& f) { f = font; });
    Notify("Font");
    Repaint();
}

void sknFrame3D::SetFontBold(bool bold) {
    ChangeFont([bold](host::FontObject& f) { f.SetBold(bold); });
    Notify("FontBold");
    Repaint();
}

void sknFrame3D::SetFontItalic(bool italic) {
    ChangeFont([italic](host::FontObject& f) { f.SetItalic(italic); });
    Notify("FontItalic");
    Repaint();
}

void sknFrame3D::SetFontName(const QString& name) {
    ChangeFont([&name](host::FontObject& f) { f.SetName(name); });
    Notify("FontName");
    Repaint();
}

std::int32_t sknFrame3D::FontSize() const {
    return numeric::CLng(Font().Size()).value_or(0);
}

void sknFrame3D::SetFontSize(std::int32_t size) {
    // A size the font refuses (0, negative, too large) keeps the one it has.
    ChangeFont([size](host::FontObject& f) { f.SetSize(static_cast<float>(size)); });
    Notify("FontSize");
    Repaint();
}

void sknFrame3D::SetFontUnderline(bool underline) {
    ChangeFont([underline](host::FontObject& f) { f.SetUnderline(underline); });
    Notify("FontUnderline");
}

void sknFrame3D::SetForeColor(gdi::Colour colour) {
    Properties().Set(*this, u"ForeColor", colour);
}

void sknFrame3D::SetMouseIcon(const host::PictureObject& icon) {
    Properties().Set(*this, u"MouseIcon", icon);
}

void sknFrame3D::SetMousePointer(std::int32_t pointer) {
    if (pointer >= INT16_MIN && pointer <= INT16_MAX) {
        Surface().SetMousePointer(static_cast<std::int16_t>(pointer));
    }
    Notify("MousePointer");
}

void sknFrame3D::SetPicture(const host::PictureObject& picture) {
    Properties().Set(*this, u"Picture", picture);
}

void sknFrame3D::SetUseMnemonic(bool useMnemonic) {
    lblCaption->SetUseMnemonic(useMnemonic);
    lblCaptionShadow->SetUseMnemonic(useMnemonic);
    Notify("UseMnemonic");
    Repaint();
}

void sknFrame3D::SetLabelsText(const QString& text) {
    lblCaption->SetCaption(text);
    lblCaptionShadow->SetCaption(text);
}

FrameLook sknFrame3D::Look() const {
    FrameLook look;
    look.scaleWidth = static_cast<float>(Surface().ScaleWidth());
    look.scaleHeight = static_cast<float>(Surface().ScaleHeight());
    look.borderType = borderType_;
    look.bevelInner = bevelInner_;
    look.bevelWidth = bevelWidth_;
    look.cornerRadius = cornerRadius_;
    look.caption3D = caption3D_;
    look.captionAlignment = captionAlignment_;
    look.captionLocation = captionLocation_;
    look.fillGradient = fillGradient_;
    look.floodPercent = floodPercent_;
    look.floodType = floodType_;
    look.floodShowPct = floodShowPct_;
    look.border3DHighlight = highlight_;
    look.border3DShadow = shadow_;
    look.backColor = backColor_;
    look.floodColor = floodColor_;
    look.surface = Surface().Attributes();
    look.picture = Surface().Picture().Image();
    look.caption = lblCaption->Caption();
    look.captionSize = lblCaption->MeasureText(false, 0);
    if (floodShowPct_) {
        look.percentSize = MeasureCaption(FloodPercentText(floodPercent_));
    }
    return look;
}

QSize sknFrame3D::MeasureCaption(const QString& text) const {
    // A text the label does not carry yet (the percentage): measured as the label will measure it.
    QImage scratch(1, 1, QImage::Format_RGB32);
    gdi::DeviceContext dc(scratch, Host().SysColours());
    gdi::Font font = gdi::CreateFontIndirect(Host().ToQFont(lblCaption->Font()));
    const gdi::SelectedObject previous = gdi::SelectObject(dc, font);
    gdi::Rect rect{0, 0, 0, 0};
    gdi::DrawTextA(dc, text, -1, rect,
                   gdi::DT_CALCRECT | (lblCaption->UseMnemonic() ? 0u : gdi::DT_NOPREFIX));
    gdi::SelectObject(dc, previous);
    return QSize(int(std::clamp<std::int64_t>(rect.Width(), 0, host::HostContext::MaxSide)),
                 int(std::clamp<std::int64_t>(rect.Height(), 0, host::HostContext::MaxSide)));
}

void sknFrame3D::UserControl_Resize() {
    Surface().SetEnabled(enabled_);
    const FramePaintResult result = PaintFrame(Surface().hDC(), Look(), state_);
    Apply(result, true);
}

void sknFrame3D::DrawFlood() {
    const FramePaintResult result = PaintFlood(Surface().hDC(), Look(), state_);
    Apply(result, floodShowPct_);
}

void sknFrame3D::DrawGradiant() {
    controls::DrawGradiant(Surface().hDC(), Look());
}

void sknFrame3D::Apply(const FramePaintResult& result, bool placeLabels) {
    state_ = result.state;
    // The pass prepares the surface with draw mode 13 (copy pen), and the surface keeps it.
    Surface().SetDrawMode(gdi::R2_COPYPEN);
    if (result.region) {
        region_ = result.region;
        gdi::Region region = CreateFrameRegion(*region_);
        gdi::SetWindowRgn(this, region, true);
    }
    if (result.foreColor) {
        Surface().SetForeColor(*result.foreColor);
    }
    if (placeLabels) {
        const FrameLabels& labels = state_.labels;
        if (lblCaption->Caption() != labels.text) {
            SetLabelsText(labels.text);
        }
        lblCaption->MovePixels(labels.caption.x(), labels.caption.y(), lblCaption->width(),
                               lblCaption->height());
        lblCaptionShadow->setVisible(labels.shadowVisible);
        if (labels.shadowVisible) {
            lblCaptionShadow->MovePixels(labels.shadow.x(), labels.shadow.y(), lblCaptionShadow->width(),
                                         lblCaptionShadow->height());
        }
        lblCaptionBlank->setVisible(labels.blankVisible);
        if (labels.blankVisible) {
            lblCaptionBlank->SetBackColor(backColor_);
            const auto extent = [](double value) {
                return numeric::CLng(std::clamp(value, 0.0, double(host::HostContext::MaxSide))).value_or(0);
            };
            lblCaptionBlank->MovePixels(labels.blank.x(), labels.blank.y(), extent(labels.blank.width()),
                                        extent(labels.blank.height()));
        }
    }
    for (const FrameError& error : result.errors) {
        LogError(false, error);
    }
}

void sknFrame3D::UserControl_AccessKeyPress(std::int16_t keyAscii) {
    static_cast<void>(keyAscii);
    emit Click();
}

void sknFrame3D::LogError(bool showMessage, const FrameError& error) {
    if (log_ != nullptr) {
        log_->LogError(showMessage, QString::number(error.number), error.description,
                       QString::fromLatin1(ModuleName), error.procedure);
    }
}

} // namespace kelvo::controls
