#include "controls/progressbar/sknProgressBar.h"

#include <QAccessible>

#include "controls/progressbar/BarColour.h"
#include "controls/progressbar/ProgressBarAccessible.h"
#include "controls/progressbar/ProgressBarPainter.h"
#include "controls/progressbar/ProgressBarProperties.h"
#include "platform/host/HostContext.h"
#include "platform/host/PropertyBag.h"

namespace kelvo::controls {

namespace {

constexpr gdi::Colour White{0xFFFFFF};
constexpr gdi::Colour Highlight = gdi::Colour::System(13);

} // namespace

sknProgressBar::sknProgressBar(host::HostContext& host, QWidget* parent)
    : host::UserControl(host, parent)
    , buffer_(host.SysColours()) {
    // The bar only shows; the keyboard passes it by.
    setFocusPolicy(Qt::NoFocus);
}

QAccessibleInterface* sknProgressBar::CreateAccessible() {
    return new ProgressBarAccessible(this);
}

sknProgressBar::~sknProgressBar() = default;

const host::PropertyTable<sknProgressBar>& sknProgressBar::Properties() {
    // Reading stores each value quietly; the control paints once when the whole store has been read,
    // which is what the writes of the repainting properties would have left on the screen.
    using Bar = sknProgressBar;
    // The keys in the order they are read and written; a value equal to its default is left out of the
    // store. The colour's default is system colour 13, the selection highlight. Only the image announces
    // its changes, before the bar is drawn again.
    constexpr host::PropertyFlags Quiet{.quiet = true};
    constexpr host::PropertyFlags Redrawn{.effects = host::effect::Repaint, .quiet = true};
    static const auto table =
        host::PropertyTable<Bar>()
            .Add<std::int32_t>(
                QStringLiteral("BrushStyle"), 4, &Bar::eBrushStyle,
                [](Bar& b, std::int32_t v) { b.brushStyle_ = v; }, Quiet)
            .Add<gdi::Colour>(
                QStringLiteral("Color"), Highlight, &Bar::Color,
                [](Bar& b, gdi::Colour v) {
                    b.colour_ = progressbar::ResolveColour(v, b.Host().SysColours());
                },
                Redrawn)
            .Add<host::PictureObject>(QStringLiteral("Image"), host::PictureObject(), &Bar::Image,
                                      [](Bar& b, const host::PictureObject& v) { b.picture_ = v; },
                                      {.effects = host::effect::Repaint, .announceFirst = true})
            .Add<std::int32_t>(
                QStringLiteral("Max"), 100, &Bar::Max, [](Bar& b, std::int32_t v) { b.max_ = v; }, Quiet)
            .Add<std::int32_t>(
                QStringLiteral("Min"), 0, &Bar::Min, [](Bar& b, std::int32_t v) { b.min_ = v; }, Quiet)
            .Add<std::int32_t>(
                QStringLiteral("Orientation"), 0, &Bar::Orientation,
                [](Bar& b, std::int32_t v) { b.orientation_ = v; }, Redrawn)
            .Add<std::int32_t>(
                QStringLiteral("Scrolling"), 0, &Bar::Scrolling, [](Bar& b, std::int32_t v) { b.style_ = v; },
                Redrawn)
            .Add<bool>(
                QStringLiteral("ShowText"), false, &Bar::ShowText, [](Bar& b, bool v) { b.showText_ = v; },
                Redrawn)
            .Add<std::int32_t>(
                QStringLiteral("FillOrEmpty"), 1, &Bar::FillOrEmpty,
                [](Bar& b, std::int32_t v) { b.fillOrEmpty_ = v; }, Quiet)
            .Add<std::int32_t>(QStringLiteral("Value"), 0, &Bar::Value,
                               [](Bar& b, std::int32_t v) { b.value_ = v; });
    return table;
}

void sknProgressBar::SetColor(gdi::Colour colour) {
    Properties().Set(*this, u"Color", colour);
}

void sknProgressBar::SeteBrushStyle(std::int32_t style) {
    Properties().Set(*this, u"BrushStyle", style);
}

void sknProgressBar::SetFillOrEmpty(std::int32_t fillOrEmpty) {
    Properties().Set(*this, u"FillOrEmpty", fillOrEmpty);
}

void sknProgressBar::SetMax(std::int32_t max) {
    Properties().Set(*this, u"Max", max);
}

void sknProgressBar::SetMin(std::int32_t min) {
    Properties().Set(*this, u"Min", min);
}

void sknProgressBar::ApplyEffects(unsigned effects) {
    if ((effects & host::effect::Repaint) != 0) {
        DrawProgressBar();
    }
}

void sknProgressBar::SetFont(const host::FontObject& font) {
    font_ = font;
    installedFont_ = Host().ToQFont(font_);
}

void sknProgressBar::SetImage(const host::PictureObject& picture) {
    Properties().Set(*this, u"Image", picture);
}

void sknProgressBar::SetOrientation(std::int32_t orientation) {
    Properties().Set(*this, u"Orientation", orientation);
}

void sknProgressBar::SetScrolling(std::int32_t style) {
    Properties().Set(*this, u"Scrolling", style);
}

void sknProgressBar::SetShowText(bool showText) {
    Properties().Set(*this, u"ShowText", showText);
}

void sknProgressBar::SetValue(std::int32_t value) {
    const bool changed = value != value_;
    value_ = value;
    // The paint takes the surface's context, which has the window copy the surface to the screen in the
    // next turn of the event loop: that is the refresh. Asking the window to repaint at once as well
    // would paint the whole bar a second time for every value the pass sets.
    if (!PaintWouldRepeat()) {
        DrawProgressBar();
    }
    // Assistive technology hears of new values only: the pass writes each one ten times over.
    if (changed && QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, value_);
        QAccessible::updateAccessibility(&event);
    }
}

