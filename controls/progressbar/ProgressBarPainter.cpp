#include "controls/progressbar/ProgressBarPainter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "controls/progressbar/BarMath.h"
#include "controls/progressbar/BarPaint.h"
#include "controls/progressbar/BarPrimitives.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/Text.h"
#include "platform/numeric/Numeric.h"

namespace kelvo::controls::progressbar {

namespace {

constexpr gdi::Colour TextBlack{0x000000};
constexpr gdi::Colour TextSilver{0xC0C0C0};

// Selects the look's font into dc for one text step and puts the previous font back afterwards; the
// font object is made for the step and deleted with it.
class TextFont {
public:
    TextFont(gdi::DeviceContext& dc, const QFont& font)
        : dc_(dc)
        , font_(gdi::CreateFontIndirect(font))
        , previous_(gdi::SelectObject(dc, font_)) {
        gdi::SetBkMode(dc, gdi::TRANSPARENT);
    }
    ~TextFont() {
        if (previous_) {
            gdi::SelectObject(dc_, previous_);
        }
        gdi::DeleteObject(font_);
    }
    TextFont(const TextFont&) = delete;
    TextFont& operator=(const TextFont&) = delete;

private:
    gdi::DeviceContext& dc_;
    gdi::Font font_;
    gdi::SelectedObject previous_;
};

// Measures the text into the text rectangle and centres it in the client area, keeping its size.
void CenterTextRect(BarPaint& p, const QString& text) {
    gdi::Rect& r = p.state.text;
    gdi::DrawTextA(p.dc, text, -1, r, gdi::DT_CALCRECT);
    const std::int64_t w = r.Width();
    const std::int64_t h = r.Height();
    r.left = ToPixel(p.R / 2.0 - static_cast<double>(w) / 2.0);
    r.top = ToPixel(p.B / 2.0 - static_cast<double>(h) / 2.0);
    r.right = Clamp32(r.left + w);
    r.bottom = Clamp32(r.top + h);
}

// Style 6: the part of the text the bar has reached is drawn again in a light shade of the bar colour.
void DrawOverlayText(BarPaint& p, const QString& text) {
    const TextFont font(p.dc, p.look.font);
    gdi::Rect& r = p.state.text;
    const double reached = p.Percent() * p.R;
    if (reached < r.left) {
        return;
    }
    gdi::SetTextColor(p.dc, ResolveColour(p.Lighten(80), p.dc.Colours()));
    r.left = ToPixel(p.R / 2.0 - static_cast<double>(r.Width()) / 2.0);
    r.right = ToPixel(reached);
    gdi::DrawTextA(p.dc, text, -1, r, gdi::DT_SINGLELINE);
}

void DrawText(BarPaint& p) {
    const QString text = PercentText(p.look);
    if (!p.look.showText) {
        return;
    }
    const bool dark = p.look.scrolling == 6;
    {
        const TextFont font(p.dc, p.look.font);
        gdi::SetTextColor(p.dc, ResolveColour(dark ? TextSilver : TextBlack, p.dc.Colours()));
        CenterTextRect(p, text);
        // On the dark bar, text the bar has passed entirely is left to the overlay.
        if (!(dark && p.Percent() * p.R > p.state.text.right)) {
            gdi::DrawTextA(p.dc, text, -1, p.state.text, gdi::DT_SINGLELINE);
        }
    }
    if (dark) {
        DrawOverlayText(p, text);
    }
}

} // namespace

QString PercentText(const ProgressBarLook& look) {
    if (look.scrolling == 2) {
        return QStringLiteral("Searching..");
    }
    // The value of a 32-bit fraction times 100 stays below 2^38, so it is exact in 64 bits.
    const double percent = numeric::Int(Fraction(look.value, look.max) * 100.0);
    // Written out here rather than by QString::number: the pass paints a new percentage every tenth block,
    // when the locale machinery behind number formatting has long left the caches.
    std::array<char, 24> digits{};
    const auto written =
        std::to_chars(digits.data(), digits.data() + digits.size() - 2, static_cast<qint64>(percent));
    char* end = written.ptr;
    *end++ = ' ';
    *end++ = '%';
    return QString::fromLatin1(digits.data(), end - digits.data());
}

ProgressBarState PaintProgressBar(gdi::DeviceContext& dc, const ProgressBarLook& look,
                                  const ProgressBarState& carried) {
    ProgressBarState state = carried;
    state.client = gdi::Rect{0, 0, std::max(look.clientWidth, 0), std::max(look.clientHeight, 0)};
    FillSolid(dc, state.client, look.scrolling == 6 ? gdi::Colour(0x000000) : gdi::Colour(0xFFFFFF));
    BarPaint paint(dc, look, state);
    switch (look.scrolling) {
    case 3:
        DrawFlatStyle(paint);
        break;
    case 4:
        DrawEtchedStyle(paint);
        break;
    case 5:
        DrawGlossStyle(paint);
        break;
    case 6:
        DrawDarkStyle(paint);
        break;
    case 7:
        DrawHatchStyle(paint);
        break;
    case 8:
        DrawPictureStyle(paint);
        break;
    case 9:
        DrawGlassStyle(paint);
        break;
    default:
        DrawSegmentedStyle(paint);
        break;
    }
    DrawText(paint);
    return state;
}

ProgressBarState DrawProgressBar(const ProgressBarBackBuffer* bufferInUse, const ScreenTarget& screen,
                                 const ScreenArea& area, const ProgressBarLook& look,
                                 const ProgressBarState& carried) {
    gdi::DeviceContext* buffer = bufferInUse != nullptr ? bufferInUse->Dc() : nullptr;
    if (buffer == nullptr) {
        return PaintProgressBar(screen.context(), look, carried);
    }
    ProgressBarState state = PaintProgressBar(*buffer, look, carried);
    if (area.width >= 1 && area.height >= 1 &&
        !bufferInUse->Shows(screen.shown, area.left, area.top, area.width, area.height)) {
        bufferInUse->pDraw(screen.context(), 0, 0, area.width, area.height, area.left, area.top);
    }
    return state;
}

} // namespace kelvo::controls::progressbar
