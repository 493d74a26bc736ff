#include <functional>
#include <limits>

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

#include "controls/progressbar/sknProgressBar.h"
#include "platform/gdi/Fill.h"
#include "platform/gdi/Lines.h"
#include "platform/gdi/Text.h"
#include "platform/host/HostContext.h"
#include "platform/host/PropertyBag.h"
#include "tests/support/BagKeys.h"
#include "tests/support/MainWindowBar.h"

using namespace kelvo;
using namespace kelvo::controls;

namespace {

constexpr QRgb White = 0xffffffff;
constexpr QRgb Marker = 0xffff00ff;
// System colour 13 of the classic scheme, the selection highlight.
constexpr gdi::Colour ClassicHighlight{0x6A240A};
constexpr std::int32_t Largest = std::numeric_limits<std::int32_t>::max();

// Counts the window's paint events: each is one copy of the surface to the screen.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

// Columns of one pixel row that the fill colours of style 4 cover: the etched edge and the background are
// greys, the gradient between Lighten(140) and Lighten(200) of the bar colour is not.
int FilledColumns(const QImage& image, int y) {
    int filled = 0;
    for (int x = 0; x < image.width(); ++x) {
        const QRgb p = image.pixel(x, y);
        filled += qRed(p) != qBlue(p) ? 1 : 0;
    }
    return filled;
}

struct Write {
    const char* name;
    std::function<void(sknProgressBar&)> write;
};

const std::vector<Write>& Writes() {
    static const std::vector<Write> writes{
        {"Value", [](sknProgressBar& b) { b.SetValue(30); }},
        {"Color", [](sknProgressBar& b) { b.SetColor(gdi::Colour{0x00FF00}); }},
        {"Orientation", [](sknProgressBar& b) { b.SetOrientation(1); }},
        {"Scrolling", [](sknProgressBar& b) { b.SetScrolling(4); }},
        {"ShowText", [](sknProgressBar& b) { b.SetShowText(true); }},
        {"Image", [](sknProgressBar& b) { b.SetImage(host::PictureObject()); }},
        {"Max", [](sknProgressBar& b) { b.SetMax(10); }},
        {"Min", [](sknProgressBar& b) { b.SetMin(5); }},
        {"eBrushStyle", [](sknProgressBar& b) { b.SeteBrushStyle(2); }},
        {"FillOrEmpty", [](sknProgressBar& b) { b.SetFillOrEmpty(0); }},
        {"Font", [](sknProgressBar& b) { b.SetFont(host::FontObject(QStringLiteral("Arial"), 12)); }},
    };
    return writes;
}

} // namespace

class TestProgressBar : public QObject {
    Q_OBJECT

    host::HostContext host_;

    std::unique_ptr<sknProgressBar> Bar(QSize size) {
        auto bar = std::make_unique<sknProgressBar>(host_);
        bar->resize(size);
        return bar;
    }