gdi::DeviceContext& sknProgressBar::hDC() {
    if (bufferInUse_ && buffer_.Dc() != nullptr) {
        return *buffer_.Dc();
    }
    return Surface().hDC();
}

void sknProgressBar::SethDC() {
    lastPaint_.reset(); // a buffer made afresh holds nothing of the last paint
    if (buffer_.EnsureBackBuffer(Surface().ScaleWidth(), Surface().ScaleHeight()) != nullptr) {
        bufferInUse_ = true;
    }
}

bool sknProgressBar::pDraw(gdi::DeviceContext& target, std::int32_t sourceX, std::int32_t sourceY,
                           std::int32_t width, std::int32_t height, std::int32_t destinationX,
                           std::int32_t destinationY) const {
    return buffer_.pDraw(target, sourceX, sourceY, width, height, destinationX, destinationY);
}

QString sknProgressBar::PercentText() const {
    return progressbar::PercentText(Look());
}

progressbar::ProgressBarLook sknProgressBar::Look() const {
    progressbar::ProgressBarLook look;
    look.colour = colour_;
    look.scrolling = style_;
    look.orientation = orientation_;
    look.fillOrEmpty = fillOrEmpty_;
    look.brushStyle = brushStyle_;
    look.showText = showText_;
    look.value = value_;
    look.max = max_;
    look.font = installedFont_;
    look.picture = picture_.Image();
    look.clientWidth = Surface().ScaleWidth();
    look.clientHeight = Surface().ScaleHeight();
    return look;
}

void sknProgressBar::DrawProgressBar() {
    const progressbar::ProgressBarLook look = Look();
    const progressbar::ScreenArea area{0, 0, look.clientWidth, look.clientHeight};
    const progressbar::ScreenTarget screen{Surface().Image(),
                                           [this]() -> gdi::DeviceContext& { return Surface().hDC(); }};
    const bool buffered = bufferInUse_ && buffer_.Dc() != nullptr &&
                          // A buffer smaller than the client (its growth was refused) would lose the rest.
                          buffer_.Width() >= look.clientWidth && buffer_.Height() >= look.clientHeight;
    if (!buffered) {
        lastPaint_.reset();
        state_ = progressbar::DrawProgressBar(nullptr, screen, area, look, state_);
        return;
    }
    PaintRecord record{look, state_, buffer_.Dc()->State(), 0};
    state_ = progressbar::DrawProgressBar(&buffer_, screen, area, look, state_);
    record.surfaceChanges = Surface().Changes();
    lastPaint_ = std::move(record);
}

bool sknProgressBar::PaintWouldRepeat() const {
    // The paint reads its look, the state the last paint left, the buffer context's drawing state and the
    // system colours, and paints over the whole client area of the buffer, so its result depends on
    // nothing else. Every line it draws starts with a move, so where the last paint left the pen does not
    // matter either.
    if (!lastPaint_ || !bufferInUse_ || buffer_.Dc() == nullptr ||
        Surface().Changes() != lastPaint_->surfaceChanges || lastPaint_->look.value != value_) {
        return false; // a new value, the commonest change, is told without building the look
    }
    gdi::DrawingState dc = buffer_.Dc()->State();
    dc.currentX = lastPaint_->dc.currentX;
    dc.currentY = lastPaint_->dc.currentY;
    return lastPaint_->state.Carried() == state_.Carried() && lastPaint_->dc == dc &&
           lastPaint_->look == Look();
}

void sknProgressBar::UserControl_Initialize() {
    SetFont(
        host::FontObject(QString::fromLatin1(progressbar::InitialFontName), progressbar::InitialFontSize));
    Surface().SetBackColor(White);
    SethDC();
    max_ = 100;
    min_ = 0;
    value_ = 0;
    orientation_ = 0;
    style_ = 0;
    colour_ = progressbar::ResolveColour(Highlight, Host().SysColours());
    DrawProgressBar();
}

void sknProgressBar::UserControl_ReadProperties(host::PropertyBag& bag) {
    Properties().ReadProperties(*this, bag);
    DrawProgressBar();
}

void sknProgressBar::UserControl_WriteProperties(host::PropertyBag& bag) {
    Properties().WriteProperties(*this, bag);
}

void sknProgressBar::UserControl_Resize() {
    // Only the buffer follows the size; the window's own paint after a resize draws the bar.
    SethDC();
}

void sknProgressBar::UserControl_Paint() {
    DrawProgressBar();
}

void sknProgressBar::UserControl_Terminate() {
    buffer_.DestroyBackBuffer();
    bufferInUse_ = false;
    lastPaint_.reset();
}

} // namespace kelvo::controls
