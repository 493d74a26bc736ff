#pragma once

#include <cstdint>

// What a new 3-D frame starts with.
namespace kelvo::controls::frameprops {

// A frame placed new: the values InitProperties gives (the others start at 0), and what a new surface
// and caption label start with.
struct NewFrame {
    static constexpr std::int32_t BevelWidth = 3;
    static constexpr std::int32_t BorderType = 1;
    static constexpr std::uint32_t Border3DHighlight = 0x80000014u;
    static constexpr std::uint32_t Border3DShadow = 0x80000010u;
    static constexpr bool Enabled = true;
    static constexpr std::int32_t CaptionLocation = 0;
    static constexpr std::int32_t CornerRadius = 7;
    static constexpr bool UseMnemonic = false;

    static constexpr std::uint32_t SurfaceFillColor = 0x00FFC19Fu;
    static constexpr std::int16_t SurfaceFillStyle = 1;
    static constexpr std::int16_t SurfaceDrawStyle = 0;
    static constexpr std::int16_t SurfaceMousePointer = 0;
    static constexpr char CaptionFontName[] = "MS Sans Serif";
    static constexpr float CaptionFontSize = 8.25f;
    static constexpr std::uint32_t CaptionForeColor = 0x80000012u;
};

// The setter of BevelWidth raises values below this; loading keeps them.
inline constexpr std::int32_t MinimumBevelWidth = 3;

} // namespace kelvo::controls::frameprops
