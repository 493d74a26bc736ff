#include "controls/button/ButtonCaption.h"

#include <algorithm>
#include <array>

#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/Text.h"

namespace kelvo::controls::button {

namespace {

// Measuring wraps words to the working width; drawing centres each line in the caption rectangle.
constexpr unsigned MeasureFormat = gdi::DT_CALCRECT | gdi::DT_WORDBREAK;
constexpr unsigned DrawFormat = gdi::DT_CENTER | gdi::DT_VCENTER | gdi::DT_WORDBREAK;

// The characters the Western code page holds in 0x80..0x9F besides the five it passes through.
constexpr std::array<char16_t, 27> CodePageExtras{0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x017D, 0x2018,
                                                  0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC,
                                                  0x2122, 0x0161, 0x203A, 0x0153, 0x017E, 0x0178};

bool InCodePage(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return true;
    }
    if (c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) {
        return true;
    }
    return std::find(CodePageExtras.begin(), CodePageExtras.end(), c) != CodePageExtras.end();
}

std::int32_t Clamp32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

gdi::Rect Moved(const gdi::Rect& rect, std::int64_t dx, std::int64_t dy) {
    return gdi::Rect{Clamp32(rect.left + dx), Clamp32(rect.top + dy), Clamp32(rect.right + dx),
                     Clamp32(rect.bottom + dy)};
}

} // namespace

QString AnsiForm(const QString& caption) {
    QString narrow;
    narrow.reserve(caption.size());
    for (const char32_t c : caption.toUcs4()) {
        if (InCodePage(c)) {
            narrow += QChar(static_cast<char16_t>(c));
        } else {
            narrow += QLatin1Char('?');
        }
    }
    return narrow;
}

std::optional<QChar> SetAccessKey(const QString& caption) {
    const QChar mark = QLatin1Char('&');
    if (caption.size() < 2) {
        return std::nullopt;
    }
    qsizetype at = caption.indexOf(mark);
    if (at < 0 || at == caption.size() - 1) {
        return std::nullopt;
    }
    if (caption[at + 1] != mark) {
        return caption[at + 1].toLower();
    }
    // A literal ampersand: one more mark further on may still name the key.
    at = caption.indexOf(mark, at + 2);
    if (at < 0 || at == caption.size() - 1 || caption[at + 1] == mark) {
        return std::nullopt;
    }
    return caption[at + 1].toLower();
}

CaptionLayout LayoutCaption(gdi::DeviceContext& dc, const ButtonLook& look, const CaptionLayout& previous) {
    const std::int64_t w = look.Width;
    const std::int64_t h = look.Height;
    const std::int64_t picW = look.PicW;
    const std::int64_t picH = look.PicH;
    const auto box = [](std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) {
        return gdi::Rect{Clamp32(l), Clamp32(t), Clamp32(r), Clamp32(b)};
    };
    gdi::Rect work = previous.PressedCaptionRect;
    switch (look.PicturePosition) {
    case 0:
        work = box(picW + 1, 1, w - 2, h - 2);
        break;
    case 1:
        work = box(1, 1, w - 2 - picW, h - 2);
        break;
    case 2:
        work = box(1, picH + 1, w - 2, h - 2);
        break;
    case 3:
        work = box(1, 1, w - 2, h - 2 - picH);
        break;
    case 4:
        work = box(1, 1, w - 2, h - 2);
        break;
    default:
        break;
    }
    gdi::DrawTextA(dc, AnsiForm(look.Caption), -1, work, MeasureFormat);

    CaptionLayout layout = previous;
    layout.CaptionRect = work;
    layout.CaptionW = Clamp32(work.Width());
    layout.CaptionH = Clamp32(work.Height());
    const std::int64_t right = work.right;
    const std::int64_t bottom = work.bottom;
    switch (look.PicturePosition) {
    case 0:
    case 2:
    case 4:
        layout.CaptionRect = Moved(work, (w - right) / 2, (h - bottom) / 2);
        break;
    case 1:
        layout.CaptionRect = Moved(work, (w - right - picW - 4) / 2, (h - bottom) / 2);
        break;
    case 3:
        layout.CaptionRect = Moved(work, (w - right) / 2, (h - bottom - picH - 4) / 2);
        break;
    default:
        break;
    }
    layout.PressedCaptionRect = Moved(layout.CaptionRect, 1, 1);
    PlacePicture(look, layout);
    return layout;
}

