// bench-links: kelvo_gdi
// The drawing primitives the controls call most, each next to the same work done with QPainter on
// the same image. Prints figures only; nothing here asserts on time.
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include <QApplication>
#include <QPainter>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/Fill.h"
#include "platform/gdi/Lines.h"
#include "platform/gdi/Text.h"

using namespace kelvo::gdi;

namespace {

// Nanoseconds per call, the best of five rounds.
double Time(int calls, const std::function<void()>& work) {
    double best = 1e300;
    for (int round = 0; round < 5; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < calls; ++i) {
            work();
        }
        const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count() / calls);
    }
    return best;
}

void Report(const char* name, double ours, double painter) {
    std::printf("%-36s %10.0f ns  QPainter %10.0f ns  ratio %5.2f\n", name, ours, painter, ours / painter);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const SysColours colours = SysColours::Classic();
    QImage image(357, 24, QImage::Format_RGB32);
    image.fill(Qt::white);
    DeviceContext dc(image, colours);

    {
        const Brush brush = CreateSolidBrush(Colour(0x336699));
        const double ours = Time(2000, [&] { FillRect(dc, Rect{0, 0, 357, 24}, brush); });
        const double painter = Time(2000, [&] {
            QPainter p(&image);
            p.fillRect(QRect(0, 0, 357, 24), QColor(0x99, 0x66, 0x33));
        });
        Report("FillRect 357x24", ours, painter);
    }
    {
        // A vertical gradient: one pen per row, 24 one-pixel rows.
        std::vector<Pen> pens;
        for (int row = 0; row < 24; ++row) {
            pens.push_back(
                CreatePen(PS_SOLID, 1, Colour::FromRgb(static_cast<std::uint8_t>(row * 10), 0, 0)));
        }
        const double ours = Time(2000, [&] {
            for (int row = 0; row < 24; ++row) {
                const SelectedObject previous = SelectObject(dc, pens[static_cast<std::size_t>(row)]);
                MoveToEx(dc, 0, row);
                LineTo(dc, 357, row);
                SelectObject(dc, previous);
            }
        });
        const double painter = Time(2000, [&] {
            // Width 0 is QPainter's cosmetic one-pixel pen, its fastest way to draw these lines.
            QPainter p(&image);
            for (int row = 0; row < 24; ++row) {
                p.setPen(QPen(QColor(row * 10, 0, 0), 0));
                p.drawLine(0, row, 356, row);
            }
        });
        Report("24 gradient rows of LineTo", ours, painter);
    }
    {
        // What a picture transfer does: read a 32x32 bitmap as a bottom-up 24-bit DIB and write it to a
        // 32x32 surface; QPainter does the same through a 24-bit image.
        QImage square(32, 32, QImage::Format_RGB32);
        square.fill(Qt::white);
        DeviceContext squareDc(square, colours);
        QImage picture(32, 32, QImage::Format_RGB32);
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                picture.setPixel(x, y, qRgb(x * 8, y * 8, 128));
            }
        }
        const Bitmap bitmap = CreateBitmapFromImage(picture);
        BitmapInfoHeader info;
        info.biWidth = 32;
        info.biHeight = 32;
        std::vector<std::uint8_t> bits(DibRowBytes(32, 24) * 32);
        const double ours = Time(2000, [&] {
            GetDIBits(squareDc, bitmap, 0, 32, bits, info, DIB_RGB_COLORS);
            SetDIBitsToDevice(squareDc, 0, 0, 32, 32, 0, 0, 0, 32, bits, info, DIB_RGB_COLORS);
        });
        QImage block;
        const double painter = Time(2000, [&] {
            block = picture.convertToFormat(QImage::Format_RGB888);
            QPainter p(&square);
            p.drawImage(0, 0, block);
        });
        Report("24-bit DIB round trip 32x32", ours, painter);
    }
    {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(11);
        const Font handle = CreateFontIndirect(font);
        const SelectedObject previous = SelectObject(dc, handle);
        SetBkMode(dc, TRANSPARENT);
        const QString text = QStringLiteral("Free RAM Now");
        const double ours = Time(500, [&] {
            Rect rect{0, 0, 357, 24};
            DrawTextA(dc, text, -1, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        });
        const double painter = Time(500, [&] {
            QPainter p(&image);
            p.setFont(font);
            p.drawText(QRect(0, 0, 357, 24), Qt::AlignCenter, text);
        });
        SelectObject(dc, previous);
        Report("DrawTextA single line", ours, painter);
    }
    return 0;
}
