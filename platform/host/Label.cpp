#include "Label.h"

#include <algorithm>
#include <cmath>

#include <QPaintEvent>
#include <QPainter>
#include <QShortcut>

#include "FocusMark.h"
#include "HostContext.h"
#include "HostedAccessible.h"
#include "LabelAccessible.h"
#include "PropertyBag.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/Rect.h"
#include "platform/gdi/Text.h"

namespace kelvo::host {

namespace {

const gdi::Colour DefaultBackColor{0x8000000Fu};
const gdi::Colour DefaultForeColor{0x80000012u};

// The character after the first single "&", or none.
QChar AccessKeyOf(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&')) {
            continue;
        }
        if (caption.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption.at(i + 1);
    }
    return QChar();
}

} // namespace

Label::Label(HostContext& host, QWidget* parent)
    : ConstituentControl(host, parent)
    , font_(host.AmbientFont()) {}

void Label::SetCaption(const QString& caption) {
    // Figures are set every half second; listeners hear only of a caption that changed.
    const bool changed = caption != caption_;
    caption_ = caption;
    UpdateMnemonic();
    Changed();
    if (changed) {
        HostedAccessible::AnnounceName(this);
    }
}

void Label::SetLabelFor(QWidget* control) {
    if (labelFor_ != nullptr) {
        labelFor_->removeEventFilter(this);
    }
    labelFor_ = control;
    if (control != nullptr) {
        control->installEventFilter(this);
    }
    update();
}

void Label::SetActsAsLink(bool link) {
    actsAsLink_ = link;
    setFocusPolicy(link ? Qt::StrongFocus : Qt::NoFocus);
    if (link) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
}

QString Label::AccessibleText() const {
    return useMnemonic_ ? HostedAccessible::WithoutAccessMark(caption_) : caption_;
}

bool Label::FocusMarkShown() const {
    if (KeyboardFocus()) {
        return true;
    }
    const auto* control = qobject_cast<const HostedWidget*>(labelFor_.data());
    return control != nullptr && control->KeyboardFocus();
}

gdi::Rect Label::FocusMarkRect() const {
    // One pixel of air left and right of the text; the label's own edges bound it.
    const QSize text = MeasureText(wordWrap_, width());
    const int left = alignment_ == 1   ? width() - text.width()
                     : alignment_ == 2 ? (width() - text.width()) / 2
                                       : 0;
    return gdi::Rect{std::max(left - 1, 0), 0, std::min(left + text.width() + 1, width()),
                     std::min(text.height(), height())};
}

QAccessibleInterface* Label::CreateAccessible() {
    return new LabelAccessible(this);
}

bool Label::eventFilter(QObject* watched, QEvent* event) {
    if (watched == labelFor_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        update();
    }
    return ConstituentControl::eventFilter(watched, event);
}

void Label::focusOutEvent(QFocusEvent* event) {
    ConstituentControl::focusOutEvent(event);
    update();
}

void Label::AfterKeyDown(std::int16_t keyCode, std::int16_t shift) {
    constexpr std::int16_t KeyReturn = 13;
    constexpr std::int16_t KeySpace = 32;
    if (actsAsLink_ && shift == 0 && (keyCode == KeyReturn || keyCode == KeySpace)) {
        RaiseClick();
    }
}

bool Label::SetAlignment(std::int16_t alignment) {
    if (alignment < 0 || alignment > 2) {
        return false;
    }
    alignment_ = alignment;
    Changed();
    return true;
}

void Label::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    Changed();
}

void Label::SetWordWrap(bool wordWrap) {
    wordWrap_ = wordWrap;
    Changed();
}

bool Label::SetBackStyle(std::int16_t style) {
    if (style != 0 && style != 1) {
        return false;
    }
    backStyle_ = style;
    setAttribute(Qt::WA_OpaquePaintEvent, style == 1);
    update();
    return true;
}

void Label::SetBackColor(gdi::Colour colour) {
    backColor_ = colour;
    update();
}

void Label::SetForeColor(gdi::Colour colour) {
    foreColor_ = colour;
    update();
}

void Label::SetFont(const FontObject& font) {
    font_ = font;
    Changed();
}

void Label::SetUseMnemonic(bool useMnemonic) {
    useMnemonic_ = useMnemonic;
    UpdateMnemonic();
    Changed();
}

unsigned Label::DrawFormat() const {
    unsigned format = gdi::DT_WORDBREAK;
    if (alignment_ == 1) {
        format |= gdi::DT_RIGHT;
    } else if (alignment_ == 2) {
        format |= gdi::DT_CENTER;
    }
    if (!useMnemonic_) {
        format |= gdi::DT_NOPREFIX;
    }
    return format;
}