void PlacePicture(const ButtonLook& look, CaptionLayout& layout) {
    if (look.PictureNormal.IsEmpty() && look.PictureOver.IsEmpty()) {
        return;
    }
    const std::int64_t w = look.Width;
    const std::int64_t h = look.Height;
    const std::int64_t picW = look.PicW;
    const std::int64_t picH = look.PicH;
    const gdi::Rect& caption = layout.CaptionRect;
    // Only blanks count as an empty caption; tabs and line breaks are text.
    const bool blank =
        std::all_of(look.Caption.begin(), look.Caption.end(), [](QChar c) { return c == QLatin1Char(' '); });
    if (blank || look.PicturePosition == 4) {
        layout.PicX = Clamp32((w - picW) / 2);
        layout.PicY = Clamp32((h - picH) / 2);
        return;
    }
    switch (look.PicturePosition) {
    case 0:
        layout.PicX = Clamp32(caption.left - picW - 4);
        layout.PicY = Clamp32((h - picH) / 2);
        break;
    case 1:
        layout.PicX = Clamp32(std::int64_t{caption.right} + 4);
        layout.PicY = Clamp32((h - picH) / 2);
        break;
    case 2:
        layout.PicX = Clamp32((w - picW) / 2);
        layout.PicY = Clamp32(caption.top - picH - 2);
        break;
    case 3:
        layout.PicX = Clamp32((w - picW) / 2);
        layout.PicY = Clamp32(std::int64_t{caption.bottom} + 2);
        break;
    default:
        break;
    }
}

void DrawCaptionText(gdi::DeviceContext& dc, const ButtonLook& look, const gdi::Rect& rect,
                     gdi::Colour colour) {
    gdi::SetTextColor(dc, colour);
    gdi::Rect where = rect;
    gdi::DrawTextA(dc, AnsiForm(look.Caption), -1, where, DrawFormat);
}

void DrawCaptionEffect(gdi::DeviceContext& dc, const ButtonLook& look, const ButtonCarried& carried,
                       const gdi::Rect& rect) {
    if (look.SpecialEffect <= 0) {
        return;
    }
    const ButtonPalette& p = carried.Palette;
    gdi::Colour base = p.FaceColor;
    if (look.ButtonType == 3 || look.ButtonType == 4 || look.ButtonType == 14) {
        base = p.SoftColor;
    } else if (look.ButtonType == 9 && look.Hovering && carried.LastState == StateUp &&
               look.ColorScheme != SchemeCustom) {
        base = p.SelLightColor;
    }
    const std::int32_t d = look.SpecialEffect == 2 ? 40 : -40;
    DrawCaptionText(dc, look, Moved(rect, 1, 1), ShadeColor(base, d, false, look.SoftBevel));
    if (look.SpecialEffect < 3) {
        DrawCaptionText(dc, look, Moved(rect, -1, -1), ShadeColor(base, -d, false, look.SoftBevel));
    }
}

void DrawCaption(gdi::DeviceContext& dc, const ButtonLook& look, ButtonCarried& carried, std::uint8_t mode) {
    carried.LastCaptionMode = mode;
    const ButtonPalette& p = carried.Palette;
    const gdi::Rect& normal = carried.Layout.CaptionRect;
    const gdi::Rect& pressed = carried.Layout.PressedCaptionRect;
    switch (mode) {
    case 0:
        DrawCaptionEffect(dc, look, carried, normal);
        DrawCaptionText(dc, look, normal, p.TextColor);
        break;
    case 1:
        DrawCaptionEffect(dc, look, carried, normal);
        DrawCaptionText(dc, look, normal, p.TextOverColor);
        break;
    case 2:
        DrawCaptionEffect(dc, look, carried, pressed);
        DrawCaptionText(dc, look, pressed, look.ButtonType == 4 ? p.LightColor : p.TextOverColor);
        break;
    case 3:
        DrawCaptionText(dc, look, pressed, p.HiliteColor);
        DrawCaptionText(dc, look, normal, p.ShadowColor);
        break;
    case 4:
        DrawCaptionText(dc, look, normal, p.ShadowColor);
        break;
    case 5:
        DrawCaptionText(dc, look, normal, ShadeColor(p.SoftColor, -104, true, look.SoftBevel));
        break;
    case 6:
        DrawCaptionText(dc, look, pressed, p.HiliteColor);
        DrawCaptionText(dc, look, normal, p.FaceColor);
        break;
    case 7:
        DrawCaptionText(dc, look, pressed, ShadeColor(p.ShadowColor, -50, false, look.SoftBevel));
        DrawCaptionText(dc, look, normal, p.HiliteColor);
        break;
    default:
        DrawCaptionText(dc, look, normal, gdi::GetTextColor(dc));
        break;
    }
}

} // namespace kelvo::controls::button
