#include <QDir>
#include <QFontMetrics>
#include <QPainter>
#include <QTest>

#include "FrameTestSupport.h"
#include "controls/ControlResources.h"
#include "platform/host/FontSubstitution.h"

using namespace kelvo;
using namespace kelvo::controls;
using namespace kelvo::controls::test;

namespace {

constexpr QRgb Backdrop = 0xFF3A3F4B; // behind the cells: shows where a window region cuts the frame
constexpr QRgb Ink = 0xFFE8EAF0;      // the legends
constexpr int Cell = 112;             // a cell's width; frames are 100 x 56 unless said
constexpr int Row = 96;               // a row's height, heading and legend included

QFont CaptionFont() {
    QFont font(host::FontSubstitution().Family(QStringLiteral("MS Sans Serif")));
    font.setPixelSize(host::FontSubstitution::PixelSize(8.25));
    return font;
}

QSize MeasureCaption(const QString& text) {
    const QFontMetrics metrics(CaptionFont());
    return text.isEmpty() ? QSize() : QSize(metrics.horizontalAdvance(text), metrics.height());
}

// One frame as the control shows it: the painted surface, cut to its window region, with the blank,
// shadow and caption labels stacked in that order on top.
QImage RenderFrame(const FrameLook& look) {
    QImage surface(static_cast<int>(look.scaleWidth), static_cast<int>(look.scaleHeight),
                   QImage::Format_RGB32);
    const gdi::SysColours colours = gdi::SysColours::Classic();
    FramePaintResult result;
    {
        gdi::DeviceContext dc(surface, colours);
        result = PaintFrame(dc, Measured(look, MeasureCaption), FrameState{});
    }
    QPainter painter(&surface);
    painter.setFont(CaptionFont());
    const FrameLabels& labels = result.state.labels;
    const auto text = [&](QPointF at, gdi::Colour colour) {
        painter.setPen(QColor::fromRgb(colours.Resolve(colour).ToQRgb()));
        const QPoint origin(qRound(at.x()), qRound(at.y()));
        painter.drawText(QRect(origin, MeasureCaption(labels.text)), Qt::AlignLeft | Qt::AlignTop,
                         labels.text);
    };
    if (labels.blankVisible) {
        painter.fillRect(labels.blank, QColor::fromRgb(colours.Resolve(look.backColor).ToQRgb()));
    }
    if (labels.shadowVisible) {
        text(labels.shadow, look.border3DHighlight);
    }
    text(labels.caption, gdi::Colour(0x80000012u));
    painter.end();
    if (result.region) {
        const gdi::Region region = CreateFrameRegion(*result.region);
        for (int y = 0; y < surface.height(); ++y) {
            for (int x = 0; x < surface.width(); ++x) {
                if (!gdi::PtInRegion(region, x, y)) {
                    surface.setPixel(x, y, Backdrop);
                }
            }
        }
    }
    return surface;
}

FrameLook CellLook(int borderType, const QString& caption = QString()) {
    FrameLook look = Look(100, 56, borderType, 7);
    look.caption = caption;
    look.captionAlignment = 4;
    return look;
}

class Gallery {
public:
    Gallery()
        : page_(Cell * 9 + 16, Row * 8 + 24, QImage::Format_RGB32) {
        page_.fill(Backdrop);
    }
    const QImage& Page() const { return page_; }

    void Heading(int row, const QString& text) {
        y_ = 12 + row * Row;
        QPainter painter(&page_);
        QFont font = CaptionFont();
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Ink);
        painter.drawText(QPoint(8, y_ + 10), text);
        column_ = 0;
    }
    QImage Add(const FrameLook& look, const QString& legend) {
        QImage frame = RenderFrame(look);
        const QPoint at(8 + column_ * Cell, y_ + 16);
        QPainter painter(&page_);
        painter.drawImage(at, frame);
        painter.setFont(CaptionFont());
        painter.setPen(Ink);
        painter.drawText(QRect(at.x(), at.y() + frame.height() + 1, Cell - 4, 14), Qt::AlignLeft, legend);
        ++column_;
        return frame;
    }

private:
    QImage page_;
    int y_ = 0;
    int column_ = 0;
};

} // namespace

