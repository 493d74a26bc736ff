#pragma once

#include <QColor>
#include <QFont>

// The palette and the small drawing helpers every picture of the program shares, so the window, its
// banner, the header frame, the state images and the icon read as one design.
namespace kelvo::assets {

// Deep indigo at the top left of the window, turning to teal at the bottom right.
inline const QColor Indigo{24, 27, 84};
inline const QColor Midnight{17, 45, 100};
inline const QColor Teal{9, 84, 98};
// The dark header band behind the banner and the small frame.
inline const QColor HeaderLeft{10, 13, 40};
inline const QColor HeaderRight{14, 30, 66};
// Accents: the glow of the wordmark and gauges, and the set state of the controls.
inline const QColor Cyan{56, 214, 245};
inline const QColor Violet{129, 108, 248};
inline const QColor Accent{37, 99, 235};
inline const QColor AccentLight{56, 170, 248};
// The light strip at the bottom of the window, behind the progress bar, the button and the links.
inline const QColor PanelTop{239, 243, 249};
inline const QColor PanelBottom{221, 228, 239};

// a + (b - a) * t per channel, alpha included; t is clamped to 0..1.
QColor Mix(const QColor& a, const QColor& b, double t);

// The sans-serif family of the program's captions at an exact pixel size, so the output does not
// depend on the screen's DPI.
QFont SansFont(int pixelSize, int weight, bool italic = false);

// A repeatable value in [-0.5, 0.5) for the pixel (x, y): film grain and dither that come out the
// same on every run.
double Grain(int x, int y, unsigned seed);

// A colour channel in 0..255 from a floating-point value, rounded and clamped.
int Channel(double value);

} // namespace kelvo::assets
