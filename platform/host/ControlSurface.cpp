#include "ControlSurface.h"

#include <QPainter>
#include <QShortcut>
#include <QWidget>

#include "HostContext.h"
#include "MousePointers.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/SelectedObject.h"

namespace kelvo::host {

ControlSurface::ControlSurface(const HostContext& host, QWidget& window,
                               std::function<void(QChar)> accessKeyPressed)
    : host_(host)
    , window_(window)
    , accessKeyPressed_(std::move(accessKeyPressed))
    , font_(host.AmbientFont()) {
    dc_ = std::make_unique<gdi::DeviceContext>(image_, host.SysColours());
    SelectPen();
    SelectBrush();
    SelectFont();
    gdi::SetTextColor(*dc_, host_.Resolve(foreColor_));
    gdi::SetBkColor(*dc_, host_.Resolve(backColor_));
    gdi::SetBkMode(*dc_, gdi::TRANSPARENT);
    gdi::SetROP2(*dc_, attributes_.drawMode);
}

ControlSurface::~ControlSurface() {
    // The context goes before the objects selected into it.
    dc_.reset();
}

gdi::DeviceContext& ControlSurface::hDC() {
    // Drawing through the context does not tell the surface what it drew, so taking the context counts
    // as drawing.
    Changed();
    return *dc_;
}

void ControlSurface::Changed() {
    ++changes_;
    // What is drawn while the window is being painted is copied right after; asking again would only
    // repaint the same pixels.
    if (!painting_) {
        window_.update();
    }
}

std::int32_t ControlSurface::ScaleWidth() const {
    return std::min(window_.width(), HostContext::MaxSide);
}

std::int32_t ControlSurface::ScaleHeight() const {
    return std::min(window_.height(), HostContext::MaxSide);
}

void ControlSurface::ClearImage(QImage& image) const {
    if (image.isNull()) {
        return;
    }
    image.fill(host_.Resolve(backColor_).ToQRgb());
    if (!picture_.IsEmpty()) {
        QPainter painter(&image);
        painter.drawImage(0, 0, picture_.Image());
    }
}

bool ControlSurface::Resize(QSize size) {
    const QSize wanted =
        size.expandedTo(QSize(0, 0)).boundedTo(QSize(HostContext::MaxSide, HostContext::MaxSide));
    if (image_.size() == wanted || (image_.isNull() && wanted.isEmpty())) {
        return false;
    }
    QImage next;
    if (!wanted.isEmpty()) {
        next = QImage(wanted, QImage::Format_RGB32);
        ClearImage(next);
        if (!image_.isNull()) {
            QPainter painter(&next);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(0, 0, image_);
        }
    }
    // The device context keeps drawing on this member, whatever image it now holds.
    image_ = std::move(next);
    RequestPaint();
    Changed();
    return true;
}

bool ControlSurface::BeginPaint() {
    painting_ = true;
    const bool raise = paintRequested_ && !autoRedraw_;
    paintRequested_ = false;
    return raise;
}

void ControlSurface::EndPaint(const QRect& area) {
    // On a high-resolution screen each surface pixel becomes a block of screen pixels of its own colour,
    // never a blend: the skin is drawn pixel by pixel at 96 DPI and smoothing would smear its one-pixel
    // edges. At a whole ratio (2, 3) every block is ratio x ratio pixels. At a fractional one (1.25,
    // 1.5) each screen pixel takes the surface pixel under its centre, so a one-pixel line shows one or
    // two screen pixels wide: uneven by a pixel, but sharp and in the skin's own colours.
    QPainter painter(&window_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(area.topLeft(), image_, area);
    painting_ = false;
}

void ControlSurface::Cls() {
    ClearImage(image_);
    currentX_ = 0;
    currentY_ = 0;
    dc_->SetCurrentPosition(0, 0);
    Changed();
}

void ControlSurface::Refresh() {
    if (painting_) {
        return; // the surface is being put on the screen right now
    }
    paintRequested_ = true;
    if (window_.isVisible()) {
        window_.repaint();
    } else {
        window_.update();
    }
}

void ControlSurface::SetBackColor(gdi::Colour colour) {
    backColor_ = colour;
    gdi::SetBkColor(*dc_, host_.Resolve(colour));
    Cls();
}

void ControlSurface::SetForeColor(gdi::Colour colour) {
    foreColor_ = colour;
    gdi::SetTextColor(*dc_, host_.Resolve(colour));
    SelectPen();
}

bool ControlSurface::Enabled() const {
    return !window_.testAttribute(Qt::WA_ForceDisabled);
}

void ControlSurface::SetEnabled(bool enabled) {
    window_.setEnabled(enabled);
}

void ControlSurface::SetFont(const FontObject& font) {
    font_ = font;
    SelectFont();
}

void ControlSurface::SetFontTransparent(bool transparent) {
    fontTransparent_ = transparent;
    gdi::SetBkMode(*dc_, transparent ? gdi::TRANSPARENT : gdi::OPAQUE);
}

bool ControlSurface::SetMousePointer(std::int16_t pointer) {
    if (!MousePointers::IsValid(pointer)) {
        return false;
    }
    mousePointer_ = pointer;
    ApplyCursor();
    return true;
}

bool ControlSurface::SetMouseIcon(const PictureObject& icon) {
    if (!icon.IsEmpty() && icon.Type() != PictureType::Icon) {
        return false;
    }
    mouseIcon_ = icon;
    ApplyCursor();
    return true;
}

void ControlSurface::ApplyCursor() {
    if (const std::optional<QCursor> cursor = MousePointers::Cursor(mousePointer_, mouseIcon_)) {
        window_.setCursor(*cursor);
    } else {
        window_.unsetCursor();
    }
}

void ControlSurface::SetAccessKeys(const QString& keys) {
    for (QShortcut* shortcut : shortcuts_) {
        delete shortcut;
    }
    shortcuts_.clear();
    accessKeys_ = keys;
    QString seen;
    for (const QChar key : keys) {
        const QChar upper = key.toUpper();
        if (!upper.isLetterOrNumber() || upper.unicode() > 127 || seen.contains(upper)) {
            continue;
        }
        seen.append(upper);
        auto* shortcut =
            new QShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(upper.unicode()))), &window_);
        shortcut->setContext(Qt::WindowShortcut);
        const auto fire = [this, key] {
            if (accessKeyPressed_) {
                accessKeyPressed_(key);
            }
        };
        QObject::connect(shortcut, &QShortcut::activated, &window_, fire);
        QObject::connect(shortcut, &QShortcut::activatedAmbiguously, &window_, fire);
        shortcuts_.push_back(shortcut);
    }
}

