#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

#include "MouseInput.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/Rect.h"
#include "platform/gdi/Text.h"
#include "platform/host/FocusMark.h"
#include "platform/host/HostContext.h"
#include "platform/host/Label.h"
#include "platform/host/PropertyBag.h"
#include "tests/platform/gdi/PixelPicture.h"

using namespace kelvo;
using namespace kelvo::host;

namespace {

// The rectangle DrawTextA computes for a text, measured on a context of its own.
gdi::Rect Measure(const HostContext& host, const FontObject& font, const QString& text, int width,
                  unsigned format) {
    QImage scratch(1, 1, QImage::Format_RGB32);
    gdi::DeviceContext dc(scratch, host.SysColours());
    gdi::Font handle = gdi::CreateFontIndirect(host.ToQFont(font));
    const gdi::SelectedObject previous = gdi::SelectObject(dc, handle);
    gdi::Rect rect{0, 0, width, 0};
    gdi::DrawTextA(dc, text, -1, rect, format);
    gdi::SelectObject(dc, previous);
    return rect;
}

// The columns a colour other than the background reaches in an image.
std::pair<int, int> InkColumns(const QImage& image, QRgb background) {
    int first = image.width();
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    return {first, last};
}

QImage Shot(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestLabel : public QObject {
    Q_OBJECT

private:
    HostContext host_;

private slots:
    void autoSizeTakesTheMeasuredSizeOfTheText() {
        Label label(host_);
        label.resize(10, 10);
        const FontObject verdana(QStringLiteral("Verdana"), 8.25f);
        label.SetFont(verdana);
        label.SetCaption(QStringLiteral("Total Physical RAM:"));
        label.SetAutoSize(true);
        const gdi::Rect single = Measure(host_, verdana, label.Caption(), 0, gdi::DT_CALCRECT);
        QCOMPARE(label.size(), QSize(int(single.Width()), int(single.Height())));
        QVERIFY(label.height() >= 11 && label.height() <= 16);

        label.resize(90, 10);
        label.SetWordWrap(true); // keeps its width and grows down to the wrapped lines
        const gdi::Rect wrapped =
            Measure(host_, verdana, label.Caption(), 90, gdi::DT_CALCRECT | gdi::DT_WORDBREAK);
        QCOMPARE(label.size(), QSize(90, int(wrapped.Height())));
        QCOMPARE(label.height(), 2 * int(single.Height()));
    }

    void theMainWindowCaptionsFitTheirBoxes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("face");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<QSize>("box");
        const QString sans = QStringLiteral("MS Sans Serif");
        const QString verdana = QStringLiteral("Verdana");
        QTest::newRow("2.0") << "2.0" << sans << 13.5 << true << false << QSize(29, 24);
        QTest::newRow("total") << "Total Physical RAM:" << verdana << 8.25 << false << false
                               << QSize(119, 15);
        QTest::newRow("used") << "Physical RAM used:" << verdana << 8.25 << false << false << QSize(119, 15);
        QTest::newRow("value") << "25,769,803,776" << verdana << 8.25 << false << false << QSize(97, 17);
        QTest::newRow("level") << "Optimization Level" << sans << 8.25 << false << false << QSize(86, 13);
        QTest::newRow("description") << "Easily free up RAM on your computer with just one click! Select the "
                                        "desired level, then simply "
                                        "click on the Free RAM button."
                                     << verdana << 9.0 << false << true << QSize(225, 61);
        QTest::newRow("moderate") << "Moderate" << sans << 8.25 << false << false << QSize(87, 13);
        QTest::newRow("optimize") << "Optimize RAM" << sans << 8.25 << false << false << QSize(67, 13);
        QTest::newRow("countdown") << "Next optimization in 30 minutes" << sans << 8.25 << false << false
                                   << QSize(95, 37);
        QTest::newRow("timed") << "at timed intervals, every" << sans << 8.25 << false << false
                               << QSize(111, 13);
        QTest::newRow("free") << "when free RAM drops below certain level" << sans << 8.25 << false << false
                              << QSize(194, 13);
        QTest::newRow("minimize") << "Start Minimize" << sans << 8.25 << false << false << QSize(83, 13);
        QTest::newRow("readme") << "Readme" << verdana << 9.75 << false << false << QSize(83, 19);
        QTest::newRow("website") << "Website..." << verdana << 9.75 << false << false << QSize(73, 19);
    }
    void theMainWindowCaptionsFitTheirBoxes() {
        QFETCH(QString, text);
        QFETCH(QString, face);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(QSize, box);
        Label label(host_);
        label.SetFont(FontObject(face, float(points), bold, italic));
        label.SetCaption(text);
        const QSize size = label.MeasureText(true, box.width());
        QVERIFY2(size.width() <= box.width() && size.height() <= box.height(),
                 qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
    }

    void alignmentPlacesTheText_data() {
        QTest::addColumn<int>("alignment");
        QTest::newRow("left") << 0;
        QTest::newRow("right") << 1;
        QTest::newRow("centre") << 2;
    }
    void alignmentPlacesTheText() {
        QFETCH(int, alignment);
        QWidget window;
        auto* label = new Label(host_, &window);
        label->setGeometry(0, 0, 100, 16);
        label->SetBackColor(gdi::Colour(0xFFFFFF));
        label->SetForeColor(gdi::Colour(0));
        label->SetCaption(QStringLiteral("Heavy"));
        QVERIFY(label->SetAlignment(std::int16_t(alignment)));
        QVERIFY(!label->SetAlignment(3));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto [first, last] = InkColumns(Shot(*label), 0xFFFFFFFFu);
        QVERIFY(first <= last);
        const int textWidth =
            int(Measure(host_, label->Font(), label->Caption(), 0, gdi::DT_CALCRECT).Width());
        if (alignment == 0) {
            QVERIFY(first <= 2);
        } else if (alignment == 1) {
            QVERIFY(last >= 96);
        } else {
            QVERIFY(std::abs(first - (100 - textWidth) / 2) <= 2);
        }
    }

    void aTransparentLabelShowsWhatIsBehindIt() {
        QWidget window;
        window.setAutoFillBackground(true);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, QColor(0, 0, 255));
        window.setPalette(palette);
        auto* label = new Label(host_, &window);
        label->setGeometry(0, 0, 60, 16);
        label->SetCaption(QStringLiteral("Free RAM:"));
        label->SetForeColor(gdi::Colour(0xFFFFFF));
        QVERIFY(label->SetBackStyle(0));
        QVERIFY(!label->SetBackStyle(2));
        window.resize(80, 20);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage shot = Shot(window);
        QCOMPARE(shot.pixel(59, 15), 0xFF0000FFu);
        QVERIFY(InkColumns(shot.copy(0, 0, 60, 16), 0xFF0000FFu).first < 5); // the white text
        label->SetBackStyle(1);
        label->SetBackColor(gdi::Colour(0x00FF00));
        QTRY_COMPARE(Shot(window).pixel(59, 15), 0xFF00FF00u);
    }

    void mnemonicsMarkAnAccessKey() {
        QWidget window;
        auto* label = new Label(host_, &window);
        auto* target = new QWidget(&window);
        target->setFocusPolicy(Qt::StrongFocus);
        label->setGeometry(0, 0, 80, 16);
        target->setGeometry(0, 20, 20, 20);
        label->SetCaption(QStringLiteral("&Readme"));
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_R, Qt::AltModifier);
        QTRY_VERIFY(target->hasFocus());
        // Without mnemonics the ampersand is shown, which takes room.
        const QSize marked = label->MeasureText(false, 0);
        label->SetUseMnemonic(false);
        QVERIFY(label->MeasureText(false, 0).width() > marked.width());
        QVERIFY(label->DrawFormat() & gdi::DT_NOPREFIX);
    }

