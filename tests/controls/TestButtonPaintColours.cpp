#include <QTest>

#include "ButtonPaintSupport.h"
#include "controls/button/ButtonColours.h"
#include "tests/platform/gdi/GuardedTest.h"

using namespace kelvo;
using namespace kelvo::controls::button;
using gdi::Colour;

namespace {

PaletteSource Scheme(std::int32_t scheme) {
    PaletteSource source;
    source.ColorScheme = scheme;
    return source;
}

} // namespace

class TestButtonPaintColours : public gdi::test::GuardedTest {
    Q_OBJECT

    const gdi::SysColours system_ = test::DistinctColours();

private slots:
    void shadeAndPale() {
        struct Shade {
            std::uint32_t colour;
            int delta;
            bool proportional, soft;
            std::uint32_t expected;
        };
        // clang-format off
        const std::vector<Shade> shades{
            {0x808080, -64, false, false, 0x404040}, {0x808080, -64, false, true, 0x606060},  // soft halves,
            {0x808080, -45, false, true, 0x6A6A6A},  {0x000000, 31, false, true, 0x0F0F0F},   // toward zero
            {0xC8D0D4, 47, false, false, 0xF7FFFF},  {0x101010, -64, false, false, 0x000000}, // capped, floored
            {0xC8D0D4, 48, true, false, 0xFAFFFF},   {0x000000, 48, true, false, 0x003030},   // blue by its share
            {0x645050, -50, true, false, 0x4A1E1E},  // blue 100 - 5000 / 192 (26, truncated)
            {0x123456, 0, true, false, 0x123456},    {0x80000010, 0, false, false, 0x000010}, // top byte ignored
        };
        // clang-format on
        for (const Shade& s : shades) {
            QCOMPARE(ShadeColor(Colour(s.colour), s.delta, s.proportional, s.soft), Colour(s.expected));
        }
        // Red 79 x 10 / 255 = 3, green 79 x 36 / 255 = 11, blue 79 x 106 / 255 = 32, each + 176.
        QCOMPARE(PaleColor(Colour(0x6A240A), 176), Colour(0xD0BBB3));
        QCOMPARE(PaleColor(Colour(0), 128), Colour(0x808080));
        QCOMPARE(PaleColor(Colour(0xFFFFFF), 128), Colour(0xFFFFFF));
        QCOMPARE(PaleColor(Colour(0x808080), 400), Colour(0xFFFFFF));
    }

    void schemes() {
        const ButtonPalette system{Colour(0x906030), Colour(0xA0A1A2), Colour(0xE0E1E2), Colour(0x707172),
                                   Colour(0x202122), Colour(0x010203), Colour(0x010203), Colour(0xC0C0C0),
                                   Colour(0xC09060), Colour(0x6A240A), Colour(0xD0BBB3)};
        for (const std::int32_t scheme : {1, 0, 5, -7}) {
            QCOMPARE(BuildPalette(Scheme(scheme), system_), system);
        }

        PaletteSource custom = Scheme(SchemeCustom);
        custom.BackColor = Colour::System(gdi::COLOR_BTNFACE);
        custom.ForeColor = Colour(0x0000FF);
        custom.ForeOver = Colour::System(gdi::COLOR_HIGHLIGHT);
        custom.MaskColor = Colour::System(gdi::COLOR_BTNHIGHLIGHT);
        const ButtonPalette derived{Colour(0x906030), Colour(0xAF7F4F), Colour(0xBF8F5F), Colour(0x502000),
                                    Colour(0),        Colour(0x0000FF), Colour(0x6A240A), Colour(0xE0E1E2),
                                    Colour(0xC09060), Colour(0x100000), Colour(0x906030)};
        QCOMPARE(BuildPalette(custom, system_), derived);
        // Style 3's soft colour is proportional; the soft bevel halves every shade.
        custom.ButtonType = 3;
        QCOMPARE(BuildPalette(custom, system_).SoftColor, Colour(0xB49060));
        custom.SoftBevel = true;
        QCOMPARE(BuildPalette(custom, system_).ShadowColor, Colour(0x704010));
        QCOMPARE(BuildPalette(custom, system_).SoftColor, ShadeColor(Colour(0x906030), 24, true, false));
        // References the table cannot translate paint by their low 24 bits.
        custom.BackColor = Colour(0x12345678u);
        custom.ForeColor = Colour(0x800000FFu);
        QCOMPARE(BuildPalette(custom, system_).FaceColor, Colour(0x345678));
        QCOMPARE(BuildPalette(custom, system_).TextColor, Colour(0x0000FF));

        PaletteSource fixedScheme = Scheme(SchemeFixed);
        fixedScheme.SoftBevel = true; // only the soft colour is a shade
        const ButtonPalette fixedSet{Colour(0xC0C0C0), Colour(0xDFDFDF), Colour(0xFFFFFF), Colour(0x808080),
                                     Colour(0),        Colour(0),        Colour(0),        Colour(0xC0C0C0),
                                     Colour(0xD8D8D8), Colour(0x800000), Colour(0xD1ADAD)};
        QCOMPARE(BuildPalette(fixedScheme, system_), fixedSet);

        PaletteSource parent = Scheme(SchemeParent);
        parent.ParentBackColor = Colour(0x906030);
        parent.ParentTextColor = Colour(0x00FF00);
        const ButtonPalette parentSet{Colour(0x906030), Colour(0xAF7F4F), Colour(0xBF8F5F), Colour(0x502000),
                                      Colour(0),        Colour(0x00FF00), Colour(0x00FF00), Colour(0xC0C0C0),
                                      Colour(0xC09060), Colour(0x6A240A), Colour(0xD0BBB3)};
        QCOMPARE(BuildPalette(parent, system_), parentSet);
    }

    // Hovering in the custom scheme paints from BackOver and leaves the palette of BackColor behind.
    void hoveredCustomScheme() {
        ButtonLook look;
        look.ButtonType = 0;
        look.ColorScheme = SchemeCustom;
        look.BackColor = Colour(0x102030);
        look.BackOver = Colour(0x405060);
        look.Width = 8;
        look.Height = 6;
        test::ButtonSurface surface(look, system_);
        look.Hovering = true;
        QVERIFY(surface.Paint(look, StateUp));
        QCOMPARE(surface.At(4, 3), Colour(0x405060));
        QCOMPARE(surface.carried.Palette.FaceColor, Colour(0x102030));
        look.ColorScheme = SchemeSystem;
        surface.carried.Palette = BuildPalette(PaletteSourceOf(look), system_);
        QVERIFY(surface.Paint(look, StateUp));
        QCOMPARE(surface.At(4, 3), Colour(0x906030));
    }
};

QTEST_MAIN(TestButtonPaintColours)
#include "TestButtonPaintColours.moc"