bool ControlSurface::SetDrawMode(std::int16_t mode) {
    if (mode < gdi::R2_BLACK || mode > gdi::R2_WHITE) {
        return false;
    }
    attributes_.drawMode = mode;
    gdi::SetROP2(*dc_, mode);
    return true;
}

bool ControlSurface::SetDrawStyle(std::int16_t style) {
    if (style < 0 || style > 6) {
        return false;
    }
    attributes_.drawStyle = style;
    SelectPen();
    return true;
}

bool ControlSurface::SetDrawWidth(std::int16_t width) {
    if (width < 1) {
        return false;
    }
    attributes_.drawWidth = width;
    SelectPen();
    return true;
}

bool ControlSurface::SetFillStyle(std::int16_t style) {
    if (style < 0 || style > 7) {
        return false;
    }
    attributes_.fillStyle = style;
    SelectBrush();
    return true;
}

void ControlSurface::SetFillColor(gdi::Colour colour) {
    attributes_.fillColor = colour;
    SelectBrush();
}

void ControlSurface::SetPicture(const PictureObject& picture) {
    picture_ = picture;
    Cls();
}

void ControlSurface::SelectPen() {
    gdi::Pen pen = SurfaceDrawing::MakePen(*dc_, attributes_, foreColor_);
    gdi::SelectObject(*dc_, pen);
    pen_ = std::move(pen);
}

void ControlSurface::SelectBrush() {
    gdi::Brush brush = SurfaceDrawing::MakeFillBrush(*dc_, attributes_);
    if (brush) {
        gdi::SelectObject(*dc_, brush);
    } else {
        gdi::SelectObject(*dc_, gdi::GetStockObject(gdi::NULL_BRUSH));
    }
    brush_ = std::move(brush);
}

void ControlSurface::SelectFont() {
    gdi::Font font = gdi::CreateFontIndirect(host_.ToQFont(font_));
    gdi::SelectObject(*dc_, font);
    gdiFont_ = std::move(font);
}

bool ControlSurface::Line(float x1, float y1, float x2, float y2, std::optional<gdi::Colour> colour) {
    currentX_ = x2;
    currentY_ = y2;
    Changed();
    return SurfaceDrawing::Line(*dc_, attributes_, x1, y1, x2, y2, colour.value_or(foreColor_));
}

bool ControlSurface::LineBox(float x1, float y1, float x2, float y2, std::optional<gdi::Colour> colour) {
    currentX_ = x2;
    currentY_ = y2;
    Changed();
    return SurfaceDrawing::Box(*dc_, attributes_, x1, y1, x2, y2, colour.value_or(foreColor_), false);
}

bool ControlSurface::LineBoxFilled(float x1, float y1, float x2, float y2,
                                   std::optional<gdi::Colour> colour) {
    currentX_ = x2;
    currentY_ = y2;
    Changed();
    return SurfaceDrawing::Box(*dc_, attributes_, x1, y1, x2, y2, colour.value_or(foreColor_), true);
}

bool ControlSurface::Circle(float x, float y, float radius, std::optional<gdi::Colour> colour,
                            std::optional<double> start, std::optional<double> end, double aspect) {
    currentX_ = x;
    currentY_ = y;
    Changed();
    return SurfaceDrawing::Circle(*dc_, attributes_, x, y, radius, colour.value_or(foreColor_), start, end,
                                  aspect);
}

} // namespace kelvo::host