class TestFrameGallery : public QObject {
    Q_OBJECT

private slots:
    // Every border type, inner bevel, caption place and style, gradient and flood state on one page, for
    // looking at; the border types must all differ from one another, except the styles without a border.
    void gallery() {
        InitControlResources();
        Gallery gallery;
        const char* names[] = {"0 none",          "1 etched",       "2 bump",         "3 dark line",
                               "4 light line",    "5 raised lines", "6 sunken lines", "7 etched round",
                               "8 bump round",    "9 dark round",   "10 light round", "11 raised round",
                               "12 sunken round", "13 none, inset", "14 unknown"};
        std::vector<QImage> borders;
        for (int type = 0; type <= 14; ++type) {
            if (type % 8 == 0) {
                gallery.Heading(type / 8,
                                type == 0 ? QStringLiteral("Border types (corner radius 7)") : QString());
            }
            borders.push_back(
                gallery.Add(CellLook(type, QStringLiteral("Caption")), QLatin1String(names[type])));
        }
        for (int a = 1; a <= 14; ++a) {
            for (int b = 0; b < a; ++b) {
                QCOMPARE(borders[a] == borders[b], a == 14 && b == 0);
            }
        }

        gallery.Heading(
            2, QStringLiteral("Inner bevels 1-4 (width 5), square and rounded; caption 3-D 0, 1, 2"));
        for (const auto& [type, bevel] : {std::pair{1, 1}, {1, 2}, {1, 3}, {1, 4}, {7, 2}, {7, 3}}) {
            FrameLook look = CellLook(type, QStringLiteral("Bevel"));
            look.bevelInner = bevel;
            look.bevelWidth = 5;
            gallery.Add(look, QStringLiteral("type %1, bevel %2").arg(type).arg(bevel));
        }
        for (int style = 0; style <= 2; ++style) {
            FrameLook look = CellLook(7, QStringLiteral("Caption 3D"));
            look.caption3D = style;
            gallery.Add(look, QStringLiteral("Caption3D %1").arg(style));
        }

        const char* places[] = {"top left",     "top centre",  "top right",     "middle left", "centre",
                                "middle right", "bottom left", "bottom centre", "bottom right"};
        for (int location = 0; location <= 1; ++location) {
            gallery.Heading(3 + location, location == 0
                                              ? QStringLiteral("Caption places inside the border")
                                              : QStringLiteral("Caption places on the border line"));
            for (int a = 0; a < 9; ++a) {
                FrameLook look = CellLook(location == 0 ? 1 : 7, QStringLiteral("Caption"));
                look.captionAlignment = a;
                look.captionLocation = location;
                gallery.Add(look, QLatin1String(places[a]));
            }
        }

        gallery.Heading(
            5, QStringLiteral("Gradients: horizontal, vertical, radius = width (n 0), radius > width"));
        for (const auto& [direction, radius] : {std::pair{1, 0}, {2, 7}, {1, 100}, {1, 120}}) {
            FrameLook look = CellLook(1, QStringLiteral("Gradient"));
            look.fillGradient = direction;
            look.cornerRadius = radius;
            gallery.Add(look, QStringLiteral("fill %1, radius %2").arg(direction).arg(radius));
        }

        gallery.Heading(6,
                        QStringLiteral("Flood: left to right 0, 35, 100 %; bottom to top 60 %; in a bevel"));
        for (const auto& [type, percent, bevel] :
             {std::tuple{0, 0, 0}, {0, 35, 0}, {0, 100, 0}, {1, 60, 0}, {0, 70, 1}}) {
            FrameLook look = CellLook(1, QStringLiteral("Flood"));
            look.floodType = type;
            look.floodPercent = percent;
            look.floodShowPct = true;
            look.bevelInner = bevel;
            gallery.Add(look, QStringLiteral("type %1, %2 %%3")
                                  .arg(type)
                                  .arg(percent)
                                  .arg(percent == 0 ? QStringLiteral(" (no bar)") : QString()));
        }

        // The window's header frame with its stored settings over its picture.
        gallery.Heading(7, QStringLiteral("The main window's header frame (107 x 51)"));
        FrameLook header = Look(107, 51, 2, 7);
        header.border3DHighlight = gdi::Colour(0x80000014u);
        header.border3DShadow = gdi::Colour(0x80000010u);
        header.backColor = gdi::Colour(0x8000000Fu);
        header.picture = QImage(QStringLiteral(":/images/frame.png"));
        QVERIFY(!header.picture.isNull());
        const QImage shown = gallery.Add(header, QStringLiteral("sknFrame3D1"));
        QCOMPARE(shown.pixel(50, 25), header.picture.pixel(50, 25));

        const QString folder = QStringLiteral(KELVO_GALLERY_DIR);
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/frame.png");
        QVERIFY(gallery.Page().save(path));
        QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB32), gallery.Page());
    }
};

QTEST_MAIN(TestFrameGallery)
#include "TestFrameGallery.moc"
