// bench-links: kelvo_controls
// One paint of the progress bar as the main window shows it (357 x 24, style 4, colour 0x006A240A, text
// on): the whole sequence into the back buffer and the copy of the client area to the control's surface.
// Beside it the same paint without text and the segmented style, so the share of each part shows.
// Prints figures only; nothing here asserts on time.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

#include <QApplication>

#include "controls/progressbar/ProgressBarPainter.h"
#include "platform/host/FontObject.h"
#include "platform/host/FontSubstitution.h"

using namespace kelvo;
using namespace kelvo::controls::progressbar;

namespace {

// Microseconds per call, the best of five rounds.
double Time(int calls, const std::function<void(int)>& work) {
    double best = 1e300;
    for (int round = 0; round < 5; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < calls; ++i) {
            work(i);
        }
        const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count() / calls);
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const gdi::SysColours colours = gdi::SysColours::Classic();
    QImage surface(357, 24, QImage::Format_RGB32);
    gdi::DeviceContext screen(surface, colours);
    ProgressBarBackBuffer buffer(colours);
    ProgressBarState state;
    gdi::DeviceContext* drawing = buffer.EnsureBackBuffer(357, 24);
    if (drawing == nullptr) {
        std::fputs("no back buffer\n", stderr);
        return 1;
    }

    ProgressBarLook look;
    look.colour = gdi::Colour(0x6A240A);
    look.scrolling = 4;
    look.showText = true;
    look.max = 100;
    look.clientWidth = 357;
    look.clientHeight = 24;
    look.font = host::FontObject(QStringLiteral("Tahoma"), 8.0f).ToQFont(host::FontSubstitution());
    const ScreenArea area{0, 0, 357, 24};

    // The value steps through 0..100 as a pass drives it, so every width of the fill is measured.
    const auto paint = [&](int i) {
        look.value = i % 101;
        state = DrawProgressBar(&buffer,
                                ScreenTarget{surface, [&screen]() -> gdi::DeviceContext& { return screen; }},
                                area, look, state);
    };
    const double withText = Time(2000, paint);
    look.showText = false;
    const double withoutText = Time(2000, paint);
    look.scrolling = 0;
    look.showText = true;
    const double segmented = Time(2000, paint);
    const double copy = Time(20000, [&](int) { buffer.pDraw(screen, 0, 0, 357, 24, 0, 0); });

    std::printf("progress bar 357x24, one paint and copy to the surface (values 0..100):\n");
    std::printf("  style 4 with text     %8.1f us\n", withText);
    std::printf("  style 4 without text  %8.1f us  (text %.1f us)\n", withoutText, withText - withoutText);
    std::printf("  style 0 with text     %8.1f us\n", segmented);
    std::printf("  copy to the surface   %8.1f us\n", copy);
    return 0;
}