QSize Label::MeasureText(bool wrapAtWidth, int width) const {
    // Measuring needs a context with the font selected, not pixels: a one-pixel scratch surface serves.
    QImage scratch(1, 1, QImage::Format_RGB32);
    gdi::DeviceContext dc(scratch, Host().SysColours());
    gdi::Font font = gdi::CreateFontIndirect(Host().ToQFont(font_));
    const gdi::SelectedObject previous = gdi::SelectObject(dc, font);
    unsigned format = gdi::DT_CALCRECT | (useMnemonic_ ? 0u : gdi::DT_NOPREFIX);
    gdi::Rect rect{0, 0, wrapAtWidth ? width : 0, 0};
    if (wrapAtWidth) {
        format |= gdi::DT_WORDBREAK;
    }
    gdi::DrawTextA(dc, caption_, -1, rect, format);
    gdi::SelectObject(dc, previous);
    return QSize(int(std::clamp<std::int64_t>(rect.Width(), 0, HostContext::MaxSide)),
                 int(std::clamp<std::int64_t>(rect.Height(), 0, HostContext::MaxSide)));
}

void Label::Changed() {
    if (autoSize_) {
        const QSize measured = MeasureText(wordWrap_, width());
        resize(wordWrap_ ? width() : measured.width(), measured.height());
    }
    update();
}

void Label::UpdateMnemonic() {
    delete mnemonic_;
    mnemonic_ = nullptr;
    const QChar key = useMnemonic_ ? AccessKeyOf(caption_).toUpper() : QChar();
    if (key.isNull() || !key.isLetterOrNumber() || key.unicode() > 127) {
        return;
    }
    mnemonic_ = new QShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key.unicode()))), this);
    mnemonic_->setContext(Qt::WindowShortcut);
    connect(mnemonic_, &QShortcut::activated, this, &Label::FocusNext);
}