    // The main window's bar, loaded from the real form file.
    std::unique_ptr<sknProgressBar> MainBar() {
        auto bar = std::make_unique<sknProgressBar>(host_);
        if (!tests::LoadMainWindowBar(*bar)) {
            qFatal("the main window's form file has no readable progress bar");
        }
        return bar;
    }

private slots:
    void writeEffects_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("repaints");
        QTest::addColumn<bool>("notifies");
        for (int i = 0; i < int(Writes().size()); ++i) {
            const QString name = QString::fromLatin1(Writes()[std::size_t(i)].name);
            const bool repaints = i <= 5;
            QTest::newRow(Writes()[std::size_t(i)].name) << i << repaints << (name == "Image");
        }
    }
    void writeEffects() {
        QFETCH(int, index);
        QFETCH(bool, repaints);
        QFETCH(bool, notifies);
        auto bar = Bar(QSize(100, 20));
        bar->LoadNew();
        QSignalSpy notified(bar.get(), &host::UserControl::PropertyChangeNotified);
        bar->Surface().LineBoxFilled(0, 0, 99, 19, gdi::Colour::FromQRgb(Marker));
        Writes()[std::size_t(index)].write(*bar);
        // Every style paints the whole client area, so a repaint leaves no marker pixel.
        QCOMPARE(bar->Surface().Image().pixel(50, 10) != Marker, repaints);
        QCOMPARE(notified.count(), notifies ? 1 : 0);
    }

    void initializeState() {
        auto bar = Bar(QSize(120, 18));
        bar->LoadNew(); // no InitProperties: the state Initialize leaves
        QCOMPARE(bar->Max(), 100);
        QCOMPARE(bar->Min(), 0);
        QCOMPARE(bar->Value(), 0);
        QCOMPARE(bar->Scrolling(), 0);
        QCOMPARE(bar->Orientation(), 0);
        QCOMPARE(bar->eBrushStyle(), 0);
        QCOMPARE(bar->FillOrEmpty(), 0);
        QCOMPARE(bar->ShowText(), false);
        QCOMPARE(bar->Color(), ClassicHighlight);
        QCOMPARE(bar->Font(), host::FontObject(QStringLiteral("Tahoma"), 8));
        QCOMPARE(bar->Surface().BackColor(), gdi::Colour{0xFFFFFF});
        QCOMPARE(bar->BackBuffer().Width(), 120);
        QCOMPARE(bar->BackBuffer().Height(), 18);
        QVERIFY(bar->BackBuffer().Dc() == &bar->hDC());
    }

    void emptyStoreDefaults() {
        auto bar = Bar(QSize(120, 18));
        host::PropertyBag bag;
        bar->LoadStored(bag);
        QVERIFY(bag.Errors().isEmpty());
        QCOMPARE(bar->eBrushStyle(), 4);
        QCOMPARE(bar->FillOrEmpty(), 1);
        QCOMPARE(bar->Color(), ClassicHighlight);
        QCOMPARE(bar->Max(), 100);
        QVERIFY(bar->Image().IsEmpty());
        host::PropertyBag written;
        bar->Save(written);
        // The colour is kept resolved, so it never equals its default reference and is always written.
        QCOMPARE(written.Count(), 1);
        QCOMPARE(written.Read(QStringLiteral("Color"), gdi::Colour{}), ClassicHighlight);
    }

    void roundTrip() {
        auto bar = Bar(QSize(80, 16));
        bar->LoadNew();
        bar->SeteBrushStyle(2);
        bar->SetColor(gdi::Colour::System(13));
        bar->SetImage(host::PictureObject::FromImage(QImage(3, 3, QImage::Format_RGB32)));
        bar->SetMax(-1);
        bar->SetMin(7);
        bar->SetOrientation(3);
        bar->SetScrolling(1000);
        bar->SetShowText(true);
        bar->SetFillOrEmpty(5);
        bar->SetValue(-Largest);
        host::PropertyBag bag;
        bar->Save(bag);
        const QStringList keys = kelvo::test::BagKeys(bag);
        // Stored files depend on this order: it is written out here, not taken from the code.
        const QStringList expected{"BrushStyle",  "Color",     "Image",    "Max",         "Min",
                                   "Orientation", "Scrolling", "ShowText", "FillOrEmpty", "Value"};
        QCOMPARE(keys, expected);
        QCOMPARE(sknProgressBar::Properties().Keys(), expected);
        auto copy = Bar(QSize(80, 16));
        copy->LoadStored(bag);
        QVERIFY(bag.Errors().isEmpty());
        host::PropertyBag again;
        copy->Save(again);
        QCOMPARE(again, bag);
        QCOMPARE(copy->Value(), -Largest);
        QCOMPARE(copy->Color(), ClassicHighlight);
    }

    void badStoredValues_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored"); // int, bool, QString or uint (a colour)
        QTest::addColumn<bool>("error");
        QTest::addColumn<QString>("text");
        QTest::newRow("Scrolling as text") << "Scrolling" << QVariant("four") << true << "0 %";
        QTest::newRow("Value as text") << "Value" << QVariant("x") << true << "0 %";
        QTest::newRow("ShowText as text") << "ShowText" << QVariant("yes") << true << "0 %";
        QTest::newRow("Color as text") << "Color" << QVariant("red") << true << "0 %";
        QTest::newRow("Scrolling -1") << "Scrolling" << QVariant(-1) << false << "0 %";
        QTest::newRow("Scrolling 1000") << "Scrolling" << QVariant(1000) << false << "0 %";
        QTest::newRow("Scrolling 2 marquee") << "Scrolling" << QVariant(2) << false << "Searching..";
        QTest::newRow("Orientation 7") << "Orientation" << QVariant(7) << false << "0 %";
        QTest::newRow("FillOrEmpty 5") << "FillOrEmpty" << QVariant(5) << false << "0 %";
        QTest::newRow("FillOrEmpty -3") << "FillOrEmpty" << QVariant(-3) << false << "0 %";
        QTest::newRow("stray colour bits") << "Color" << QVariant(0x7F00FF00u) << true << "0 %";
        QTest::newRow("unknown system colour") << "Color" << QVariant(0x80000063u) << true << "0 %";
        QTest::newRow("Value max") << "Value" << QVariant(Largest) << false << "2147483647 %";
        QTest::newRow("Value -max") << "Value" << QVariant(-Largest) << false << "-2147483647 %";
        QTest::newRow("Max 0") << "Max" << QVariant(0) << false << "0 %";
        QTest::newRow("Max -1") << "Max" << QVariant(-1) << false << "0 %";
    }
    void badStoredValues() {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(bool, error);
        QFETCH(QString, text);
        for (const std::int32_t scrolling : {0, 4, 6, 8, 9}) {
            for (const std::int32_t orientation : {0, 1}) {
                host::PropertyBag bag;
                bag.Write(QStringLiteral("Scrolling"), scrolling);
                bag.Write(QStringLiteral("Orientation"), orientation);
                bag.Write(QStringLiteral("ShowText"), true);
                if (stored.typeId() == QMetaType::QString) {
                    bag.Write(key, stored.toString());
                } else if (stored.typeId() == QMetaType::UInt) {
                    bag.Write(key, gdi::Colour{stored.toUInt()});
                } else {
                    bag.Write(key, std::int32_t(stored.toInt()));
                }
                auto bar = Bar(QSize(150, 20));
                bar->LoadStored(bag); // paints with whatever was read
                QCOMPARE(bag.Errors().size(), error ? 1 : 0);
                QVERIFY(bar->Color().IsRgb());
                if (key != "Scrolling") {
                    QCOMPARE(bar->PercentText(), text);
                }
                bar->SetValue(bar->Value()); // and paints again over what the first paint left
            }
        }
        if (key == "Scrolling") {
            host::PropertyBag bag;
            bag.Write(key, std::int32_t(stored.toInt()));
            auto bar = Bar(QSize(150, 20));
            bar->LoadStored(bag);
            QCOMPARE(bar->PercentText(), text);
        }
    }

    void maxZeroDrawsEmpty() {
        auto bar = MainBar();
        bar->SetMax(0);
        bar->SetValue(50);
        QCOMPARE(bar->PercentText(), QStringLiteral("0 %"));
        // As at value 0: the gradient of no width is still its first column.
        QCOMPARE(FilledColumns(bar->Surface().Image(), 3), 1);
    }

    void emptyPicture() {
        auto bar = Bar(QSize(60, 20));
        bar->LoadNew();
        bar->SetScrolling(8);
        bar->SetImage(host::PictureObject::FromImage(QImage()));
        bar->SetValue(60);
        bar->SetImage(host::PictureObject::FromImage(QImage(0, 5, QImage::Format_RGB32)));
        QCOMPARE(bar->Value(), 60);
    }

    void sizes_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("buffer");
        QTest::newRow("zero") << QSize(0, 0) << QSize(0, 0);
        QTest::newRow("zero high") << QSize(200, 0) << QSize(0, 0);
        QTest::newRow("one pixel") << QSize(1, 1) << QSize(1, 1);
        QTest::newRow("30000 wide") << QSize(30000, 24) << QSize(host::HostContext::MaxSide, 24);
    }
    void sizes() {
        QFETCH(QSize, size);
        QFETCH(QSize, buffer);
        auto bar = Bar(size);
        bar->LoadNew();
        for (const std::int32_t style : {0, 2, 4, 5, 6, 7, 8, 9}) {
            bar->SetScrolling(style);
            bar->SetShowText(true);
            bar->SetValue(Largest);
            bar->SetValue(-Largest);
        }
        QCOMPARE(QSize(bar->BackBuffer().Width(), bar->BackBuffer().Height()), buffer);
        // Without a buffer the bar paints straight on the surface.
        QVERIFY((bar->BackBuffer().Dc() == nullptr) == buffer.isEmpty());
    }

    void bufferGrowsOnlyAndResizeDoesNotPaint() {
        auto bar = MainBar();
        bar->SetValue(100);
        const auto resize = [&bar](int width, int height) {
            bar->SetWidthTwips(width * host::HostContext::TwipsPerPixelX);
            bar->SetHeightTwips(height * host::HostContext::TwipsPerPixelY);
        };
        resize(200, 24);
        QCOMPARE(bar->BackBuffer().Width(), 357);
        // The shrunk surface keeps what was drawn: the fill's last visible columns are still there.
        QCOMPARE(FilledColumns(bar->Surface().Image(), 3), 198);
        resize(400, 30);
        QCOMPARE(bar->BackBuffer().Width(), 400);
        QCOMPARE(bar->BackBuffer().Height(), 30);
        // Resize only made the buffer: the new part of the surface is still the white background.
        QCOMPARE(bar->Surface().Image().pixel(380, 3), White);
        resize(100, 10);
        QCOMPARE(bar->BackBuffer().Width(), 400);
        bar->SetValue(50);
        // Style 4, 100 wide: CLng(50 / 100 * 96) + 1 gradient columns.
        QCOMPARE(FilledColumns(bar->Surface().Image(), 3), 49);
    }

    void valueReachesScreenInNextTurn() {
        auto bar = MainBar();
        bar->show();
        QVERIFY(QTest::qWaitForWindowExposed(bar.get()));
        QCoreApplication::processEvents();
        PaintCounter counter;
        bar->installEventFilter(&counter);
        int lastFilled = 0;
        // The bar shows 0 already; each new value reaches the screen in the next turn.
        for (int value = 20; value <= 100; value += 20) {
            bar->SetValue(value);
            QCOMPARE(counter.paints, value / 20 - 1); // nothing until the loop turns
            QCoreApplication::processEvents();
            QCOMPARE(counter.paints, value / 20);
            // Style 4 at 357 wide: CLng(V / 100 * 353) + 1 gradient columns.
            // What that paint copied to the screen.
            const int filled = FilledColumns(bar->Surface().Image(), 3);
            QCOMPARE(filled, qRound(value / 100.0 * 353) + 1);
            QVERIFY(filled >= lastFilled);
            lastFilled = filled;
        }
        // Writing the value the bar shows changes no pixel: the window is not repainted for it.
        bar->SetValue(100);
        QCoreApplication::processEvents();
        QCOMPARE(counter.paints, 5);
    }

    // A write of the value the bar shows paints again only when something the paint reads, or the surface,
    // changed since the last paint. A skipped paint leaves a mark made on the back buffer in place.
    void aRepeatedValuePaintsOnlyWhenSomethingChanged_data() {
        QTest::addColumn<std::function<void(sknProgressBar&)>>("between");
        QTest::addColumn<bool>("paints");
        QTest::addColumn<int>("filled");
        QTest::newRow("nothing") << std::function<void(sknProgressBar&)>([](sknProgressBar&) {}) << false
                                 << 142;
        QTest::newRow("pen moved in the buffer")
            << std::function<void(sknProgressBar&)>([](sknProgressBar& b) { gdi::MoveToEx(b.hDC(), 9, 9); })
            << false << 142;
        QTest::newRow("Max") << std::function<void(sknProgressBar&)>([](sknProgressBar& b) { b.SetMax(200); })
                             << true << 72;
        QTest::newRow("FillOrEmpty") << std::function<void(sknProgressBar&)>([](sknProgressBar& b) {
            b.SetFillOrEmpty(3);
        }) << true << 142;
        QTest::newRow("background colour of the buffer")
            << std::function<void(sknProgressBar&)>(
                   [](sknProgressBar& b) { gdi::SetBkColor(b.hDC(), gdi::Colour{0x00FF00}); })
            << true << 142;
        QTest::newRow("drawn on the surface") << std::function<void(sknProgressBar&)>([](sknProgressBar& b) {
            gdi::Brush brush = gdi::CreateSolidBrush(gdi::Colour{0x00FF00});
            gdi::FillRect(b.Surface().hDC(), gdi::Rect{0, 0, 357, 24}, brush);
            gdi::DeleteObject(brush);
        }) << true << 142;
    }
    void aRepeatedValuePaintsOnlyWhenSomethingChanged() {
        QFETCH(std::function<void(sknProgressBar&)>, between);
        QFETCH(bool, paints);
        QFETCH(int, filled);
        auto bar = MainBar();
        bar->SetValue(40);
        gdi::Brush mark = gdi::CreateSolidBrush(gdi::Colour{0xFF00FF});
        gdi::FillRect(bar->hDC(), gdi::Rect{0, 0, 357, 24}, mark);
        gdi::DeleteObject(mark);
        between(*bar);
        bar->SetValue(40);
        QCOMPARE(bar->hDC().Target()->pixel(100, 3) != Marker, paints);
        QCOMPARE(FilledColumns(bar->Surface().Image(), 3), filled);
    }

    void accessibility() {
        auto bar = MainBar();
        bar->SetMax(200);
        bar->SetValue(45);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(bar.get());
        QVERIFY(face != nullptr);
        QCOMPARE(face->role(), QAccessible::ProgressBar);
        QCOMPARE(face->text(QAccessible::Value), QStringLiteral("22 %"));
        QAccessibleValueInterface* value = face->valueInterface();
        QVERIFY(value != nullptr);
        QCOMPARE(value->currentValue().toInt(), 45);
        QCOMPARE(value->maximumValue().toInt(), 200);
        QCOMPARE(value->minimumValue().toInt(), 0);
    }

    void terminateFreesBuffer() {
        auto bar = MainBar();
        bar->Unload();
        QVERIFY(bar->BackBuffer().Dc() == nullptr);
        QCOMPARE(bar->BackBuffer().Width(), 0);
    }
};

QTEST_MAIN(TestProgressBar)
#include "TestProgressBar.moc"
