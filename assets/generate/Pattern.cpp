#include "Pattern.h"

#include "Theme.h"

namespace kelvo::assets {

QImage DrawPattern() {
    constexpr int Size = 12;
    constexpr int Band = 3;
    // Four bands of three pixels make one period of 12 along the diagonal, the size of the picture, so
    // the stripes meet themselves at every edge.
    const QColor bands[] = {Accent, Mix(Accent, AccentLight, 0.5), AccentLight,
                            Mix(Accent, AccentLight, 0.5)};
    QImage image(Size, Size, QImage::Format_RGB32);
    for (int y = 0; y < Size; ++y) {
        for (int x = 0; x < Size; ++x) {
            image.setPixel(x, y, bands[((x + y) % Size) / Band].rgb());
        }
    }
    return image;
}

} // namespace kelvo::assets