void Label::FocusNext() {
    // A label takes no focus itself; its access key goes to the next control that does.
    for (QWidget* next = nextInFocusChain(); next != nullptr && next != this;
         next = next->nextInFocusChain()) {
        if (next->isVisible() && next->isEnabled() && (next->focusPolicy() & Qt::TabFocus) != 0) {
            next->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    }
}

void Label::DrawCaption(QImage& image, QPoint origin) const {
    gdi::DeviceContext dc(image, Host().SysColours());
    gdi::Font font = gdi::CreateFontIndirect(Host().ToQFont(font_));
    const gdi::SelectedObject previous = gdi::SelectObject(dc, font);
    gdi::SetBkMode(dc, gdi::TRANSPARENT);
    const unsigned format = DrawFormat();
    const auto draw = [&](int dx, int dy, gdi::Colour colour) {
        gdi::SetTextColor(dc, colour);
        gdi::Rect place{dx - origin.x(), dy - origin.y(), dx - origin.x() + width(),
                        dy - origin.y() + height()};
        gdi::DrawTextA(dc, caption_, -1, place, format);
    };
    // The label's own Enabled decides its look: a disabled container (a frame holding its caption) stops
    // its input but does not grey the text.
    if (Enabled()) {
        draw(0, 0, Host().Resolve(foreColor_));
        if (FocusMarkShown()) {
            // The canvas may have more pixels than the label has units: the mark is placed in pixels.
            const qreal ratio = image.devicePixelRatio();
            const auto px = [ratio](std::int32_t units) {
                return static_cast<std::int32_t>(std::lround(units * ratio));
            };
            const gdi::Rect mark = FocusMarkRect();
            PaintFocusMark(dc,
                           gdi::Rect{px(mark.left - origin.x()), px(mark.top - origin.y()),
                                     px(mark.right - origin.x()), px(mark.bottom - origin.y())},
                           Host().Resolve(foreColor_));
        }
    } else {
        draw(1, 1, Host().SysColours().GetSysColor(gdi::COLOR_3DHIGHLIGHT));
        draw(0, 0, Host().SysColours().GetSysColor(gdi::COLOR_BTNSHADOW));
    }
    gdi::SelectObject(dc, previous);
}

QImage Label::TransparentCaption(QRect area) const {
    // The text is drawn twice, over black and over white; where the two differ the background shows
    // through, which gives each pixel's coverage exactly, smoothed glyph edges included.
    QImage overBlack = Canvas(area.size());
    overBlack.fill(0xFF000000u);
    QImage overWhite = Canvas(area.size());
    overWhite.fill(0xFFFFFFFFu);
    DrawCaption(overBlack, area.topLeft());
    DrawCaption(overWhite, area.topLeft());
    QImage caption(overBlack.size(), QImage::Format_ARGB32_Premultiplied);
    caption.setDevicePixelRatio(overBlack.devicePixelRatio());
    for (int y = 0; y < caption.height(); ++y) {
        const auto* black = reinterpret_cast<const QRgb*>(overBlack.constScanLine(y));
        const auto* white = reinterpret_cast<const QRgb*>(overWhite.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(caption.scanLine(y));
        for (int x = 0; x < caption.width(); ++x) {
            const int shows = (qRed(white[x]) - qRed(black[x]) + qGreen(white[x]) - qGreen(black[x]) +
                               qBlue(white[x]) - qBlue(black[x])) /
                              3;
            const int alpha = std::clamp(255 - shows, 0, 255);
            out[x] = qRgba(std::min(qRed(black[x]), alpha), std::min(qGreen(black[x]), alpha),
                           std::min(qBlue(black[x]), alpha), alpha);
        }
    }
    return caption;
}

QImage Label::Canvas(QSize size) const {
    // The text is drawn at the screen's resolution: on a high-resolution screen the image has more
    // pixels than the label has units, and drawing on it is scaled to match, so the glyphs get the
    // detail the screen can show while the layout stays the one measured in units. At a ratio of 1 it
    // is a plain image of the label's size.
    const qreal ratio = devicePixelRatioF();
    if (ratio == 1) {
        return QImage(size, QImage::Format_RGB32);
    }
    const auto device = [ratio](int side) {
        return static_cast<int>(std::clamp<qreal>(std::ceil(side * ratio), 1, HostContext::MaxSide * 4));
    };
    QImage image(device(size.width()), device(size.height()), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    return image;
}

void Label::paintEvent(QPaintEvent* event) {
    // Only the part being painted is drawn, so a large label never needs a large image.
    const QRect area = event->rect().intersected(rect());
    if (area.isEmpty()) {
        return;
    }
    QPainter painter(this);
    if (backStyle_ == 0) {
        painter.drawImage(area.topLeft(), TransparentCaption(area));
        return;
    }
    QImage image = Canvas(area.size());
    image.fill(Host().Resolve(backColor_).ToQRgb());
    DrawCaption(image, area.topLeft());
    painter.drawImage(area.topLeft(), image);
}

void Label::LoadNew() {
    font_ = Ambient().font;
    SetCaption(Ambient().displayName);
}

const PropertyTable<Label>& Label::Properties() {
    // Reading stores each value as it is; the caption is measured and the access key set once at the end.
    static const auto table =
        PropertyTable<Label>()
            .Add<QString>(
                QStringLiteral("Caption"), QString(), [](const Label& l) { return l.caption_; },
                [](Label& l, const QString& caption) { l.caption_ = caption; })
            .Add<std::int16_t>(
                QStringLiteral("Alignment"), std::int16_t{0}, [](const Label& l) { return l.alignment_; },
                [](Label& l, std::int16_t alignment) { l.alignment_ = alignment; }, {},
                [](std::int16_t alignment) {
                    return alignment >= 0 && alignment <= 2
                               ? QString()
                               : QStringLiteral("the alignment %1 is not 0, 1 or 2").arg(alignment);
                })
            .Add<bool>(
                QStringLiteral("AutoSize"), false, [](const Label& l) { return l.autoSize_; },
                [](Label& l, bool autoSize) { l.autoSize_ = autoSize; })
            .Add<bool>(
                QStringLiteral("WordWrap"), false, [](const Label& l) { return l.wordWrap_; },
                [](Label& l, bool wordWrap) { l.wordWrap_ = wordWrap; })
            .Add<std::int16_t>(QStringLiteral("BackStyle"), std::int16_t{1}, &Label::BackStyle,
                               &Label::SetBackStyle, {},
                               [](std::int16_t style) {
                                   return style == 0 || style == 1
                                              ? QString()
                                              : QStringLiteral("the back style %1 is not 0 or 1").arg(style);
                               })
            .Add<gdi::Colour>(QStringLiteral("BackColor"), DefaultBackColor, &Label::BackColor,
                              [](Label& l, gdi::Colour colour) { l.backColor_ = colour; })
            .Add<gdi::Colour>(QStringLiteral("ForeColor"), DefaultForeColor, &Label::ForeColor,
                              [](Label& l, gdi::Colour colour) { l.foreColor_ = colour; })
            .Add<FontObject>(
                QStringLiteral("Font"), [](const Label& l) { return l.Ambient().font; }, &Label::Font,
                [](Label& l, const FontObject& font) { l.font_ = font; })
            .Add<bool>(QStringLiteral("UseMnemonic"), true, &Label::UseMnemonic,
                       [](Label& l, bool useMnemonic) { l.useMnemonic_ = useMnemonic; })
            .Add<QString>(QStringLiteral("ToolTipText"), QString(), &Label::ToolTipText,
                          &Label::SetToolTipText)
            .Add<bool>(QStringLiteral("Visible"), true, &Label::Visible, &Label::setVisible)
            .Add<bool>(QStringLiteral("Enabled"), true, &Label::Enabled, &Label::setEnabled);
    return table;
}

void Label::LoadStored(PropertyBag& bag) {
    Properties().ReadProperties(*this, bag);
    UpdateMnemonic();
    Changed();
}

void Label::Save(PropertyBag& bag) {
    Properties().WriteProperties(*this, bag);
}

} // namespace kelvo::host
