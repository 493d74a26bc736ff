#pragma once

#include <cstdint>

#include <QFont>
#include <QImage>
#include <QString>

#include "controls/button/ButtonColours.h"
#include "platform/gdi/Colour.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Rect.h"

namespace kelvo::controls::button {

// A picture the button shows: a bitmap (type 1), copied as it is, or an icon (type 3) or any other
// kind, drawn over the mask colour so its transparent parts take that colour. No image means none.
struct ButtonPicture {
    static constexpr std::int16_t Bitmap = 1;
    static constexpr std::int16_t Icon = 3;

    QImage image;
    std::int16_t type = Bitmap;

    bool IsEmpty() const { return image.isNull(); }
};

// The looks PaintButton is asked for.
inline constexpr std::uint8_t StateUp = 0;
inline constexpr std::uint8_t StateDown = 2;

// Where the caption and the picture go, as the caption layout leaves them. The pressed rectangle is
// the caption rectangle moved by (1, 1); between layouts it is also where the next layout of an
// unknown picture position measures the caption.
struct CaptionLayout {
    gdi::Rect CaptionRect;
    gdi::Rect PressedCaptionRect;
    std::int32_t CaptionW = 0;
    std::int32_t CaptionH = 0;
    std::int32_t PicX = 0;
    std::int32_t PicY = 0;

    friend bool operator==(const CaptionLayout&, const CaptionLayout&) = default;
};

// Everything painting reads about a button: its properties, its state (hovered, focused, enabled,
// checked), the ambient default flag, the surface size and font, and the pictures. The control fills
// it from its fields before each paint; painting never changes it.
struct ButtonLook {
    std::int32_t ButtonType = 2;
    std::int32_t ColorScheme = SchemeSystem;
    bool SoftBevel = false;
    std::int32_t SpecialEffect = 0;
    std::int32_t PicturePosition = 0;

    // Colour properties as stored (RGB or system references); the palette resolves them.
    gdi::Colour BackColor{0x8000000Fu};
    gdi::Colour BackOver{0x8000000Fu};
    gdi::Colour ForeColor{0x80000012u};
    gdi::Colour ForeOver{0x80000012u};
    gdi::Colour MaskColor{0xC0C0C0};
    // The parent window's background and text colours, read when the palette is built (scheme 4).
    gdi::Colour ParentBackColor{0xFFFFFF};
    gdi::Colour ParentTextColor{0};
    // What clearing the surface paints before the face goes on.
    gdi::Colour SurfaceBackColor{0x8000000Fu};

    // The look asked for, StateUp or StateDown (LookToPaint sets it).
    std::uint8_t State = StateUp;
    bool Enabled = true;
    bool HasFocus = false;
    bool Hovering = false;
    bool ShowFocusRect = true;
    // The host shows this button as the form's default one.
    bool IsDefault = false;
    bool CheckBoxBehaviour = false;
    bool Value = false;
    bool RefreshOn = true;
    bool UseMaskColor = true;
    bool UseGreyscale = false;

    // The client size in pixels (SurfaceW, SurfaceH) and the focus rectangle made from it.
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    gdi::Rect FocusRect;

    QString Caption;
    QFont Font;

    ButtonPicture PictureNormal;
    ButtonPicture PictureOver;
    // The size of PictureNormal in pixels; PictureOver is drawn at the same size.
    std::int32_t PicW = 0;
    std::int32_t PicH = 0;

    // Style 11: the context holding the parent's pixels behind the button, captured when it was
    // shown; none before that. Not owned.
    gdi::DeviceContext* BackDC = nullptr;
};

// What painting writes and the button keeps between paints: the palette (rebuilt after a hovered
// paint in scheme 2, and style 4 changes its soft colour while pressed), the caption layout (style 14
// lays the caption out again in bold), and the look, caption and caption mode last drawn.
struct ButtonCarried {
    ButtonPalette Palette;
    CaptionLayout Layout;
    std::uint8_t LastState = StateUp;
    QString LastCaption;
    std::uint8_t LastCaptionMode = 0;
};

// The palette inputs a look carries.
PaletteSource PaletteSourceOf(const ButtonLook& look);

} // namespace kelvo::controls::button