    void mouseEventsAreRelativeToTheLabel() {
        QWidget window;
        auto* label = new Label(host_, &window);
        label->setGeometry(30, 20, 50, 16);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QStringList log;
        connect(label, &Label::MouseDown, this, [&](std::int16_t& b, std::int16_t& s, float& x, float& y) {
            log << QStringLiteral("down %1 %2 %3 %4").arg(b).arg(s).arg(x).arg(y);
        });
        connect(label, &Label::Click, this, [&] { log << "click"; });
        connect(label, &Label::DblClick, this, [&] { log << "dblclick"; });
        QTest::mouseClick(label, Qt::LeftButton, Qt::ShiftModifier, QPoint(3, 4));
        SendDoubleClick(label, QPoint(1, 1), 10'000'000, 50);
        QCOMPARE(log.join(", "), QStringLiteral("down 1 1 3 4, click, down 1 0 1 1, click, dblclick"));
    }

    void oddCaptionsAreSafe_data() {
        QTest::addColumn<QString>("caption");
        QTest::newRow("empty") << QString();
        QTest::newRow("lone ampersand") << QStringLiteral("&");
        QTest::newRow("trailing ampersand") << QStringLiteral("Readme&");
        QTest::newRow("doubled") << QStringLiteral("A&&B&&&");
        QTest::newRow("10,000 characters") << QString(10000, QLatin1Char('m'));
        QTest::newRow("10,000 words") << QStringLiteral("ab ").repeated(3333);
        QTest::newRow("line breaks") << QStringLiteral("one\r\ntwo\nthree\r");
    }
    void oddCaptionsAreSafe() {
        QFETCH(QString, caption);
        QWidget window;
        auto* label = new Label(host_, &window);
        label->setGeometry(0, 0, 40, 30);
        label->SetCaption(caption);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY2(!Shot(*label).isNull(),
                 qPrintable(QStringLiteral("%1x%2").arg(label->width()).arg(label->height())));
        label->SetWordWrap(true);
        label->SetAutoSize(true);
        QVERIFY(label->height() <= HostContext::MaxSide);
        label->setEnabled(false);
        if (!label->size().isEmpty()) {
            QVERIFY(!Shot(*label).isNull());
        }
        label->SetWordWrap(false);
        QCOMPARE(label->width(), std::min(label->MeasureText(false, 0).width(), HostContext::MaxSide));
    }

