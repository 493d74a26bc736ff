#include <QTest>

#include "ButtonPaintSupport.h"
#include "controls/button/ButtonColours.h"
#include "controls/button/ButtonProperties.h"
#include "tests/platform/gdi/GuardedTest.h"

using namespace kelvo;
using namespace kelvo::controls::button;
using gdi::Colour;

Q_DECLARE_METATYPE(kelvo::gdi::Colour)

namespace {

// A system table whose button colours all differ, so each palette slot can be told apart.
gdi::SysColours DistinctColours() {
    gdi::SysColours colours;
    colours.SetSysColor(gdi::COLOR_BTNFACE, Colour(0x906030));
    colours.SetSysColor(gdi::COLOR_BTNTEXT, Colour(0x010203));
    colours.SetSysColor(gdi::COLOR_BTNSHADOW, Colour(0x404142));
    colours.SetSysColor(gdi::COLOR_3DLIGHT, Colour(0xA0A1A2));
    colours.SetSysColor(gdi::COLOR_BTNHIGHLIGHT, Colour(0xF0F1F2));
    colours.SetSysColor(gdi::COLOR_3DDKSHADOW, Colour(0x202122));
    colours.SetSysColor(gdi::COLOR_HIGHLIGHT, Colour(0x6A240A));
    return colours;
}

} // namespace

class TestButtonPaintColours : public gdi::test::GuardedTest {
    Q_OBJECT

    const gdi::SysColours system_ = DistinctColours();

private slots:
    void shadeColor_data() {
        QTest::addColumn<Colour>("colour");
        QTest::addColumn<int>("delta");
        QTest::addColumn<bool>("proportional");
        QTest::addColumn<bool>("soft");
        QTest::addColumn<Colour>("expected");
        QTest::newRow("darker") << Colour(0x808080) << -64 << false << false << Colour(0x404040);
        QTest::newRow("soft halves") << Colour(0x808080) << -64 << false << true << Colour(0x606060);
        QTest::newRow("soft truncates toward zero")
            << Colour(0x808080) << -45 << false << true << Colour(0x6A6A6A);
        QTest::newRow("soft odd lighter") << Colour(0) << 31 << false << true << Colour(0x0F0F0F);
        QTest::newRow("capped at 255") << Colour(0xC8D0D4) << 47 << false << false << Colour(0xF7FFFF);
        QTest::newRow("floored at 0") << Colour(0x101010) << -64 << false << false << Colour(0);
        QTest::newRow("delta 0") << Colour(0x123456) << 0 << true << false << Colour(0x123456);
        QTest::newRow("blue by its share") << Colour(0xC8D0D4) << 48 << true << false << Colour(0xFAFFFF);
        // 100 - 5000 / 192 = 100 - 26 (truncated); green and red still move by 50.
        QTest::newRow("proportional darker") << Colour(0x645050) << -50 << true << false << Colour(0x4A1E1E);
        QTest::newRow("no blue stays none") << Colour(0) << 48 << true << false << Colour(0x003030);
        QTest::newRow("top byte ignored") << Colour(0x80000010u) << 0 << false << false << Colour(0x10);
    }
    void shadeColor() {
        QFETCH(Colour, colour);
        QFETCH(int, delta);
        QFETCH(bool, proportional);
        QFETCH(bool, soft);
        QFETCH(Colour, expected);
        QCOMPARE(ShadeColor(colour, delta, proportional, soft), expected);
    }

    void paleColor_data() {
        QTest::addColumn<Colour>("colour");
        QTest::addColumn<int>("amount");
        QTest::addColumn<Colour>("expected");
        // Red 79 x 10 / 255 = 3, green 79 x 36 / 255 = 11, blue 79 x 106 / 255 = 32, each + 176.
        QTest::newRow("selection 176") << Colour(0x6A240A) << 176 << Colour(0xD0BBB3);
        QTest::newRow("white stays") << Colour(0xFFFFFF) << 128 << Colour(0xFFFFFF);
        QTest::newRow("black lifts") << Colour(0) << 128 << Colour(0x808080);
        QTest::newRow("amount 0") << Colour(0x123456) << 0 << Colour(0x123456);
        QTest::newRow("beyond 255 capped") << Colour(0x808080) << 400 << Colour(0xFFFFFF);
    }
    void paleColor() {
        QFETCH(Colour, colour);
        QFETCH(int, amount);
        QFETCH(Colour, expected);
        QCOMPARE(PaleColor(colour, amount), expected);
    }

    void systemScheme() {
        for (const std::int32_t scheme : {1, 0, 5, -7}) {
            PaletteSource source;
            source.ColorScheme = scheme;
            const ButtonPalette p = BuildPalette(source, system_);
            QCOMPARE(p.FaceColor, Colour(0x906030));
            QCOMPARE(p.TextColor, Colour(0x010203));
            QCOMPARE(p.TextOverColor, Colour(0x010203));
            QCOMPARE(p.ShadowColor, Colour(0x404142));
            QCOMPARE(p.LightColor, Colour(0xA0A1A2));
            QCOMPARE(p.HiliteColor, Colour(0xF0F1F2));
            QCOMPARE(p.DkShadowColor, Colour(0x202122));
            QCOMPARE(p.SelColor, Colour(0x6A240A));
            QCOMPARE(p.SelLightColor, Colour(0xD0BBB3));
            QCOMPARE(p.MaskRGB, Colour(0xC0C0C0));
            QCOMPARE(p.SoftColor, Colour(0xC09060));
        }
    }

