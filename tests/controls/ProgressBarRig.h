#pragma once

#include <QImage>

#include "controls/ControlResources.h"
#include "controls/progressbar/ProgressBarLook.h"
#include "controls/progressbar/ProgressBarPainter.h"
#include "controls/progressbar/ProgressBarProperties.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SysColours.h"
#include "platform/host/FontObject.h"
#include "platform/host/FontSubstitution.h"

// Test support for the progress bar: its looks and a paint onto an image of exactly the client's size,
// so anything drawn outside the control is outside the pixels.
namespace kelvo::controls::progressbar::test {

// The main window's bar colour.
inline constexpr gdi::Colour BarColour{0x6A240A};

// The font every bar starts with, substituted as the host does.
inline QFont StartFont() {
    return host::FontObject(QString::fromLatin1(InitialFontName), InitialFontSize)
        .ToQFont(host::FontSubstitution());
}

inline QImage PatternPicture() {
    InitControlResources();
    return QImage(QStringLiteral(":/images/pattern.png"));
}

inline ProgressBarLook Look(std::int32_t scrolling, std::int32_t width, std::int32_t height,
                            std::int32_t value, std::int32_t orientation = 0, std::int32_t fillOrEmpty = 1) {
    ProgressBarLook look;
    look.colour = BarColour;
    look.scrolling = scrolling;
    look.orientation = orientation;
    look.fillOrEmpty = fillOrEmpty;
    look.value = value;
    look.max = 100;
    look.clientWidth = width;
    look.clientHeight = height;
    look.font = StartFont();
    return look;
}

// Paints the look onto a fresh image of the client's size (at least 1 x 1) filled with fillColour.
inline QImage Paint(const ProgressBarLook& look, ProgressBarState& state, QRgb fillColour = 0xFF123456u) {
    QImage image(std::max(look.clientWidth, 1), std::max(look.clientHeight, 1), QImage::Format_RGB32);
    image.fill(fillColour);
    const gdi::SysColours colours = gdi::SysColours::Classic();
    gdi::DeviceContext dc(image, colours);
    state = PaintProgressBar(dc, look, state);
    return image;
}

inline QImage Paint(const ProgressBarLook& look) {
    ProgressBarState state;
    return Paint(look, state);
}

} // namespace kelvo::controls::progressbar::test