    void focusMarkIsADottedOutline_data() {
        QTest::addColumn<QRect>("mark");
        QTest::addColumn<QStringList>("expected");
        const QString none = QStringLiteral(".......");
        QTest::newRow("inside") << QRect(1, 1, 5, 4)
                                << QStringList{none, ".x.x.x.", none, ".x...x.", "..x.x..", none};
        // The outline of a rectangle larger than the picture runs outside it: nothing is drawn.
        QTest::newRow("past the edges") << QRect(-3, -2, 20, 20) << QStringList(6, none);
        QTest::newRow("one pixel") << QRect(2, 2, 1, 1)
                                   << QStringList{none, none, "..x....", none, none, none};
        QTest::newRow("empty") << QRect(2, 2, 0, 3) << QStringList(6, none);
    }
    void focusMarkIsADottedOutline() {
        QFETCH(QRect, mark);
        QFETCH(QStringList, expected);
        QImage image = gdi::test::Blank(7, 6, 0xFF000000u);
        gdi::DeviceContext dc(image, host_.SysColours());
        PaintFocusMark(
            dc, gdi::Rect{mark.left(), mark.top(), mark.left() + mark.width(), mark.top() + mark.height()},
            gdi::Colour::FromRgb(255, 255, 255));
        QCOMPARE(gdi::test::Picture(image, {{0xFF000000u, '.'}, {0xFFFFFFFFu, 'x'}}), expected);
    }

