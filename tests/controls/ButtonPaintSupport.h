#pragma once

#include <QImage>
#include <QPainter>

#include "controls/button/ButtonCaption.h"
#include "controls/button/ButtonLook.h"
#include "controls/button/ButtonPrimitives.h"
#include "controls/button/PaintButton.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiConstants.h"

// Test support for the button painters: a surface of the button's size with a context that draws
// text transparently (as the control's surface does), and the steps the control runs before painting.
namespace kelvo::controls::button::test {

struct ButtonSurface {
    gdi::SysColours colours; // the context refers to it, so it lives as long as the surface
    QImage image;
    gdi::DeviceContext dc;
    ButtonCarried carried;

    ButtonSurface(const ButtonLook& look, const gdi::SysColours& table)
        : colours(table)
        , image(std::max(look.Width, 1), std::max(look.Height, 1), QImage::Format_RGB32)
        , dc(image, colours) {
        image.fill(0xFF000000u);
        gdi::SetBkMode(dc, gdi::TRANSPARENT);
        carried.Palette = BuildPalette(PaletteSourceOf(look), colours);
        const ScopedFont font(dc, look.Font);
        carried.Layout = LayoutCaption(dc, look, carried.Layout);
    }

    bool Paint(const ButtonLook& look, std::uint8_t state, bool force = true) {
        const std::optional<ButtonLook> paint = LookToPaint(look, carried, state, force);
        if (paint) {
            carried = PaintButton(dc, *paint, carried);
        }
        return paint.has_value();
    }
    gdi::Colour At(int x, int y) const { return gdi::Colour::FromQRgb(image.pixel(x, y)); }
};

// A system table whose button colours all differ, so each palette slot can be told apart.
inline gdi::SysColours DistinctColours() {
    gdi::SysColours colours;
    colours.SetSysColor(gdi::COLOR_BTNFACE, gdi::Colour(0x906030));
    colours.SetSysColor(gdi::COLOR_BTNTEXT, gdi::Colour(0x010203));
    colours.SetSysColor(gdi::COLOR_BTNSHADOW, gdi::Colour(0x707172));
    colours.SetSysColor(gdi::COLOR_3DLIGHT, gdi::Colour(0xA0A1A2));
    colours.SetSysColor(gdi::COLOR_BTNHIGHLIGHT, gdi::Colour(0xE0E1E2));
    colours.SetSysColor(gdi::COLOR_3DDKSHADOW, gdi::Colour(0x202122));
    return colours;
}

// A 16 x 16 bitmap: a dark green disc with a black rim and a white spot on the mask colour.
inline QImage SamplePicture() {
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(QColor(0xC0, 0xC0, 0xC0));
    QPainter painter(&picture);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(0x20, 0x80, 0x30));
    painter.drawEllipse(1, 1, 13, 13);
    painter.fillRect(5, 4, 3, 3, Qt::white);
    return picture;
}

} // namespace kelvo::controls::button::test