    void customScheme() {
        PaletteSource source;
        source.ColorScheme = SchemeCustom;
        source.BackColor = Colour::System(gdi::COLOR_BTNFACE);
        source.ForeColor = Colour(0x0000FF);
        source.ForeOver = Colour::System(gdi::COLOR_HIGHLIGHT);
        source.MaskColor = Colour::System(gdi::COLOR_BTNHIGHLIGHT);
        ButtonPalette p = BuildPalette(source, system_);
        QCOMPARE(p.FaceColor, Colour(0x906030));
        QCOMPARE(p.TextColor, Colour(0x0000FF));
        QCOMPARE(p.TextOverColor, Colour(0x6A240A));
        QCOMPARE(p.ShadowColor, Colour(0x502000));
        QCOMPARE(p.LightColor, Colour(0xAF7F4F));
        QCOMPARE(p.HiliteColor, Colour(0xBF8F5F));
        QCOMPARE(p.DkShadowColor, Colour(0));
        QCOMPARE(p.SelColor, Colour(0x100000));
        QCOMPARE(p.SelLightColor, p.FaceColor);
        QCOMPARE(p.MaskRGB, Colour(0xF0F1F2));
        // The soft bevel halves every shade; style 3's soft colour is proportional.
        source.SoftBevel = true;
        source.ButtonType = 3;
        p = BuildPalette(source, system_);
        QCOMPARE(p.ShadowColor, Colour(0x704010));
        QCOMPARE(p.SoftColor, ShadeColor(Colour(0x906030), 24, true, false));
        source.SoftBevel = false;
        QCOMPARE(BuildPalette(source, system_).SoftColor, Colour(0xB49060));
        // References the table cannot translate paint by their low 24 bits.
        source.BackColor = Colour(0x12345678u);
        source.ForeColor = Colour(0x800000FFu);
        p = BuildPalette(source, system_);
        QCOMPARE(p.FaceColor, Colour(0x345678));
        QCOMPARE(p.TextColor, Colour(0x0000FF));
    }

    void fixedAndParentSchemes() {
        PaletteSource source;
        source.ColorScheme = SchemeFixed;
        source.SoftBevel = true;
        ButtonPalette p = BuildPalette(source, system_);
        const ButtonPalette fixedSet{Colour(0xC0C0C0), Colour(0xDFDFDF), Colour(0xFFFFFF), Colour(0x808080),
                                     Colour(0),        Colour(0),        Colour(0),        Colour(0xC0C0C0),
                                     Colour(0xD8D8D8), Colour(0x800000), Colour(0xD1ADAD)};
        QCOMPARE(p, fixedSet);

        source = PaletteSource();
        source.ColorScheme = SchemeParent;
        source.ParentBackColor = Colour(0x906030);
        source.ParentTextColor = Colour(0x00FF00);
        p = BuildPalette(source, system_);
        QCOMPARE(p.FaceColor, Colour(0x906030));
        QCOMPARE(p.TextColor, Colour(0x00FF00));
        QCOMPARE(p.TextOverColor, Colour(0x00FF00));
        QCOMPARE(p.ShadowColor, Colour(0x502000));
        QCOMPARE(p.SelColor, Colour(0x6A240A));
        QCOMPARE(p.SelLightColor, Colour(0xD0BBB3));
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
        QCOMPARE(surface.fields.Palette.FaceColor, Colour(0x102030));
        look.ColorScheme = SchemeSystem;
        surface.fields.Palette = BuildPalette(PaletteSourceOf(look), system_);
        QVERIFY(surface.Paint(look, StateUp));
        QCOMPARE(surface.At(4, 3), Colour(0x906030));
    }

    void propertyTable() {
        const std::array<std::string_view, 23> keys{"BTYPE", "TX",    "ENAB", "FONT",  "COLTYPE", "FOCUSR",
                                                    "BCOL",  "BCOLO", "FCOL", "FCOLO", "MCOL",    "MPTR",
                                                    "MICON", "PICN",  "PICH", "UMCOL", "SOFT",    "PICPOS",
                                                    "NGREY", "FX",    "HAND", "CHECK", "VALUE"};
        for (std::size_t i = 0; i < keys.size(); ++i) {
            QCOMPARE(
                QByteArray(ButtonPropertyTable[i].key.data(), qsizetype(ButtonPropertyTable[i].key.size())),
                QByteArray(keys[i].data(), qsizetype(keys[i].size())));
        }
        int eitherWidth = 0;
        for (const PropertyEntry& entry : ButtonPropertyTable) {
            eitherWidth += entry.readsEitherWidth ? 1 : 0;
            QVERIFY(!entry.readsEitherWidth || entry.stored == StoredType::Int32);
        }
        QCOMPARE(eitherWidth, 4);
        QCOMPARE(FindButtonProperty("pich")->notifyName, std::string_view("PICO"));
        QCOMPARE(FindButtonProperty("bcolo")->sameAs, std::string_view("BCOL"));
        QCOMPARE(FindButtonProperty("BType")->missingValue, 2);
        QCOMPARE(FindButtonProperty("ENAB")->missingValue, -1);
        QVERIFY(FindButtonProperty("PICO") == nullptr);
    }
};

QTEST_MAIN(TestButtonPaintColours)
#include "TestButtonPaintColours.moc"