    void aCaptionShowsItsControlsKeyboardFocus() {
        QWidget window;
        window.resize(120, 40);
        auto* control = new Label(host_, &window);
        control->SetActsAsLink(true); // a link takes the focus
        control->setGeometry(0, 20, 40, 15);
        auto* caption = new Label(host_, &window);
        caption->setGeometry(0, 0, 100, 15);
        caption->SetCaption(QStringLiteral("Start Minimize"));
        caption->SetLabelFor(control);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const QImage plain = Shot(*caption);
        control->setFocus(Qt::MouseFocusReason);
        QVERIFY(!caption->FocusMarkShown());
        QCOMPARE(Shot(*caption), plain);
        control->clearFocus();
        control->setFocus(Qt::TabFocusReason);
        QVERIFY(caption->FocusMarkShown());
        const QImage marked = Shot(*caption);
        // Round the text of a left-aligned caption: from its left edge to one pixel past the text.
        const gdi::Rect place = caption->FocusMarkRect();
        QCOMPARE(place.left, 0);
        QCOMPARE(place.right, caption->MeasureText(false, 100).width() + 1);
        QVERIFY(marked.pixel(0, 0) != plain.pixel(0, 0));
        QCOMPARE(marked.pixel(place.right + 1, 0), plain.pixel(place.right + 1, 0));
        control->clearFocus();
        QCOMPARE(Shot(*caption), plain);
        // Screen readers: the caption is the control's label, the control is labelled by it.
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(caption);
        QCOMPARE(iface->role(), QAccessible::StaticText);
        QCOMPARE(iface->text(QAccessible::Name), QString("Start Minimize"));
        QCOMPARE(iface->relations(QAccessible::Labelled).size(), 1);
        QCOMPARE(QAccessible::queryAccessibleInterface(control)->relations(QAccessible::Label).size(), 1);
        // The control here is a link: it opens with a plain Return or Space and with the press action.
        control->SetCaption(QStringLiteral("Read&me"));
        QSignalSpy clicks(control, &Label::Click);
        QTest::keyClick(control, Qt::Key_Return);
        QTest::keyClick(control, Qt::Key_Space);
        QTest::keyClick(control, Qt::Key_Return, Qt::ControlModifier);
        QAccessibleInterface* link = QAccessible::queryAccessibleInterface(control);
        QCOMPARE(link->role(), QAccessible::Link);
        QCOMPARE(link->text(QAccessible::Name), QString("Readme"));
        link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicks.size(), 3);
        QCOMPARE(control->focusPolicy(), Qt::StrongFocus);
    }

    void onlyItsOwnEnabledGreysTheText() {
        QWidget container;
        auto* label = new Label(host_, &container);
        label->setGeometry(0, 0, 60, 15);
        label->SetCaption(QStringLiteral("Caption"));
        container.show();
        QVERIFY(QTest::qWaitForWindowExposed(&container));
        const QImage plain = Shot(*label);
        container.setEnabled(false);
        QCOMPARE(Shot(*label), plain);
        container.setEnabled(true);
        label->setEnabled(false);
        QVERIFY(Shot(*label) != plain); // engraved
    }

    void storedPropertiesComeBack() {
        Label label(host_);
        label.SetCaption(QStringLiteral("lblM"));
        label.SetAlignment(2);
        label.SetAutoSize(true);
        label.SetWordWrap(true);
        label.SetBackStyle(0);
        label.SetBackColor(gdi::Colour(0xFFFFFF));
        label.SetForeColor(gdi::Colour(0x0080FF));
        label.SetFont(FontObject(QStringLiteral("Verdana"), 9.75f, false, false, true));
        label.SetUseMnemonic(false);
        label.SetToolTipText(QStringLiteral("tip"));
        label.setVisible(false);
        label.setEnabled(false);
        PropertyBag bag;
        label.Save(bag);
        QCOMPARE(bag.Count(), 12);
        Label loaded(host_);
        loaded.LoadStored(bag);
        QVERIFY(bag.Errors().isEmpty());
        PropertyBag again;
        loaded.Save(again);
        QVERIFY(again == bag);
        QCOMPARE(loaded.toolTip(), QStringLiteral("tip"));
        QVERIFY(loaded.isHidden());

        Label fresh(host_);
        PropertyBag defaults;
        fresh.Save(defaults);
        QVERIFY(defaults.IsEmpty());
    }
};

QTEST_MAIN(TestLabel)
#include "TestLabel.moc"
