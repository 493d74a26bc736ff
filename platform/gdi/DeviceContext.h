#pragma once

#include <cstdint>
#include <memory>

#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QStringView>
#include <QWidget>

#include "platform/gdi/Colour.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SelectedObject.h"
#include "platform/gdi/SysColours.h"
#include "platform/gdi/TextMeasures.h"

namespace kelvo::gdi {

// A device context: where drawing goes and the state it is drawn with. Kinds:
// - Surface: over a QImage (Format_RGB32) the context does not own, such as a control's retained
//   surface. The image may be resized or replaced by its owner between drawing steps.
// - Memory: draws into the bitmap selected into it (a 1x1 monochrome bitmap of its own at first).
// - Display: the whole screen; nothing is drawn, it serves as the model for memory contexts and
//   bitmaps (32 bits per pixel).
// - Window: a widget's client area; reading from it (BitBlt source, GetPixel) takes a fresh picture of
//   the widget at that moment, drawing goes to that picture only.
// The state: pen, brush, font, bitmap, text colour (black), background colour (white) and mode
// (OPAQUE), pen mixing mode (R2_COPYPEN), brush origin and current position (0,0), and the system
// colour table that system references resolve against. A context counts as a live object.
// What a context draws with, for telling whether two drawing steps start alike: the selected objects by
// identity, the colours and modes, the brush origin, the current position and the system colour table.
struct DrawingState {
    const void* pen = nullptr;
    const void* brush = nullptr;
    const void* font = nullptr;
    const void* bitmap = nullptr;
    Colour textColour;
    Colour bkColour;
    int bkMode = 0;
    int rop2 = 0;
    QPoint brushOrigin;
    std::int32_t currentX = 0;
    std::int32_t currentY = 0;
    SysColours colours;
    friend bool operator==(const DrawingState& a, const DrawingState& b) = default;
};

class DeviceContext {
public:
    enum class Kind { Surface, Memory, Display, Window };

    DeviceContext(QImage& surface, const SysColours& colours);
    ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    // Contexts of the other kinds; use CreateCompatibleDC, CreateDCA and GetDC.
    static std::unique_ptr<DeviceContext> Create(Kind kind, const SysColours& colours,
                                                 QWidget* window = nullptr);

    Kind GetKind() const { return kind_; }
    const SysColours& Colours() const { return *colours_; }
    QWidget* Window() const { return window_; }

    // The pixels drawing writes to, or null when there is nothing to draw on (a display context, a
    // surface of another format than RGB32/ARGB32, a vanished window). Refreshes a window context's
    // picture first when asked to.
    QImage* Target(bool refreshWindow = false);
    // True-colour contexts have 32 bits per pixel; a memory context holding a monochrome bitmap has 1.
    int BitsPerPixel() const;

    const PenData& CurrentPen() const { return *pen_; }
    const BrushData& CurrentBrush() const { return *brush_; }
    const FontData& CurrentFont() const { return *font_; }
    const std::shared_ptr<BitmapData>& CurrentBitmap() const { return bitmap_; }
    DrawingState State() const;

    // Selection: each returns the object selected before, or an empty result on failure (null handle,
    // a bitmap into a context that is not a memory context, a bitmap already selected elsewhere).
    SelectedObject Select(const std::shared_ptr<const PenData>& pen);
    SelectedObject Select(const std::shared_ptr<const BrushData>& brush);
    SelectedObject Select(const std::shared_ptr<const FontData>& font);
    SelectedObject Select(const std::shared_ptr<BitmapData>& bitmap);

    Colour TextColour() const { return textColour_; }
    void SetTextColour(Colour colour) { textColour_ = colour; }
    Colour BkColour() const { return bkColour_; }
    void SetBkColour(Colour colour) { bkColour_ = colour; }
    // The modes are checked here, where they are stored, so no caller can put a mode in that drawing
    // does not know: TRANSPARENT or OPAQUE, R2_BLACK..R2_WHITE. A refused mode changes nothing (false).
    int BkMode() const { return bkMode_; }
    bool SetBkModeValue(int mode);
    int Rop2() const { return rop2_; }
    bool SetRop2Value(int rop2);
    QPoint BrushOrigin() const { return brushOrigin_; }
    void SetBrushOrigin(QPoint origin) { brushOrigin_ = origin; }
    // Measurements of the fonts text is drawn with on this context, kept while it lives.
    TextMeasures& Measures(const QFont& font) { return textMeasures_.For(font); }

    std::int32_t CurrentX() const { return currentX_; }
    std::int32_t CurrentY() const { return currentY_; }
    void SetCurrentPosition(std::int32_t x, std::int32_t y) {
        currentX_ = x;
        currentY_ = y;
    }

private:
    DeviceContext(Kind kind, const SysColours& colours, QImage* surface, QWidget* window);

    Kind kind_;
    const SysColours* colours_;
    QImage* surface_ = nullptr;
    QImage windowPicture_;
    QPointer<QWidget> window_;
    std::shared_ptr<const PenData> pen_;
    std::shared_ptr<const BrushData> brush_;
    std::shared_ptr<const FontData> font_;
    std::shared_ptr<BitmapData> bitmap_;
    Colour textColour_{0x000000};
    Colour bkColour_{0xFFFFFF};
    int bkMode_ = OPAQUE;
    int rop2_ = R2_COPYPEN;
    QPoint brushOrigin_;
    std::int32_t currentX_ = 0;
    std::int32_t currentY_ = 0;
    TextMeasuresCache textMeasures_;
};

using DcPtr = std::unique_ptr<DeviceContext>;

// A memory context modelled on dc (or on the display when dc is null, which then needs the colours).
DcPtr CreateCompatibleDC(DeviceContext* dc);
DcPtr CreateCompatibleDC(DeviceContext* dc, const SysColours& colours);
// "DISPLAY" (case-insensitive) gives a display context; any other driver name fails (null).
DcPtr CreateDCA(QStringView driver, const SysColours& colours);
// Releases a context made by CreateCompatibleDC or CreateDCA; false for a null one. A bitmap still
// selected into it goes back to its owner unharmed.
bool DeleteDC(DcPtr& dc);
// A window context over the widget's client area (null widget: the screen), with the widget's palette
// background and text colours as its background and text colours; ReleaseDC gives it back.
DcPtr GetDC(QWidget* window, const SysColours& colours);
int ReleaseDC(QWidget* window, DcPtr& dc);

// Capabilities: BITSPIXEL (32, or 1 for a monochrome memory context), PLANES (1), HORZRES/VERTRES (the
// primary screen or the target's size), LOGPIXELSX/Y (96). 0 for other indices.
int GetDeviceCaps(const DeviceContext& dc, int index);

// A colour bitmap like dc's surface (a monochrome one when dc holds a monochrome bitmap), black at
// first. Zero width or height gives a 1x1 monochrome bitmap; negative or oversized requests fail.
Bitmap CreateCompatibleBitmap(const DeviceContext& dc, int width, int height);

SelectedObject SelectObject(DeviceContext& dc, const Pen& pen);
SelectedObject SelectObject(DeviceContext& dc, const Brush& brush);
SelectedObject SelectObject(DeviceContext& dc, const Font& font);
SelectedObject SelectObject(DeviceContext& dc, const Bitmap& bitmap);
// Puts back an object SelectObject returned (or selects a stock object).
SelectedObject SelectObject(DeviceContext& dc, const SelectedObject& object);

// The colour and mode setters return the previous value (CLR_INVALID / 0 on failure).
Colour SetTextColor(DeviceContext& dc, Colour colour);
Colour GetTextColor(const DeviceContext& dc);
Colour SetBkColor(DeviceContext& dc, Colour colour);
Colour GetBkColor(const DeviceContext& dc);
// TRANSPARENT or OPAQUE; any other mode fails with 0.
int SetBkMode(DeviceContext& dc, int mode);
int GetBkMode(const DeviceContext& dc);
// R2_BLACK..R2_WHITE; any other value fails with 0.
int SetROP2(DeviceContext& dc, int rop2);
int GetROP2(const DeviceContext& dc);
bool SetBrushOrgEx(DeviceContext& dc, int x, int y, QPoint* previous = nullptr);

} // namespace kelvo::gdi
